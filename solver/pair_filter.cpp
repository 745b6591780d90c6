// pair_filter.cpp: building the pair and triple filters from the unions of two and of
// three slots' placements.
#include "solver/pair_filter.h"

#include <vector>

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

// Calls visit(slots' keys XORed, union) for each triple of three slots' disjoint
// placements whose cells all lie at from or above; stops early once visit returns false.
template <typename Visit>
static void forEachTripleUnionFrom(const SolverPuzzle& p, int from, Visit visit)
{
    std::vector<uint64_t> above[pieceCount];
    for (int s = 0; s < p.slotCount; s++)
        for (const Placement& placement : p.placements[s])
            if (__builtin_ctzll(placement.mask) >= from) above[s].push_back(placement.mask);
    for (int a = 0; a < p.slotCount; a++)
        for (int b = a + 1; b < p.slotCount; b++)
            for (int c = b + 1; c < p.slotCount; c++) {
                const uint64_t key = p.slotKey[a] ^ p.slotKey[b] ^ p.slotKey[c];
                for (uint64_t first : above[a])
                    for (uint64_t second : above[b]) {
                        if (first & second) continue;
                        for (uint64_t third : above[c])
                            if (((first | second) & third) == 0 && !visit(key, first | second | third)) return;
                    }
            }
}

void buildTripleFilter(SolverPuzzle& p)
{
    // The lowest cell that keeps the unions within budget: counted from the top down,
    // each count given up as soon as it goes over.
    const uint64_t budget = tripleFilterWords * 64 / tripleFilterBitsPerUnion;
    p.tripleFilterFrom = 64;
    while (p.tripleFilterFrom > 0) {
        uint64_t count = 0;
        forEachTripleUnionFrom(p, p.tripleFilterFrom - 1, [&](uint64_t, uint64_t) { return ++count <= budget; });
        if (count > budget) break;
        p.tripleFilterFrom--;
    }
    p.tripleFilter.assign(tripleFilterWords, 0);
    forEachTripleUnionFrom(p, p.tripleFilterFrom, [&](uint64_t key, uint64_t cells) {
        const PairFilterProbe probe = unionFilterProbe<tripleFilterWordBits>(cells, key);
        p.tripleFilter[probe.word] |= probe.bits;
        return true;
    });
}
