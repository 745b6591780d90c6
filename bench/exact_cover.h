// exact_cover.h: the plain reference, Knuth's Algorithm X with dancing links and the
// column with the fewest rows chosen first. One column per piece and one per cell; one
// row per placement of a piece. It has none of the fast search's tricks, which makes it
// the yardstick for speed and a second opinion on the counts.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "solver/search.h"

struct ExactCoverResult {
    uint64_t solutions;
    uint64_t nodes;  // rows taken into a partial solution
};

// Each solution as the placement index of every slot, in slot order.
using CoverFn = std::function<void(const std::vector<int>& placementOfSlot)>;

// Every filling of the puzzle; with fixedSlot >= 0 only those in which that slot takes
// placement fixedPlacement.
ExactCoverResult solveExactCover(const SolverPuzzle& puzzle, int fixedSlot, int fixedPlacement,
                                 const CoverFn& onSolution = nullptr);
