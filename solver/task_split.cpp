// task_split.cpp: the split of a plan's search into subtrees.
#include "solver/task_split.h"

#include "solver/walled_in.h"

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
    const StepMasks steps = stepMasks(puzzle.box);
    const bool pruneWalledIn = puzzle.smallestShape > 1;
    const CandidateTables tables = candidateTables(puzzle, ofSlots);
    CandidateSet fits = {};
    withWindowChunks(puzzle, [&](auto chunks) {
        fits = fittingCandidates<decltype(chunks)::value>(tables, task.occupied, task.freeSlots);
    });
    // With three pieces free the search asks the pair filter instead of the walled-in test,
    // with four the triple filter where it holds the sets.
    const int freeCount = __builtin_popcount(task.freeSlots);
    const uint64_t levelKey = keyOfSlots(tables, task.freeSlots);
    forEachCandidate(fits, __builtin_ctzll(~task.occupied), [&](size_t i) {
        const uint64_t empty = full & ~(task.occupied | puzzle.candidateMask[i]);
        const uint64_t restKey = levelKey ^ puzzle.slotKey[puzzle.candidateSlot[i]];
        if (freeCount == 3   ? pairFilterTurnsAway(tables, empty, restKey)
            : freeCount == 4 ? fourFreeTurnsAway(tables, steps, pruneWalledIn, empty, restKey)
                             : pruneWalledIn && hasWalledInCell(steps, empty))
            return;
        Task child = task;
        child.occupied |= puzzle.candidateMask[i];
        child.freeSlots &= ~(uint32_t(1) << puzzle.candidateSlot[i]);
        child.chosen[puzzle.candidateSlot[i]] = int16_t(puzzle.candidatePlacement[i]);
        out.push_back(child);
    });
}

std::vector<Task> makeTasks(const SolverPuzzle& puzzle, const SearchPlan& plan,
                            const std::vector<std::vector<CandidateSet>>& slotTables,
                            uint64_t& placements)
{
    std::vector<Task> tasks;
    for (size_t r = 0; r < plan.roots.size(); r++) tasks.push_back(rootTask(puzzle, plan, int(r)));
    placements = tasks.size();
    const uint64_t full = fullMask(puzzle.box);
    for (int level = 0; level < 4 && !tasks.empty() && tasks.size() < 3000; level++) {
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
