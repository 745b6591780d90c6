// record_test.cpp: the test of one record in one variant against the criteria table.
#include "search/record_test.h"

bool recordMatches(const SolutionRecord& record, const FilterCriteria& criteria, int variant)
{
    const IntTransform& turn = VariantTransforms[variant & 3];
    for (PlacementWord word : record.words) {
        const int p = placementPieceIndex(word);
        if (p < 0 || p >= pieceCount) continue;
        // Each value is read once, so one slot is judged by one reading of it.
        bool active[3];
        Cell wanted[3];
        bool any = false;
        for (int j = 0; j < 3; j++) {
            const FilterCriterion& c = criteria[p][j];
            active[j] = c.active.load(std::memory_order_relaxed) != 0;
            if (!active[j]) continue;
            any = true;
            wanted[j] = {c.x.load(std::memory_order_relaxed), c.y.load(std::memory_order_relaxed),
                         c.z.load(std::memory_order_relaxed)};
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
            if (criteria[i][j].active.load(std::memory_order_relaxed)) return true;
    return false;
}
