// full_records.cpp: genuine records from the start of a full search.
#include "full_records.h"

#include <algorithm>

#include "solver/search.h"

std::vector<SolutionRecord> firstFullRecords(std::size_t count)
{
    static std::vector<SolutionRecord> found;
    if (found.size() < count) {
        found.clear();
        const SolverPuzzle puzzle = fullPuzzle();
        runSearch(
            puzzle, planOnePerOrbit(puzzle), 2,
            [&](const std::vector<SolutionRecord>& batch) {
                found.insert(found.end(), batch.begin(), batch.end());
                return found.size() < count;
            },
            nullptr, nullptr, 5);
    }
    return std::vector<SolutionRecord>(found.begin(), found.begin() + long(std::min(count, found.size())));
}

SolutionRecord turnedRecord(const SolutionRecord& record, int variant)
{
    const BoxSymmetry symmetry = boxSymmetry(fullBox);
    SolutionRecord turned = {};
    for (int w = 0; w < recordWordCount; w++) {
        const int piece = placementPieceIndex(record.words[w]);
        const uint64_t mask = turnMask(symmetry, variant, placedMask(fullBox, piece, record.words[w]));
        for (const Placement& p : piecePlacements(fullBox, piece))
            if (p.mask == mask) turned.words[w] = p.word;
    }
    return turned;
}
