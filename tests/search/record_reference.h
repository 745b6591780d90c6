// record_reference.h: a slow, plainly written record test for the tests to compare with:
// for every active criterion, every word of that piece must place a cell on it, placed by
// the one placement rule of the model. No early exits.
#pragma once

#include "model/placement.h"
#include "search/filter_table.h"

struct PlainCriterion {
    int piece, slot;
    Cell cell;
};

inline bool referenceMatches(const SolutionRecord& record, const PlainCriterion* criteria, int count, int variant)
{
    bool all = true;
    for (int c = 0; c < count; c++)
        for (PlacementWord word : record.words) {
            if (placementPieceIndex(word) != criteria[c].piece) continue;
            const IntTransform t = effectivePlacementWith(word, variant, false, FlipOptions{0, 0, 0});
            const PieceCells& piece = PieceCatalogue[criteria[c].piece];
            bool covered = false;
            for (int k = 0; k < piece.cellCount; k++)
                if (applyTransform(t, piece.cells[k]) == criteria[c].cell) covered = true;
            if (!covered) all = false;
        }
    return all;
}

inline void loadCriteria(FilterCriterion (&table)[12][3], const PlainCriterion* criteria, int count)
{
    for (int i = 0; i < 12; i++)
        for (int j = 0; j < 3; j++) writeCriterion(table[i][j], {false, {0, 0, 0}});
    for (int c = 0; c < count; c++) writeCriterion(table[criteria[c].piece][criteria[c].slot], {true, criteria[c].cell});
}
