// pruning.h: the one rule by which a placement ends its branch of the search before the
// next state's candidates are looked up. The search and the task split both ask it, so the
// split's subtrees are exactly the search's.
#pragma once

#include <cstdint>

#include "solver/puzzle.h"
#include "solver/union_filter.h"
#include "solver/walled_in.h"

// What the rule reads, as plain values for the search loop.
struct Pruning {
    UnionFilterView pairs, triples;
    const uint64_t* slotKey;
    StepMasks steps;
    // A single cube can fill a walled-in cell: false for the puzzles of the tests that
    // have one.
    bool walledIn;
};

inline Pruning pruningOf(const SolverPuzzle& puzzle)
{
    return {viewOf(puzzle.pairFilter), viewOf(puzzle.tripleFilter), puzzle.slotKey.data(),
            stepMasks(puzzle.box), puzzle.smallestShape > 1};
}

// The slots' keys XORed, as the filters take them.
inline uint64_t keyOfSlots(const Pruning& pruning, uint32_t slots)
{
    uint64_t key = 0;
    for (; slots; slots &= slots - 1) key ^= pruning.slotKey[__builtin_ctz(slots)];
    return key;
}

// Whether a placement made with Free slots free ends its branch: it leaves the cells empty
// to the other Free - 1 slots, whose keys XOR to restKey. Free is fixed at compile time, so
// each level of the search compiles only its own test.
template <int Free>
inline bool placementEndsBranch(const Pruning& pruning, uint64_t empty, uint64_t restKey)
{
    if constexpr (Free == 3) {
        // Two pieces will be left: the pair filter turns away nearly every set of empty
        // cells that they cannot fill (walled-in cells included), at the cost of one load.
        // Where it holds no sets, below its from, the look-up of the candidates alone
        // decides.
        return (__builtin_ctzll(empty) >= pruning.pairs.from) & !unionFilterPasses(pruning.pairs, empty, restKey);
    } else if constexpr (Free == 4) {
        // Three pieces will be left. Where the triple filter holds the sets it alone
        // decides: a set with a walled-in cell is no union of placements, so the walled-in
        // test would only repeat it. Below, the walled-in test is all there is. Which of
        // the two decides follows the lowest empty cell, which changes little between
        // neighbouring placements, so a branch predicts it well.
        if (__builtin_ctzll(empty) >= pruning.triples.from) return !unionFilterPasses(pruning.triples, empty, restKey);
        return pruning.walledIn && hasWalledInCell(pruning.steps, empty);
    } else {
        // Otherwise an empty cell walled in on all sides ends the branch. Whether a
        // placement walls one in is as good as random, so the test takes no branch.
        (void)restKey;
        return pruning.walledIn & hasWalledInCell(pruning.steps, empty);
    }
}
