// union_filter.h: the pair and triple filters, which tell at the cost of one load that two
// or three pieces cannot fill a set of empty cells, and how they are made from a puzzle's
// placements.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "solver/placements.h"

// One key per slot; a filter keeps the unions of a pair or triple of slots under their keys
// XORed, so that it holds the unions of all of them apart.
using SlotKeys = std::array<uint64_t, pieceCount>;

// Fixed keys, so that the filters and with them the search are the same on every run.
SlotKeys makeSlotKeys();

// A few pieces fill a set of cells only when it is the union of a placement of each. A
// union filter holds every such union of two (or three) slots' disjoint placements whose
// lowest cell is at least from, hashed with the slots' keys: two bits of one word per union
// (a Bloom filter), so a union is never missed and another set is let through rarely.
struct UnionFilter {
    int wordBits;  // the filter has 2^wordBits words
    int from;      // 64: it holds no set at all
    std::vector<uint64_t> words;
};

// A filter as the search loop reads it: a plain pointer (see CandidateTables).
struct UnionFilterView {
    const uint64_t* words;
    int wordBits;
    int from;
};

inline UnionFilterView viewOf(const UnionFilter& filter)
{
    return {filter.words.data(), filter.wordBits, filter.from};
}

// Where a filter of 2^wordBits words keeps a set of cells for the slots whose keys XOR to
// key: two bits of one word, chosen by the hash bits below the word's number.
struct UnionFilterProbe {
    size_t word;
    uint64_t bits;
};
inline UnionFilterProbe unionFilterProbe(int wordBits, uint64_t cells, uint64_t key)
{
    const uint64_t hash = (cells ^ key) * 0x9E3779B97F4A7C15u;
    return {size_t(hash >> (64 - wordBits)), (uint64_t(1) << ((hash >> (58 - wordBits - 6)) & 63)) |
                                                 (uint64_t(1) << ((hash >> (58 - wordBits)) & 63))};
}

// Whether the filter lets the cells through (only meaningful from its from on).
inline bool unionFilterPasses(const UnionFilterView& filter, uint64_t cells, uint64_t key)
{
    const UnionFilterProbe probe = unionFilterProbe(filter.wordBits, cells, key);
    return (filter.words[probe.word] & probe.bits) == probe.bits;
}

// The pair filter: its size keeps it in the second-level cache beside the fit tables; from
// is the lowest cell that keeps the unions to about one per pairFilterBitsPerUnion bits.
constexpr int pairFilterWordBits = 14;
constexpr int pairFilterBitsPerUnion = 9;
UnionFilter makePairFilter(const SlotPlacements& placements, const SlotKeys& keys);

// The triple filter, one level earlier: about half of the sets of empty cells that a
// placement leaves to the last three pieces lie at or above its from, and nearly all of
// them are no such union; turned away at one load, they cost no look-up of their candidates
// and no state of their own (a tenth of the full solve). A megabyte keeps it beside the
// other tables in a second-level cache; a lower from with more bits per union measured no
// faster.
constexpr int tripleFilterWordBits = 17;
constexpr int tripleFilterBitsPerUnion = 4;
UnionFilter makeTripleFilter(const SlotPlacements& placements, const SlotKeys& keys);
