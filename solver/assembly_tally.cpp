// assembly_tally.cpp: the statistics' counts of one solution after another.
#include "solver/assembly_tally.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

AssemblyGridMasks boxAssemblyGrid()
{
    AssemblyGridMasks box;
    prepareAssemblyGrid({boxSizeX, boxSizeY, boxSizeZ}, box);
    return box;
}

void recordPieceMasks(const AssemblyGridMasks& box, const SolutionRecord& record,
                      CellMask masks[pieceCount])
{
    for (int i = 0; i < pieceCount; i++) masks[i] = 0;
    for (const PlacementWord word : record.words) {
        const int piece = placementPieceIndex(word);
        if (piece < 0 || piece >= pieceCount) continue;
        const PieceCells placed = placePiece(PieceCatalogue[piece], decodePlacementWord(word));
        for (int i = 0; i < placed.cellCount; i++) {
            const Cell c = placed.cells[i];
            const int bit = cellIndex(box.grid, {c.x, c.y, c.z});
            if (bit >= 0) masks[piece] |= CellMask(1) << bit;
        }
    }
}

namespace {

void countMovePlan(const MovePlan& plan, BoxFace face, AssemblyTally& tally)
{
    MovePlanCounts& counts = tally.withMoves[int(face)];
    switch (plan.status) {
    case MovePlanStatus::singleExits:
        counts.singleExits++;
        if (face == BoxFace::top) tally.movesThroughTop[std::min(plan.oneCellMoves, movesCountedSingly)]++;
        break;
    case MovePlanStatus::groupExit:
        counts.groupExits++;
        counts.groupsAfterBound += plan.searchesAtBound > 0;
        counts.groupSizes[std::min(plan.largestGroup, maxMovePlanPieces)]++;
        break;
    default:
        counts.withoutPlan++;
        break;
    }
}

}  // namespace

unsigned tallyStraightPlans(const PackingSweeps& sweeps, AssemblyTally& tally)
{
    tally.solutions++;
    if (planWithSweeps(sweeps, allAssemblyFaces, nullptr, nullptr) == 0) tally.freePlans++;
    unsigned faces = 0;
    for (int f = 0; f < assemblyFaceCount; f++)
        if (planWithSweeps(sweeps, faceBit(BoxFace(f)), nullptr, nullptr) == 0) {
            tally.throughFace[f]++;
            faces |= faceBit(BoxFace(f));
        }
    if (!faces) tally.throughNoFace++;
    return faces;
}

MovePlan planThroughFace(const AssemblyGridMasks& box, const CellMask masks[pieceCount], unsigned straightFaces,
                         BoxFace face)
{
    // A straight plan is the plan with moves too, without a move; the search with moves
    // starts only where the straight one gets stuck.
    if (straightFaces & faceBit(face)) return {MovePlanStatus::singleExits, {}, 0, 1, 0, 0};
    return planBoxMoves(box.grid, masks, pieceCount, face);
}

void tallyAssembly(const AssemblyGridMasks& box, const CellMask masks[pieceCount], AssemblyTally& tally)
{
    PackingSweeps sweeps;
    computeSweeps(box, masks, pieceCount, sweeps);
    const unsigned straight = tallyStraightPlans(sweeps, tally);
    for (int f = 0; f < assemblyFaceCount; f++)
        countMovePlan(planThroughFace(box, masks, straight, BoxFace(f)), BoxFace(f), tally);
}

void addTally(AssemblyTally& sum, const AssemblyTally& part)
{
    sum.solutions += part.solutions;
    sum.freePlans += part.freePlans;
    sum.throughNoFace += part.throughNoFace;
    for (int f = 0; f < assemblyFaceCount; f++) {
        sum.throughFace[f] += part.throughFace[f];
        MovePlanCounts& s = sum.withMoves[f];
        const MovePlanCounts& p = part.withMoves[f];
        s.singleExits += p.singleExits;
        s.groupExits += p.groupExits;
        s.groupsAfterBound += p.groupsAfterBound;
        s.withoutPlan += p.withoutPlan;
        for (int g = 0; g <= maxMovePlanPieces; g++) s.groupSizes[g] += p.groupSizes[g];
    }
    for (int m = 0; m <= movesCountedSingly; m++) sum.movesThroughTop[m] += part.movesThroughTop[m];
}

void shareOutSolutions(uint32_t solutions, unsigned threads, const std::function<void(unsigned, uint32_t)>& work,
                       const std::function<void(uint32_t done)>& waiting)
{
    constexpr uint32_t turn = 64;
    std::atomic<uint32_t> next{0}, done{0};
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < std::max(1u, threads); t++)
        workers.emplace_back([&, t] {
            for (uint32_t first; (first = next.fetch_add(turn)) < solutions;) {
                const uint32_t end = std::min(solutions, first + turn);
                for (uint32_t s = first; s < end; s++) work(t, s);
                done.fetch_add(end - first);
            }
        });
    while (done.load() < solutions) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (waiting) waiting(done.load());
    }
    for (std::thread& worker : workers) worker.join();
}

AssemblyTally tallyOnThreads(const AssemblyGridMasks& box, const std::vector<CellMask>& masks, unsigned threads,
                             const std::function<void(uint32_t done)>& waiting)
{
    threads = std::max(1u, threads);
    std::vector<AssemblyTally> tallies(threads, AssemblyTally{});
    shareOutSolutions(
        uint32_t(masks.size() / pieceCount), threads,
        [&](unsigned t, uint32_t s) { tallyAssembly(box, &masks[size_t(s) * pieceCount], tallies[t]); }, waiting);
    AssemblyTally sum = {};
    for (const AssemblyTally& part : tallies) addTally(sum, part);
    return sum;
}
