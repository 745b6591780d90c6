// task_split.cpp: the split of a plan's search into subtrees.
#include "solver/task_split.h"

#include "solver/pruning.h"

Task rootTask(const SolverPuzzle& puzzle, const SearchPlan& plan, int r)
{
    Task task = {};
    const int s = plan.rootSlot;
    task.occupied = puzzle.placements[s][size_t(plan.roots[size_t(r)].placement)].mask;
    task.freeSlots = ((uint32_t(1) << puzzle.slotCount) - 1) & ~(uint32_t(1) << s);
    task.root = r;
    task.chosen[s] = int16_t(plan.roots[size_t(r)].placement);
    task.share = 1.0 / double(plan.roots.size());
    return task;
}

void expandTask(const SolverPuzzle& puzzle, const Task& task,
                const std::vector<CandidateSet>& ofSlots, std::vector<Task>& out)
{
    const uint64_t full = fullMask(puzzle.box);
    if (task.occupied == full) {
        out.push_back(task);
        return;
    }
    // The same placements as the search itself makes, so that the split changes nothing.
    const Pruning pruning = pruningOf(puzzle);
    const Candidates& candidates = puzzle.candidates;
    const CandidateTables tables = candidateTables(candidates, ofSlots);
    CandidateSet fits = {};
    withWindowChunks(puzzle, [&](auto chunks) {
        fits = fittingCandidates<decltype(chunks)::value>(tables, task.occupied, task.freeSlots);
    });
    const uint64_t levelKey = keyOfSlots(pruning, task.freeSlots);
    withFreeCount(task.freeSlots, [&](auto free) {
        forEachCandidate(fits, __builtin_ctzll(~task.occupied), [&](size_t i) {
            const uint64_t empty = full & ~(task.occupied | candidates.mask[i]);
            if (placementEndsBranch<decltype(free)::value>(pruning, empty, levelKey ^ pruning.slotKey[candidates.slot[i]]))
                return;
            Task child = task;
            child.occupied |= candidates.mask[i];
            child.freeSlots &= ~(uint32_t(1) << candidates.slot[i]);
            child.chosen[candidates.slot[i]] = int16_t(candidates.placement[i]);
            out.push_back(child);
        });
    });
}

namespace {

// The split goes down level by level until a level has at least minTaskCount subtrees:
// with thousands of them the largest is a small part of the whole, so the threads end
// close together and the progress moves in small steps, while the split's own work, on
// one thread before the workers start, stays a tiny part of the search. The full puzzle
// stops two levels below its roots (786 subtrees, then 19,350). No more than
// maxSplitLevels levels are split, so that in a puzzle whose search tree stays narrow the
// split does not become the whole search.
constexpr size_t minTaskCount = 3000;
constexpr int maxSplitLevels = 4;

}  // namespace

std::vector<Task> makeTasks(const SolverPuzzle& puzzle, const SearchPlan& plan,
                            const std::vector<std::vector<CandidateSet>>& slotTables,
                            uint64_t& placements)
{
    std::vector<Task> tasks;
    for (size_t r = 0; r < plan.roots.size(); r++) tasks.push_back(rootTask(puzzle, plan, int(r)));
    placements = tasks.size();
    const uint64_t full = fullMask(puzzle.box);
    for (int level = 0; level < maxSplitLevels && !tasks.empty() && tasks.size() < minTaskCount; level++) {
        std::vector<Task> next;
        for (const Task& task : tasks) {
            const size_t before = next.size();
            expandTask(puzzle, task, slotTables[size_t(task.root)], next);
            const size_t children = next.size() - before;
            if (task.occupied != full) placements += children;
            for (size_t i = before; i < next.size(); i++) next[i].share = task.share / double(children);
        }
        tasks.swap(next);
    }
    return tasks;
}
