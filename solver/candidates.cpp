// candidates.cpp: building the candidate tables of a puzzle.
#include "solver/candidates.h"

#include <algorithm>

#include "solver/puzzle.h"

bool buildCandidateTables(SolverPuzzle& p)
{
    // The window after a cell reaches as far as any placement's highest cell.
    const int n = boxCellTotal(p.box);
    int span = 0;
    for (int s = 0; s < p.slotCount; s++)
        for (const Placement& placement : p.placements[s])
            span = std::max(span, 63 - __builtin_clzll(placement.mask) - __builtin_ctzll(placement.mask));
    const int spanChunks = (span + windowChunkBits - 1) / windowChunkBits;
    p.windowChunks = spanChunks <= shortWindowChunks ? shortWindowChunks : maxWindowChunks;
    p.candidateMask.assign(size_t(n) * candidateStride, 0);
    p.candidateSlot.assign(size_t(n) * candidateStride, 0);
    p.candidatePlacement.assign(size_t(n) * candidateStride, 0);
    p.candidatesOfSlots.assign(size_t(n) * slotEntriesPerCell, CandidateSet{});
    p.candidatesBlocked.assign(size_t(n) * size_t(p.windowChunks) * windowTableStride, CandidateSet{});
    for (int c = 0; c < n; c++) {
        int count = 0;
        for (int s = 0; s < p.slotCount; s++)
            for (size_t i = 0; i < p.placements[s].size(); i++) {
                const uint64_t mask = p.placements[s][i].mask;
                if (__builtin_ctzll(mask) != c) continue;
                if (count == maxCellCandidates) return false;
                const size_t at = size_t(c) * candidateStride + size_t(count);
                p.candidateMask[at] = mask;
                p.candidateSlot[at] = uint8_t(s);
                p.candidatePlacement[at] = uint16_t(i);
                const int word = count / 64;
                const uint64_t bit = uint64_t(1) << (count % 64);
                for (int bits = 0; bits < slotTableValues; bits++)
                    if (bits >> (s % slotsPerTable) & 1)
                        p.candidatesOfSlots[size_t(c) * slotEntriesPerCell +
                                            size_t(s / slotsPerTable) * slotTableValues + size_t(bits)]
                            .word[word] |= bit;
                const uint64_t window = mask >> c >> 1;
                for (int k = 0; k < p.windowChunks; k++)
                    for (int chunk = 1; chunk < windowChunkValues; chunk++)
                        if ((window >> (windowChunkBits * k)) & uint64_t(chunk))
                            p.candidatesBlocked[(size_t(c) * size_t(p.windowChunks) + size_t(k)) *
                                                    windowTableStride +
                                                size_t(chunk)]
                                .word[word] |= bit;
                count++;
            }
    }
    return true;
}

// ofSlots: the puzzle's candidatesOfSlots, or a root's own copy (see slotTablesOfRoot).
CandidateTables candidateTables(const SolverPuzzle& puzzle, const std::vector<CandidateSet>& ofSlots)
{
    return {puzzle.candidateMask.data(), puzzle.candidateSlot.data(),
            puzzle.candidatePlacement.data(),
            ofSlots.empty() ? puzzle.candidatesOfSlots.data() : ofSlots.data(),
            puzzle.candidatesBlocked.data(), puzzle.pairFilter.data(), puzzle.pairFilterFrom,
            puzzle.tripleFilter.data(), puzzle.tripleFilterFrom, puzzle.slotKey};
}
