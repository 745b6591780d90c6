// bench_main.cpp: kubo_solver_bench, the figures behind "make bench". It runs the full
// solve in memory on all cores (solutions, wall time, search nodes per second), then the
// reference (dancing links, one thread) and the fast search (one thread) on the same
// subproblem, all fillings with piece 10 at one fixed placement, and their ratio.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "solver/exact_cover.h"
#include "solver/search.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const unsigned cores = std::thread::hardware_concurrency();
    const int threads = argc > 1 ? std::atoi(argv[1]) : int(cores ? cores : 1);
    const SolverPuzzle puzzle = fullPuzzle();
    const SearchPlan plan = planOnePerOrbit(puzzle); printf("root %d, %zu roots\n", plan.rootSlot, plan.roots.size()); if (getenv("ONLYFULL")) { Clock::time_point s0 = Clock::now(); uint64_t nd=0; auto r = solveAll(puzzle, plan, &nd); printf("%zu %.2f %llu\n", r.size(), secondsSince(s0), (unsigned long long)nd); return 0; }

    Clock::time_point start = Clock::now();
    const SearchOutcome full = runSearch(
        puzzle, plan, threads, [](const std::vector<SolutionRecord>&) { return true; }, nullptr,
        nullptr);
    double seconds = secondsSince(start);
    std::printf("full solve, %d threads: %llu solutions, %.2f s, %llu nodes, %.1f M nodes/s\n",
                threads, (unsigned long long)full.stats.solutions, seconds,
                (unsigned long long)full.stats.nodes, double(full.stats.nodes) / seconds / 1e6);

    // The subproblem: piece 10 at the first of its placements up to the half turns.
    const int slot = 10;
    const int placement = planOnePerOrbit(puzzle).rootSlot == slot ? plan.roots[0].placement : 0;
    start = Clock::now();
    const ExactCoverResult reference = solveExactCover(puzzle, slot, placement);
    const double referenceSeconds = secondsSince(start);
    std::printf("reference (dancing links, 1 thread), piece 10 fixed at word 0x%04X: "
                "%llu fillings, %.2f s, %llu nodes\n",
                unsigned(puzzle.placements[slot][size_t(placement)].word),
                (unsigned long long)reference.solutions, referenceSeconds,
                (unsigned long long)reference.nodes);

    start = Clock::now();
    uint64_t nodes = 0;
    const std::vector<SolutionRecord> fast =
        solveAll(puzzle, planFixedPlacement(puzzle, slot, placement), &nodes);
    const double fastSeconds = secondsSince(start);
    std::printf("fast search (1 thread), same subproblem: %zu fillings, %.2f s, %llu nodes\n",
                fast.size(), fastSeconds, (unsigned long long)nodes);
    std::printf("ratio reference / fast: %.1f\n", referenceSeconds / fastSeconds);
    if (fast.size() != reference.solutions) {
        std::printf("MISMATCH: the two counts differ\n");
        return 1;
    }
    return 0;
}
