// pair_filter.h: the pair and triple filters, which tell at the cost of one load that two
// or three pieces cannot fill a set of empty cells, and how they are built for a puzzle.
#pragma once

#include <cstddef>
#include <cstdint>

struct SolverPuzzle;

// Two pieces fill a set of cells only when it is the union of a placement of each. The
// pair filter holds every such union of two slots' disjoint placements whose lowest cell
// is at least pairFilterFrom, hashed with the two slots' keys: two bits of one word per
// union (a Bloom filter), so a union is never missed and another set is let through
// rarely. The size keeps it in the second-level cache beside the fit tables; pairFilterFrom
// is the lowest cell that keeps the unions to about one per pairFilterBitsPerUnion bits.
constexpr int pairFilterWordBits = 14;
constexpr size_t pairFilterWords = size_t(1) << pairFilterWordBits;
constexpr int pairFilterBitsPerUnion = 9;

// Where a union filter of 2^WordBits words keeps a set of cells for the slots whose keys
// XOR to key: two bits of one word, chosen by the hash bits below the word's number.
struct PairFilterProbe {
    size_t word;
    uint64_t bits;
};
template <int WordBits>
inline PairFilterProbe unionFilterProbe(uint64_t cells, uint64_t key)
{
    const uint64_t hash = (cells ^ key) * 0x9E3779B97F4A7C15u;
    return {size_t(hash >> (64 - WordBits)), (uint64_t(1) << ((hash >> (58 - WordBits - 6)) & 63)) |
                                                 (uint64_t(1) << ((hash >> (58 - WordBits)) & 63))};
}
template <int WordBits>
inline bool unionFilterPasses(const uint64_t* filter, uint64_t cells, uint64_t key)
{
    const PairFilterProbe probe = unionFilterProbe<WordBits>(cells, key);
    return (filter[probe.word] & probe.bits) == probe.bits;
}
inline PairFilterProbe pairFilterProbe(uint64_t cells, uint64_t pairKey)
{
    return unionFilterProbe<pairFilterWordBits>(cells, pairKey);
}
// Whether the filter lets the cells through (only meaningful from pairFilterFrom on).
inline bool pairFilterPasses(const uint64_t* filter, uint64_t cells, uint64_t pairKey)
{
    return unionFilterPasses<pairFilterWordBits>(filter, cells, pairKey);
}

// The triple filter does the same for three slots, one level earlier: it holds every
// union of three slots' disjoint placements whose lowest cell is at least
// tripleFilterFrom. About half of the sets of empty cells that a placement leaves to the
// last three pieces lie there, and nearly all of them are no such union; turned away at
// one load, they cost no look-up of their candidates and no state of their own (a tenth
// of the full solve). A megabyte keeps it beside the other tables in a second-level
// cache; a lower tripleFilterFrom with more bits per union measured no faster.
constexpr int tripleFilterWordBits = 17;
constexpr size_t tripleFilterWords = size_t(1) << tripleFilterWordBits;
constexpr int tripleFilterBitsPerUnion = 4;
inline bool tripleFilterPasses(const uint64_t* filter, uint64_t cells, uint64_t tripleKey)
{
    return unionFilterPasses<tripleFilterWordBits>(filter, cells, tripleKey);
}

// Chooses the slots' keys and pairFilterFrom and fills the puzzle's pair filter from its
// placements.
void buildPairFilter(SolverPuzzle& p);
// Chooses tripleFilterFrom and fills the triple filter (after buildPairFilter, whose keys
// it uses).
void buildTripleFilter(SolverPuzzle& p);
