// search.h: the fast enumeration of fillings. Exact cover on 64-bit cell masks that
// always fills the lowest empty cell, trying for it every unused piece's placements whose
// lowest cell it is. One piece (the root piece) is placed first; restricting it to one
// placement per orbit of the box's half turns, and settling the fillings that a half turn
// leaves that placement on by comparing their images, yields each filling exactly once
// up to the variants a..d. (A root may also be searched as a pair with an image of its
// own, each half settled the same way: see pairRoot.) A placement that walls in an empty
// cell ends its branch, and so does one that leaves two or three pieces cells they cannot
// fill (see pruning.h).
//
// The search splits into many small subtrees, taken in the order in which a single
// depth-first pass meets them. Worker threads solve them in any order; the calling thread
// hands on the solutions of each unbroken run of finished subtrees in subtree order, so
// the sequence of records is the same for every thread count.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/placement.h"
#include "solver/plans.h"
#include "solver/puzzle.h"

struct SearchStats {
    uint64_t solutions;  // handed on so far
    uint64_t nodes;      // placements made in finished subtrees
    size_t tasksDone, taskTotal;
    double share;        // estimated part of the search done, 0..1
};

// Receives the next records in their final order; returns false to stop the search
// (for instance when the table cannot be written).
using DeliverFn = std::function<bool(const std::vector<SolutionRecord>& records)>;
// Called on the calling thread about every tickMilliseconds and once at the end.
using TickFn = std::function<void(const SearchStats& stats)>;

enum class SearchEnd { complete, cancelled, refused };

struct SearchOutcome {
    SearchEnd end;
    SearchStats stats;
    // For each worker thread, the share of the run (from the workers' start to the last
    // one's end) that it spent without a subtree to search: how well the split keeps the
    // cores busy to the end.
    std::vector<double> idleShare;
};

// Runs the plan on threads workers (at least 1). Records reach deliver in the same order
// and batches of whole records for any thread count. cancel, when given and set, ends
// the run early; what was delivered stays a prefix of the complete sequence.
SearchOutcome runSearch(const SolverPuzzle& puzzle, const SearchPlan& plan, int threads,
                        const DeliverFn& deliver, const TickFn& tick,
                        const std::atomic<bool>* cancel, int tickMilliseconds = 100);

// Single-threaded, in the caller's thread: the whole sequence of records of a plan.
std::vector<SolutionRecord> solveAll(const SolverPuzzle& puzzle, const SearchPlan& plan,
                                     uint64_t* nodes = nullptr);
