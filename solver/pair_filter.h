// pair_filter.h: the pair filter, which tells at the cost of one load that two pieces
// cannot fill a set of empty cells, and how it is built for a puzzle.
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

// Where the pair filter keeps a set of cells for the two slots whose keys XOR to pairKey:
// two bits of one word.
struct PairFilterProbe {
    size_t word;
    uint64_t bits;
};
inline PairFilterProbe pairFilterProbe(uint64_t cells, uint64_t pairKey)
{
    const uint64_t hash = (cells ^ pairKey) * 0x9E3779B97F4A7C15u;
    return {size_t(hash >> (64 - pairFilterWordBits)),
            (uint64_t(1) << ((hash >> 38) & 63)) | (uint64_t(1) << ((hash >> 44) & 63))};
}
// Whether the filter lets the cells through (only meaningful from pairFilterFrom on).
inline bool pairFilterPasses(const uint64_t* filter, uint64_t cells, uint64_t pairKey)
{
    const PairFilterProbe probe = pairFilterProbe(cells, pairKey);
    return (filter[probe.word] & probe.bits) == probe.bits;
}

// Chooses the slots' keys and pairFilterFrom and fills the puzzle's pair filter from its
// placements.
void buildPairFilter(SolverPuzzle& p);
