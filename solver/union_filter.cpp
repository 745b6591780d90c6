// union_filter.cpp: making the pair and triple filters from the unions of two and of
// three slots' placements.
#include "solver/union_filter.h"

#include "solver/splitmix.h"

SlotKeys makeSlotKeys()
{
    SlotKeys keys;
    uint64_t state = 0x2545F4914F6CDD1Du;
    for (uint64_t& key : keys) key = splitmix64(state);
    return keys;
}

namespace {

// Calls visit(a, b, union) for each pair of two slots' disjoint placements.
template <typename Visit>
void forEachPairUnion(const SlotPlacements& placements, Visit visit)
{
    for (int a = 0; a < pieceCount; a++)
        for (int b = a + 1; b < pieceCount; b++)
            for (const Placement& first : placements[size_t(a)])
                for (const Placement& second : placements[size_t(b)])
                    if ((first.mask & second.mask) == 0) visit(a, b, first.mask | second.mask);
}

// Calls visit(slots' keys XORed, union) for each triple of three slots' disjoint
// placements whose cells all lie at from or above; stops early once visit returns false.
template <typename Visit>
void forEachTripleUnionFrom(const SlotPlacements& placements, const SlotKeys& keys, int from, Visit visit)
{
    std::vector<uint64_t> above[pieceCount];
    for (int s = 0; s < pieceCount; s++)
        for (const Placement& placement : placements[size_t(s)])
            if (__builtin_ctzll(placement.mask) >= from) above[s].push_back(placement.mask);
    for (int a = 0; a < pieceCount; a++)
        for (int b = a + 1; b < pieceCount; b++)
            for (int c = b + 1; c < pieceCount; c++) {
                const uint64_t key = keys[size_t(a)] ^ keys[size_t(b)] ^ keys[size_t(c)];
                for (uint64_t first : above[a])
                    for (uint64_t second : above[b]) {
                        if (first & second) continue;
                        for (uint64_t third : above[c])
                            if (((first | second) & third) == 0 && !visit(key, first | second | third)) return;
                    }
            }
}

void keep(UnionFilter& filter, uint64_t cells, uint64_t key)
{
    const UnionFilterProbe probe = unionFilterProbe(filter.wordBits, cells, key);
    filter.words[probe.word] |= probe.bits;
}

// Room for a union per bitsPerUnion bits of a filter of 2^wordBits words.
uint64_t unionBudget(int wordBits, int bitsPerUnion)
{
    return (uint64_t(1) << wordBits) * 64 / uint64_t(bitsPerUnion);
}

}  // namespace

UnionFilter makePairFilter(const SlotPlacements& placements, const SlotKeys& keys)
{
    UnionFilter filter = {pairFilterWordBits, 64, std::vector<uint64_t>(size_t(1) << pairFilterWordBits, 0)};
    // The unions by their lowest cell, to choose from.
    uint64_t fromCell[64] = {};
    forEachPairUnion(placements, [&](int, int, uint64_t cells) { fromCell[__builtin_ctzll(cells)]++; });
    const uint64_t budget = unionBudget(pairFilterWordBits, pairFilterBitsPerUnion);
    uint64_t kept = 0;
    while (filter.from > 0 && kept + fromCell[filter.from - 1] <= budget) kept += fromCell[--filter.from];
    forEachPairUnion(placements, [&](int a, int b, uint64_t cells) {
        if (__builtin_ctzll(cells) >= filter.from) keep(filter, cells, keys[size_t(a)] ^ keys[size_t(b)]);
    });
    return filter;
}

UnionFilter makeTripleFilter(const SlotPlacements& placements, const SlotKeys& keys)
{
    UnionFilter filter = {tripleFilterWordBits, 64, std::vector<uint64_t>(size_t(1) << tripleFilterWordBits, 0)};
    // The lowest cell that keeps the unions within budget: counted from the top down,
    // each count given up as soon as it goes over.
    const uint64_t budget = unionBudget(tripleFilterWordBits, tripleFilterBitsPerUnion);
    while (filter.from > 0) {
        uint64_t count = 0;
        forEachTripleUnionFrom(placements, keys, filter.from - 1, [&](uint64_t, uint64_t) { return ++count <= budget; });
        if (count > budget) break;
        filter.from--;
    }
    forEachTripleUnionFrom(placements, keys, filter.from, [&](uint64_t key, uint64_t cells) {
        keep(filter, cells, key);
        return true;
    });
    return filter;
}
