// solver_bench.cpp: kubo_solver_bench, the comparison behind "make bench": the reference
// (dancing links, one thread) and the fast search (one thread) on the same subproblem,
// all fillings with piece 10 at one fixed placement, their times and their ratio; then the
// full search on every core, for the idle share of each thread. The full solve is timed by
// running the program itself (tools/bench-solver.sh).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "bench/exact_cover.h"
#include "solver/search.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main()
{
    const SolverPuzzle puzzle = fullPuzzle();
    const SearchPlan plan = planOnePerOrbit(puzzle);

    // The subproblem: piece 10 at the first of its placements up to the half turns.
    const int slot = 10;
    const int placement = plan.rootSlot == slot ? plan.roots[0].placement : 0;
    Clock::time_point start = Clock::now();
    const ExactCoverResult reference = solveExactCover(puzzle, slot, placement);
    const double referenceSeconds = secondsSince(start);
    std::printf("reference, dancing links, 1 thread, piece 10 fixed at word 0x%04X: "
                "%llu fillings in %.2f s (%llu nodes)\n",
                unsigned(puzzle.placements[slot][size_t(placement)].word),
                (unsigned long long)reference.solutions, referenceSeconds,
                (unsigned long long)reference.nodes);

    start = Clock::now();
    uint64_t nodes = 0;
    const std::vector<SolutionRecord> fast =
        solveAll(puzzle, planFixedPlacement(puzzle, slot, placement), &nodes);
    const double fastSeconds = secondsSince(start);
    std::printf("fast search, 1 thread, same subproblem: %zu fillings in %.2f s (%llu nodes, "
                "%.1f M nodes/s)\n",
                fast.size(), fastSeconds, (unsigned long long)nodes,
                double(nodes) / fastSeconds / 1e6);
    std::printf("ratio reference / fast: %.1f\n", referenceSeconds / fastSeconds);
    if (fast.size() != reference.solutions) {
        std::printf("the two counts differ\n");
        return 1;
    }

    const int threads = int(std::max(1u, std::thread::hardware_concurrency()));
    start = Clock::now();
    const SearchOutcome outcome =
        runSearch(puzzle, plan, threads, [](const std::vector<SolutionRecord>&) { return true; }, nullptr, nullptr);
    std::printf("full search, %d threads: %llu fillings in %.2f s, %zu subtrees; idle share of each thread:",
                threads, (unsigned long long)outcome.stats.solutions, secondsSince(start), outcome.stats.taskTotal);
    for (double idle : outcome.idleShare) std::printf(" %.1f %%", 100 * idle);
    std::printf("\n");
    return 0;
}
