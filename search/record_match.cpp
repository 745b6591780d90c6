// record_match.cpp: the test of one record in one variant against the criteria table.
#include "search/record_match.h"

bool recordMatches(const SolutionRecord& record, const FilterCriteria& criteria, int variant)
{
    const IntTransform& turn = VariantTransforms[variant & 3];
    for (PlacementWord word : record.words) {
        const int p = placementPieceIndex(word);
        if (p < 0 || p >= pieceCount) continue;
        // Each slot is read once, so it is judged by one edit of it.
        bool active[3];
        Cell wanted[3];
        bool any = false;
        for (int j = 0; j < 3; j++) {
            const Criterion c = readCriterion(criteria[p][j]);
            active[j] = c.active;
            wanted[j] = c.cell;
            any = any || c.active;
        }
        if (!any) continue;  // placing the piece could not change the outcome
        const PieceCells placed =
            placePiece(PieceCatalogue[p], composeTransforms(turn, decodePlacementWord(word)));
        bool matches = true;
        for (int j = 0; j < 3; j++) {
            if (!active[j]) continue;
            bool covered = false;
            for (int k = 0; k < placed.cellCount; k++) covered = covered || placed.cells[k] == wanted[j];
            matches = matches && covered;
        }
        if (!matches) return false;
    }
    return true;
}

bool anyCriterionActive(const FilterCriteria& criteria)
{
    for (int i = 0; i < pieceCount; i++)
        for (int j = 0; j < 3; j++)
            if (readCriterion(criteria[i][j]).active) return true;
    return false;
}
