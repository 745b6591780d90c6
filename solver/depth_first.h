// depth_first.h: the depth-first search of one subtree, on the calling thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "solver/plans.h"
#include "solver/puzzle.h"

// A subtree: the state after its first placements, in the search's own order.
struct Task {
    uint64_t occupied;
    uint32_t freeSlots;
    int root;
    int16_t chosen[pieceCount];
    // Share of the whole search's work, for the progress line: makeTasks weighs each
    // subtree by random paths down it.
    double share;
};

// Calls run(std::integral_constant<int, the puzzle's windowChunks>()), so that the search
// is compiled for each window size a puzzle can have.
template <typename Run>
void withWindowChunks(const SolverPuzzle& puzzle, Run run)
{
    if (puzzle.candidates.windowChunks == shortWindowChunks)
        run(std::integral_constant<int, shortWindowChunks>());
    else
        run(std::integral_constant<int, maxWindowChunks>());
}

// Calls run(std::integral_constant<int, number of free slots>()) (1 or more), so that
// each level of the search is compiled for itself.
template <typename Run>
void withFreeCount(uint32_t freeSlots, Run run)
{
    static_assert(pieceCount == 12, "one case per number of free slots besides the root's");
    switch (__builtin_popcount(freeSlots)) {
    case 1: run(std::integral_constant<int, 1>()); break;
    case 2: run(std::integral_constant<int, 2>()); break;
    case 3: run(std::integral_constant<int, 3>()); break;
    case 4: run(std::integral_constant<int, 4>()); break;
    case 5: run(std::integral_constant<int, 5>()); break;
    case 6: run(std::integral_constant<int, 6>()); break;
    case 7: run(std::integral_constant<int, 7>()); break;
    case 8: run(std::integral_constant<int, 8>()); break;
    case 9: run(std::integral_constant<int, 9>()); break;
    case 10: run(std::integral_constant<int, 10>()); break;
    default: run(std::integral_constant<int, 11>()); break;
    }
}

// Searches the subtree of task (of the plan's root task.root) and appends its records to
// out in the search's order; gives the placements made. ofSlots is slotTablesOfRoot of
// that root. stop, when given and set, ends the search early.
uint64_t searchSubtree(const SolverPuzzle& puzzle, const SearchPlan& plan,
                       const std::vector<CandidateSet>& ofSlots, const Task& task,
                       const std::atomic<bool>* stop, std::vector<SolutionRecord>& out);
