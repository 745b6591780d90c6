// assembly_bench.cpp: kubo_assembly_bench TABLE, the assembly plans behind "make bench".
// Decodes every record of a table to the pieces' cell masks, then times the straight plans
// of all of them in free mode and through each of the six faces (median of five runs) and
// replays them cell by cell; then the plans with one-cell moves: through the top on every
// core (median of three runs), through all six faces as --stats counts them, and one
// solution after another through the top as the 3-D viewer plans one. Fails only on a
// wrong result.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

#include "model/solution_table.h"
#include "solver/assembly_tally.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One cell at a time towards the face, as far as the grid reaches: a plan is sound when no
// piece meets one placed before it on its way in.
bool replayIsSound(const AssemblyGridMasks& box, const CellMask* masks, const AssemblyStep* steps,
                   int count)
{
    CellMask placed = 0;
    for (int s = 0; s < count; s++) {
        const GridCell n = faceNormal(steps[s].from);
        const CellMask piece = masks[steps[s].piece];
        for (int k = 1; k < box.grid.sizeX + box.grid.sizeY + box.grid.sizeZ; k++)
            for (int bit = 0; bit < box.cellCount; bit++) {
                if (!(piece >> bit & 1)) continue;
                const GridCell c = {bit % box.grid.sizeX + k * n.x, bit / box.grid.sizeX % box.grid.sizeY + k * n.y,
                                    bit / (box.grid.sizeX * box.grid.sizeY) + k * n.z};
                const int at = cellIndex(box.grid, c);
                if (at >= 0 && (placed >> at & 1)) return false;
            }
        placed |= piece;
    }
    return true;
}

