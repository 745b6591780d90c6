// assembly_bench.cpp: kubo_assembly_bench TABLE, the assembly plans behind "make bench".
// Decodes every record of a table to the pieces' cell masks, then times the plans of all
// of them in free mode and through each of the six faces (median of five runs), and
// replays every plan found cell by cell. Fails only on a wrong result.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
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
    std::fclose(file);
    const size_t records = bytes.size() / recordSize;

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
        for (size_t r = 0; r < records; r++) tallyAssembly(box, &masks[r * pieceCount], tally);
        cpuRuns.push_back(double(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        runs.push_back(secondsSince(start));
    }
    std::sort(runs.begin(), runs.end());
    std::sort(cpuRuns.begin(), cpuRuns.end());
    const double median = runs[2];
    std::printf("assembly plans of %zu solutions, free and through each of the six faces (%zu plans):\n",
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
    std::printf("  every plan replayed cell by cell: %s\n", ok ? "sound" : "WRONG");
    return ok ? 0 : 1;
}
