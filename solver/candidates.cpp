// candidates.cpp: making the candidate tables of a puzzle.
#include "solver/candidates.h"

#include <algorithm>

CandidatesResult makeCandidates(PuzzleBox box, const SlotPlacements& placements)
{
    CandidatesResult result = {false, {}};
    Candidates& tables = result.candidates;
    // The window after a cell reaches as far as any placement's highest cell.
    const int n = boxCellTotal(box);
    int span = 0;
    for (const std::vector<Placement>& ofSlot : placements)
        for (const Placement& placement : ofSlot)
            span = std::max(span, 63 - __builtin_clzll(placement.mask) - __builtin_ctzll(placement.mask));
    const int spanChunks = (span + windowChunkBits - 1) / windowChunkBits;
    tables.windowChunks = spanChunks <= shortWindowChunks ? shortWindowChunks : maxWindowChunks;
    tables.mask.assign(size_t(n) * candidateStride, 0);
    tables.slot.assign(size_t(n) * candidateStride, 0);
    tables.placement.assign(size_t(n) * candidateStride, 0);
    tables.ofSlots.assign(size_t(n) * slotEntriesPerCell, CandidateSet{});
    tables.blocked.assign(size_t(n) * size_t(tables.windowChunks) * windowTableStride, CandidateSet{});
    for (int c = 0; c < n; c++) {
        int count = 0;
        for (int s = 0; s < pieceCount; s++)
            for (size_t i = 0; i < placements[size_t(s)].size(); i++) {
                const uint64_t mask = placements[size_t(s)][i].mask;
                if (__builtin_ctzll(mask) != c) continue;
                if (count == maxCellCandidates) return result;
                const size_t at = size_t(c) * candidateStride + size_t(count);
                tables.mask[at] = mask;
                tables.slot[at] = uint8_t(s);
                tables.placement[at] = uint16_t(i);
                const int word = count / 64;
                const uint64_t bit = uint64_t(1) << (count % 64);
                for (int bits = 0; bits < slotTableValues; bits++)
                    if (bits >> (s % slotsPerTable) & 1)
                        tables.ofSlots[size_t(c) * slotEntriesPerCell +
                                       size_t(s / slotsPerTable) * slotTableValues + size_t(bits)]
                            .word[word] |= bit;
                const uint64_t window = mask >> c >> 1;
                for (int k = 0; k < tables.windowChunks; k++)
                    for (int chunk = 1; chunk < windowChunkValues; chunk++)
                        if ((window >> (windowChunkBits * k)) & uint64_t(chunk))
                            tables.blocked[(size_t(c) * size_t(tables.windowChunks) + size_t(k)) *
                                               windowTableStride + size_t(chunk)]
                                .word[word] |= bit;
                count++;
            }
    }
    result.ok = true;
    return result;
}

CandidateTables candidateTables(const Candidates& candidates, const std::vector<CandidateSet>& ofSlots)
{
    return {candidates.mask.data(), candidates.slot.data(), candidates.placement.data(),
            ofSlots.empty() ? candidates.ofSlots.data() : ofSlots.data(), candidates.blocked.data()};
}