// The plans with moves through one face of every solution on that many threads, as --stats
// makes them; the solutions whose pieces go in one by one.
uint64_t planOnThreads(const AssemblyGridMasks& box, const std::vector<CellMask>& masks, unsigned threads, BoxFace face)
{
    std::vector<uint64_t> single(std::max(1u, threads), 0);  // per thread
    shareOutSolutions(
        uint32_t(masks.size() / pieceCount), threads,
        [&](unsigned t, uint32_t s) {
            const CellMask* m = &masks[size_t(s) * pieceCount];
            PackingSweeps sweeps;
            computeSweeps(box, m, pieceCount, sweeps);
            const unsigned straight = planWithSweeps(sweeps, faceBit(face), nullptr, nullptr) == 0 ? faceBit(face) : 0;
            single[t] += planThroughFace(box, m, straight, face).status == MovePlanStatus::singleExits;
        },
        nullptr);
    uint64_t sum = 0;
    for (uint64_t n : single) sum += n;
    return sum;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : solutionTableName;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::printf("cannot read %s\n", path);
        return 1;
    }
    std::vector<unsigned char> bytes;
    unsigned char block[1 << 16];
    for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) bytes.insert(bytes.end(), block, block + got);
    const bool readFault = std::ferror(file) != 0;
    std::fclose(file);
    const size_t records = bytes.size() / recordSize;
    if (readFault || records == 0) {
        std::printf(readFault ? "cannot read %s\n" : "no solutions in %s\n", path);
        return 1;
    }

    const AssemblyGridMasks box = boxAssemblyGrid();
    Clock::time_point start = Clock::now();
    std::vector<CellMask> masks(records * pieceCount);
    for (size_t r = 0; r < records; r++)
        recordPieceMasks(box, decodeRecord(&bytes[r * recordSize]), &masks[r * pieceCount]);
    const double decodeSeconds = secondsSince(start);

    // Wall time and the process's processor time: on a shared machine the second shows
    // what the plans cost while other work takes turns on the cores.
    std::vector<double> runs, cpuRuns;
    AssemblyTally tally = {};
    for (int run = 0; run < 5; run++) {
        tally = {};
        start = Clock::now();
        const std::clock_t cpuStart = std::clock();
        for (size_t r = 0; r < records; r++) {
            PackingSweeps sweeps;
            computeSweeps(box, &masks[r * pieceCount], pieceCount, sweeps);
            tallyStraightPlans(sweeps, tally);
        }
        cpuRuns.push_back(double(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        runs.push_back(secondsSince(start));
    }
    std::sort(runs.begin(), runs.end());
    std::sort(cpuRuns.begin(), cpuRuns.end());
    const double median = runs[2];
    std::printf("straight plans of %zu solutions, free and through each of the six faces (%zu plans):\n",
                records, records * 7);
    std::printf("  decoding the records to cell masks: %.3f s\n", decodeSeconds);
    std::printf("  all plans, median of 5 runs: %.3f s (%.1f M plans/s; fastest %.3f s, slowest %.3f s)\n",
                median, double(records * 7) / median / 1e6, runs[0], runs[4]);
    std::printf("  processor time of all plans, median of 5 runs: %.3f s\n", cpuRuns[2]);
    std::printf("  free %llu, none through a face %llu; through each face:",
                (unsigned long long)tally.freePlans, (unsigned long long)tally.throughNoFace);
    for (int f = 0; f < assemblyFaceCount; f++)
        std::printf(" %s %llu", faceNameEnglish(BoxFace(f)), (unsigned long long)tally.throughFace[f]);
    std::printf("\n");

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf("plans with one-cell moves (a bound of %u states per search), %u threads:\n",
                defaultMovePlanStateBound, cores);
    std::vector<double> topRuns;
    uint64_t topSingle = 0;
    for (int run = 0; run < 3; run++) {
        start = Clock::now();
        topSingle = planOnThreads(box, masks, cores, BoxFace::top);
        topRuns.push_back(secondsSince(start));
    }
    std::sort(topRuns.begin(), topRuns.end());
    std::printf("  through the top, the whole table, median of 3 runs: %.2f s (fastest %.2f s); %llu with single "
                "pieces\n",
                topRuns[1], topRuns[0], (unsigned long long)topSingle);
    start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    const AssemblyTally all = tallyOnThreads(box, masks, cores, nullptr);
    std::printf("  through all six faces, as --stats counts them: %.2f s (processor time %.2f s)\n",
                secondsSince(start), double(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    // One at a time through the top, as the viewer plans the solution it shows.
    std::vector<double> each(records);
    for (size_t r = 0; r < records; r++) {
        const Clock::time_point one = Clock::now();
        planBoxMoves(box.grid, &masks[r * pieceCount], pieceCount, BoxFace::top);
        each[r] = secondsSince(one);
    }
    std::sort(each.begin(), each.end());
    std::printf("  one solution through the top on one thread: median %.1f us, 99.9 %% within %.2f ms, slowest %.1f ms\n",
                each[records / 2] * 1e6, each[records * 999 / 1000] * 1e3, each.back() * 1e3);
    const bool movesAgree = all.withMoves[int(BoxFace::top)].singleExits == topSingle &&
                            all.throughFace[int(BoxFace::top)] == tally.throughFace[int(BoxFace::top)];

    // Every plan once more, with its steps, replayed by the slow mover.
    uint64_t faults = 0, found[1 + assemblyFaceCount] = {};
    for (size_t r = 0; r < records; r++) {
        PackingSweeps sweeps;
        computeSweeps(box, &masks[r * pieceCount], pieceCount, sweeps);
        for (int m = 0; m <= assemblyFaceCount; m++) {
            AssemblyStep steps[pieceCount];
            int count = 0;
            const unsigned faces = m == 0 ? allAssemblyFaces : faceBit(BoxFace(m - 1));
            if (planWithSweeps(sweeps, faces, steps, &count) != 0) continue;
            found[m]++;
            if (count != pieceCount || !replayIsSound(box, &masks[r * pieceCount], steps, count)) faults++;
        }
    }
    bool ok = faults == 0 && found[0] == tally.freePlans;
    for (int f = 0; f < assemblyFaceCount; f++)
        ok = ok && found[f + 1] == tally.throughFace[f] && tally.throughFace[f] <= tally.freePlans;
    std::printf("  every straight plan replayed cell by cell: %s\n", ok ? "sound" : "WRONG");
    if (!movesAgree) std::printf("  the counts with one-cell moves differ between the runs: WRONG\n");
    return ok && movesAgree ? 0 : 1;
}
