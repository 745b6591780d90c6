// pair_filter.cpp: building the pair filter from the unions of two slots' placements.
#include "solver/pair_filter.h"

#include "solver/puzzle.h"

// Calls visit(union) for each pair of two slots' disjoint placements.
template <typename Visit>
static void forEachPairUnion(const SolverPuzzle& p, Visit visit)
{
    for (int a = 0; a < p.slotCount; a++)
        for (int b = a + 1; b < p.slotCount; b++)
            for (const Placement& first : p.placements[a])
                for (const Placement& second : p.placements[b])
                    if ((first.mask & second.mask) == 0) visit(a, b, first.mask | second.mask);
}

void buildPairFilter(SolverPuzzle& p)
{
    // Fixed keys, so that the filter and with it the search are the same on every run.
    uint64_t state = 0x2545F4914F6CDD1Du;
    for (uint64_t& key : p.slotKey) {
        state += 0x9E3779B97F4A7C15u;  // splitmix64
        uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        key = z ^ (z >> 31);
    }
    // The unions by their lowest cell, to choose pairFilterFrom.
    uint64_t fromCell[64] = {};
    forEachPairUnion(p, [&](int, int, uint64_t cells) { fromCell[__builtin_ctzll(cells)]++; });
    const uint64_t budget = pairFilterWords * 64 / pairFilterBitsPerUnion;
    uint64_t kept = 0;
    p.pairFilterFrom = 64;
    while (p.pairFilterFrom > 0 && kept + fromCell[p.pairFilterFrom - 1] <= budget)
        kept += fromCell[--p.pairFilterFrom];
    p.pairFilter.assign(pairFilterWords, 0);
    forEachPairUnion(p, [&](int a, int b, uint64_t cells) {
        if (__builtin_ctzll(cells) < p.pairFilterFrom) return;
        const PairFilterProbe probe = pairFilterProbe(cells, p.slotKey[a] ^ p.slotKey[b]);
        p.pairFilter[probe.word] |= probe.bits;
    });
}
