// task_split.cpp: the split of a plan's search into subtrees, and each subtree's share of
// the work.
#include "solver/task_split.h"

#include "solver/pruning.h"
#include "solver/splitmix.h"

namespace {

// Calls visit(candidate index) for each placement that the search makes in the state
// (occupied, freeSlots), in its order: the fits at the lowest empty cell that the pruning
// rule lets through.
template <typename Visit>
void forEachPlacementMade(const SolverPuzzle& puzzle, const CandidateTables& tables, const Pruning& pruning,
                          uint64_t occupied, uint32_t freeSlots, Visit visit)
{
    const uint64_t full = fullMask(puzzle.box);
    CandidateSet fits = {};
    withWindowChunks(puzzle, [&](auto chunks) {
        fits = fittingCandidates<decltype(chunks)::value>(tables, occupied, freeSlots);
    });
    const uint64_t levelKey = keyOfSlots(pruning, freeSlots);
    withFreeCount(freeSlots, [&](auto free) {
        forEachCandidate(fits, __builtin_ctzll(~occupied), [&](size_t i) {
            const uint64_t empty = full & ~(occupied | tables.mask[i]);
            if (!placementEndsBranch<decltype(free)::value>(pruning, empty, levelKey ^ pruning.slotKey[tables.slot[i]]))
                visit(i);
        });
    });
}

// The split goes down level by level until a level has at least minTaskCount subtrees:
// with thousands of them the largest is a small part of the whole, so the threads end
// close together and the progress moves in small steps, while the split's own work, on
// one thread before the workers start, stays a tiny part of the search. The full puzzle
// stops two levels below its roots (786 subtrees, then 19,350). No more than
// maxSplitLevels levels are split, so that in a puzzle whose search tree stays narrow the
// split does not become the whole search.
constexpr size_t minTaskCount = 3000;
constexpr int maxSplitLevels = 4;

// Random paths down each subtree that weigh its share of the work (see randomPathSize).
// Eight a subtree, a twentieth of a second for the full puzzle's, kept the estimate of the
// time still to go within about a quarter of the truth from the first fifth of the run on,
// mostly within a tenth; with fewer, a few lucky paths outweigh the rest.
constexpr int pathsPerTask = 8;

// The number of states below (occupied, freeSlots) as one random path down suggests it
// (Knuth's estimate): at each state one of the placements that the search makes there,
// picked at random, and the sum over the levels of the product of the numbers of
// placements on the way. On average it is the true number. A subtree's siblings say far
// less of its size: they differ by orders of magnitude.
double randomPathSize(const SolverPuzzle& puzzle, const CandidateTables& tables, const Pruning& pruning,
                      uint64_t occupied, uint32_t freeSlots, uint64_t& random)
{
    const uint64_t full = fullMask(puzzle.box);
    double size = 1, width = 1;
    while (occupied != full) {
        size_t made[maxCellCandidates];
        uint64_t count = 0;
        forEachPlacementMade(puzzle, tables, pruning, occupied, freeSlots, [&](size_t i) { made[count++] = i; });
        if (count == 0) break;
        width *= double(count);
        size += width;
        const size_t i = made[splitmix64(random) % count];
        occupied |= tables.mask[i];
        freeSlots &= ~(uint32_t(1) << tables.slot[i]);
    }
    return size;
}

}  // namespace

Task rootTask(const SolverPuzzle& puzzle, const SearchPlan& plan, int r)
{
    Task task = {};
    const int s = plan.rootSlot;
    task.occupied = puzzle.placements[s][size_t(plan.roots[size_t(r)].placement)].mask;
    task.freeSlots = ((uint32_t(1) << puzzle.slotCount) - 1) & ~(uint32_t(1) << s);
    task.root = r;
    task.chosen[s] = int16_t(plan.roots[size_t(r)].placement);
    return task;
}

void expandTask(const SolverPuzzle& puzzle, const Task& task,
                const std::vector<CandidateSet>& ofSlots, std::vector<Task>& out)
{
    if (task.occupied == fullMask(puzzle.box)) {
        out.push_back(task);
        return;
    }
    // The same placements as the search itself makes, so that the split changes nothing.
    const CandidateTables tables = candidateTables(puzzle.candidates, ofSlots);
    forEachPlacementMade(puzzle, tables, pruningOf(puzzle), task.occupied, task.freeSlots, [&](size_t i) {
        Task child = task;
        child.occupied |= tables.mask[i];
        child.freeSlots &= ~(uint32_t(1) << tables.slot[i]);
        child.chosen[tables.slot[i]] = int16_t(tables.placement[i]);
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
    for (int level = 0; level < maxSplitLevels && !tasks.empty() && tasks.size() < minTaskCount; level++) {
        std::vector<Task> next;
        for (const Task& task : tasks) {
            const size_t before = next.size();
            expandTask(puzzle, task, slotTables[size_t(task.root)], next);
            if (task.occupied != full) placements += next.size() - before;
        }
        tasks.swap(next);
    }
    // Fixed seeds, so that every run shows the same progress for the same work.
    const Pruning pruning = pruningOf(puzzle);
    uint64_t random = 0x5DEECE66Du;
    double total = 0;
    for (Task& task : tasks) {
        const CandidateTables tables = candidateTables(puzzle.candidates, slotTables[size_t(task.root)]);
        task.share = 0;
        for (int path = 0; path < pathsPerTask; path++)
            task.share += randomPathSize(puzzle, tables, pruning, task.occupied, task.freeSlots, random);
        total += task.share;
    }
    for (Task& task : tasks) task.share /= total;
    return tasks;
}
