// task_split.h: the split of a plan's search into many small subtrees, in the order in
// which a single depth-first pass meets them.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/depth_first.h"

// The task of the plan's root r: the root piece placed, every other slot free.
Task rootTask(const SolverPuzzle& puzzle, const SearchPlan& plan, int r);
// The subtrees one level further down, in the order the search takes them. A finished
// filling stays a task of its own, so the emit happens in the worker as everywhere else.
void expandTask(const SolverPuzzle& puzzle, const Task& task,
                const std::vector<CandidateSet>& ofSlots, std::vector<Task>& out);
// Enough subtrees that threads stay busy to the end and progress moves smoothly; the
// split changes nothing in the order of the records.
// placements counts the placements made on the way, the roots included.
std::vector<Task> makeTasks(const SolverPuzzle& puzzle, const SearchPlan& plan,
                            const std::vector<std::vector<CandidateSet>>& slotTables,
                            uint64_t& placements);
