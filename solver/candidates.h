// candidates.h: the candidate tables, in which the search looks up at a few loads which
// placements fit at the lowest empty cell, and the look-ups on them that the search's
// inner loop inlines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/placement.h"
#include "solver/placements.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

// The candidates for a cell are the placements whose lowest cell it is, numbered in the
// search's order (by slot, then by index in placements[slot]). A set of them is a bit
// set; a cell starts at most maxCellCandidates placements.
constexpr int maxCellCandidates = 128;
// The candidates of consecutive cells lie a cache line further apart than they need, so
// that the first ones of many cells do not share a set of the first-level cache (as the
// chunk tables below).
constexpr int candidateStride = maxCellCandidates + 8;
struct alignas(16) CandidateSet {
    uint64_t word[2];
};
// The slot tables of a cell: one per six slots, indexed by which of them are free.
constexpr int slotsPerTable = 6;
constexpr int slotTableValues = 1 << slotsPerTable;
constexpr int slotTablesPerCell = (pieceCount + slotsPerTable - 1) / slotsPerTable;
constexpr int slotEntriesPerCell = slotTablesPerCell * slotTableValues;
// Six cells a chunk keep the tables of the full puzzle within the second-level cache.
constexpr int windowChunkBits = 6;
constexpr int windowChunkValues = 1 << windowChunkBits;
// Tables one cache line apart more than their size, so that the same entry of many tables
// (the empty chunk, say) does not fall into one set of the first-level cache.
constexpr int windowTableStride = windowChunkValues + 4;
constexpr int maxWindowChunks = (63 + windowChunkBits - 1) / windowChunkBits;
// The search is compiled for two window sizes: up to 7 chunks (the full puzzle's) and up
// to maxWindowChunks; a puzzle's window is rounded up to one of them.
constexpr int shortWindowChunks = 7;

inline CandidateSet orOf(CandidateSet a, CandidateSet b)
{
    return {{a.word[0] | b.word[0], a.word[1] | b.word[1]}};
}

inline bool isEmpty(CandidateSet set) { return (set.word[0] | set.word[1]) == 0; }

// The candidate tables of a puzzle, made once from its placements.
struct Candidates {
    // Candidate i of cell c: its mask, its slot and its index in the slot's placements, at
    // c * candidateStride + i.
    std::vector<uint64_t> mask;
    std::vector<uint8_t> slot;
    std::vector<uint16_t> placement;
    // The candidates of cell c that belong to a set of free slots: one table per six
    // slots, indexed by those slots' bits, at c * slotEntriesPerCell + table *
    // slotTableValues + bits.
    std::vector<CandidateSet> ofSlots;
    // The candidates of cell c that run into a filled cell among the cells after c, as
    // far as the longest placement reaches: one table per chunk of windowChunkBits of
    // those cells, indexed by which of them are filled, at
    // (c * windowChunks + k) * windowTableStride + chunk. Picking the fits this way costs
    // a few loads and no branches, where testing each candidate would mispredict at
    // random.
    std::vector<CandidateSet> blocked;
    int windowChunks;
};

// Fails (ok false) when a cell starts more placements than a candidate set holds.
struct CandidatesResult {
    bool ok;
    Candidates candidates;
};
CandidatesResult makeCandidates(PuzzleBox box, const SlotPlacements& placements);

// The tables as plain pointers, for the search loop (a pointer inside a vector would be
// loaded again after every store the compiler cannot tell apart from it).
struct CandidateTables {
    const uint64_t* mask;
    const uint8_t* slot;
    const uint16_t* placement;
    const CandidateSet* ofSlots;
    const CandidateSet* blocked;
};

// ofSlots: the candidates' own ofSlots, or a root's copy (see slotTablesOfRoot).
CandidateTables candidateTables(const Candidates& candidates, const std::vector<CandidateSet>& ofSlots);

#if defined(__SSE2__) || defined(_M_X64)
inline __m128i loadSet(const CandidateSet& set)
{
    return _mm_load_si128(reinterpret_cast<const __m128i*>(&set));
}

// The candidates that run into a filled cell among the first Chunks chunks of the window,
// unrolled so that the loads go out together.
template <int Chunks>
inline __m128i blockedBits(const CandidateSet* blocked, uint64_t window)
{
    const __m128i last =
        loadSet(blocked[(Chunks - 1) * windowTableStride +
                        int((window >> (windowChunkBits * (Chunks - 1))) & (windowChunkValues - 1))]);
    if constexpr (Chunks == 1)
        return last;
    else
        return _mm_or_si128(blockedBits<Chunks - 1>(blocked, window), last);
}
#endif

// The candidates of the lowest empty cell that fit into the empty cells and belong to a
// free slot (by the root's slot tables). Chunks is the puzzle's windowChunks, fixed at
// compile time so that the loads unroll.
template <int Chunks>
inline CandidateSet fittingCandidates(const CandidateTables& t, uint64_t occupied,
                                      uint32_t freeSlots)
{
    const int cell = __builtin_ctzll(~occupied);
    const uint64_t window = occupied >> cell >> 1;
    const CandidateSet* ofSlots = t.ofSlots + size_t(cell) * slotEntriesPerCell;
    const CandidateSet* blocked = t.blocked + size_t(cell) * Chunks * windowTableStride;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i hit = blockedBits<Chunks>(blocked, window);
    static_assert(slotTablesPerCell == 2, "two slot tables a cell");
    const __m128i free = _mm_or_si128(
        loadSet(ofSlots[freeSlots & (slotTableValues - 1)]),
        loadSet(ofSlots[slotTableValues + ((freeSlots >> slotsPerTable) & (slotTableValues - 1))]));
    CandidateSet fits;
    _mm_store_si128(reinterpret_cast<__m128i*>(&fits), _mm_andnot_si128(hit, free));
    return fits;
#else
    CandidateSet hit = {};
    for (int k = 0; k < Chunks; k++)
        hit = orOf(hit, blocked[k * windowTableStride +
                                int((window >> (windowChunkBits * k)) & (windowChunkValues - 1))]);
    const CandidateSet free =
        orOf(ofSlots[freeSlots & (slotTableValues - 1)],
             ofSlots[slotTableValues + ((freeSlots >> slotsPerTable) & (slotTableValues - 1))]);
    return {{free.word[0] & ~hit.word[0], free.word[1] & ~hit.word[1]}};
#endif
}

// Calls visit(candidate index) for each member of a set, in the search's order.
template <typename Visit>
inline void forEachCandidate(CandidateSet set, int cell, Visit visit)
{
    for (int w = 0; w < 2; w++)
        for (uint64_t bits = set.word[w]; bits; bits &= bits - 1)
            visit(size_t(cell) * candidateStride + size_t(w * 64 + __builtin_ctzll(bits)));
}

// Takes the lowest member out of a set of two words and gives its number (0..127). It
// picks the word without a branch, so that a loop over the set ends once, not once per
// word: each end of a loop is a mispredicted branch.
inline int takeLowest(uint64_t& low, uint64_t& high)
{
    const bool inLow = low != 0;
    const uint64_t word = inLow ? low : high;
    const uint64_t rest = word & (word - 1);
    low = inLow ? rest : low;
    high = inLow ? high : rest;
    return __builtin_ctzll(word) + (inLow ? 0 : 64);
}
