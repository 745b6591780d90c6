// box_plan_bench.cpp: rtd_box_plan_bench TABLE, the start-up cost of rtd's build-up into the
// box behind "make bench". For every solution of the table, as rtd gets it from the
// converter (the pieces in the order of their placement words, cells of one grid), it times
// the packing plan with the planner's bound and its build-up moves, and prints the median,
// the 99.9th percentile and the worst, with the largest number of states one plan searched
// and the process's peak memory. The plans that needed a group are made once more with a
// bound of a million, which must give the same plan. Fails only on a wrong result.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "model/placement.h"
#include "model/solution_table.h"
#include "rtd/build_up_plan.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr AssemblyGrid box = {5, 4, 3};
constexpr double cell = 10;

long peakMegabytes()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

bool samePlan(const MovePlan& a, const MovePlan& b)
{
    if (a.status != b.status || a.disassembly.size() != b.disassembly.size()) return false;
    for (size_t k = 0; k < a.disassembly.size(); k++) {
        const PackingMove &x = a.disassembly[k], &y = b.disassembly[k];
        if (x.pieces != y.pieces || x.by != y.by || x.exits != y.exits || x.inFreeSpace != y.inFreeSpace) return false;
    }
    return true;
}

struct Solution {
    CellMask masks[pieceCount];
    std::vector<Box> placed;
};

// False for a record whose words name no piece or a cell outside the box.
bool solutionOf(const SolutionRecord& record, Solution& s)
{
    s = {};
    for (int i = 0; i < pieceCount; i++) {
        const PlacementWord word = record.words[i];
        const int piece = placementPieceIndex(word);
        if (piece < 0 || piece >= pieceCount) return false;
        const PieceCells cells = placePiece(PieceCatalogue[piece], decodePlacementWord(word));
        Box bounds = emptyBox;
        for (int c = 0; c < cells.cellCount; c++) {
            const GridCell at = {cells.cells[c].x, cells.cells[c].y, cells.cells[c].z};
            const int bit = cellIndex(box, at);
            if (bit < 0) return false;
            s.masks[i] |= CellMask(1) << bit;
            grow(bounds, Vec3{double(at.x), double(at.y), double(at.z)} * cell);
            grow(bounds, Vec3{double(at.x + 1), double(at.y + 1), double(at.z + 1)} * cell);
        }
        s.placed.push_back(bounds);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: rtd_box_plan_bench TABLE\n");
        return 2;
    }
    const char* path = argv[1];
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "rtd_box_plan_bench: cannot read %s\n", path);
        return 1;
    }
    std::vector<SolutionRecord> table;
    for (unsigned char bytes[recordSize]; std::fread(bytes, 1, recordSize, file) == recordSize;)
        table.push_back(decodeRecord(bytes));
    std::fclose(file);
    const size_t records = table.size();
    if (records == 0) {
        std::fprintf(stderr, "rtd_box_plan_bench: no solutions in %s\n", path);
        return 1;
    }
    const long memoryBefore = peakMegabytes();

    const std::vector<int> solidOf = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    const Box filled = {{0, 0, 0}, Vec3{double(box.sizeX), double(box.sizeY), double(box.sizeZ)} * cell, false};
    std::vector<double> times(records);
    std::vector<size_t> grouped;
    size_t statuses[5] = {}, worst = 0, mostStates = 0, longest = 0, emptyPlans = 0;
    uint32_t states = 0;
    for (size_t r = 0; r < records; r++) {
        Solution s;
        if (!solutionOf(table[r], s)) {
            std::fprintf(stderr, "rtd_box_plan_bench: record %zu of %s is no solution\n", r + 1, path);
            return 1;
        }
        const Clock::time_point start = Clock::now();
        const MovePlan plan = planBoxMoves(box, s.masks, pieceCount, BoxFace::top);
        const BuildUpPlan steps = boxPlanOf(plan, solidOf, s.placed, filled, cell, pieceCount);
        times[r] = std::chrono::duration<double>(Clock::now() - start).count();
        statuses[size_t(plan.status)]++;
        if (plan.status == MovePlanStatus::groupExit) grouped.push_back(r);
        if (times[r] > times[worst]) worst = r;
        if (plan.statesSearched > states) {
            states = plan.statesSearched;
            mostStates = r;
        }
        longest = std::max(longest, steps.moves.size());
        emptyPlans += steps.moves.empty();
    }
    const long memoryAfter = peakMegabytes();

    // The plans that needed a group, with a bound fifty times as high.
    constexpr uint32_t highBound = 1000000;
    size_t same = 0;
    for (size_t r : grouped) {
        Solution s;
        solutionOf(table[r], s);
        same += samePlan(planBoxMoves(box, s.masks, pieceCount, BoxFace::top),
                         planBoxMoves(box, s.masks, pieceCount, BoxFace::top, highBound));
    }

    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const auto ms = [&](double fraction) { return sorted[std::min(records - 1, size_t(fraction * double(records)))] * 1e3; };
    std::printf("rtd's plan into the box of %zu solutions (at most %u states per search), plan and build-up moves:\n",
                records, unsigned(defaultMovePlanStateBound));
    std::printf("  median %.3f ms, 99%% %.3f ms, 99.9%% %.3f ms, 99.99%% %.3f ms, worst %.1f ms (solution %zu)\n",
                ms(0.5), ms(0.99), ms(0.999), ms(0.9999), times[worst] * 1e3, worst + 1);
    std::printf("  pieces one by one %zu, a group together %zu, bound reached %zu, no plan %zu; up to %zu steps\n",
                statuses[size_t(MovePlanStatus::singleExits)], statuses[size_t(MovePlanStatus::groupExit)],
                statuses[size_t(MovePlanStatus::boundReached)], statuses[size_t(MovePlanStatus::noPlan)], longest);
    std::printf("  most states of one plan %u (solution %zu); peak memory %ld MB, %ld MB before the plans\n",
                unsigned(states), mostStates + 1, memoryAfter, memoryBefore);
    std::printf("  plans with a group that a bound of %u gives alike: %zu of %zu\n", unsigned(highBound), same,
                grouped.size());
    const bool ok = emptyPlans == statuses[size_t(MovePlanStatus::boundReached)] + statuses[size_t(MovePlanStatus::noPlan)] +
                                      statuses[size_t(MovePlanStatus::badInput)] &&
                    same == grouped.size();
    if (!ok) std::printf("  WRONG: %zu plans gave no build-up moves\n", emptyPlans);
    return ok ? 0 : 1;
}
