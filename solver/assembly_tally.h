// assembly_tally.h: the counts of the statistics (--stats): how the solutions of a table go
// together with the real pieces, with each piece from any side and into the box through
// each of its six faces, straight in (assembly.h) and with one-cell moves (move_plan.h). A
// further count is a field here, a line in tallyAssembly and addTally, and its line in
// statsFiguresText (messages.h).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "assembly/assembly.h"
#include "assembly/move_plan.h"
#include "model/placement.h"

// The plans into the box through one face when pieces may also be pushed one cell.
struct MovePlanCounts {
    uint64_t singleExits;  // every piece goes in on its own (the straight plans among them)
    uint64_t groupExits;   // some group has to go in together
    // Of those, the ones whose search for single pieces stopped at the bound.
    uint64_t groupsAfterBound;
    uint64_t groupSizes[maxMovePlanPieces + 1];  // by the most pieces that go in together
    uint64_t withoutPlan;  // no plan within the bound, or none at all
};

// One-cell moves per plan through the top, of the plans with single pieces only; the
// last count holds that many moves and more.
constexpr int movesCountedSingly = 6;

struct AssemblyTally {
    uint64_t solutions;
    uint64_t freePlans;                        // with each piece from any of the six sides
    uint64_t throughFace[assemblyFaceCount];   // into the box through that face (BoxFace order)
    uint64_t throughNoFace;                    // through none of the six
    MovePlanCounts withMoves[assemblyFaceCount];
    uint64_t movesThroughTop[movesCountedSingly + 1];
};

// Adds the counts of part into sum.
void addTally(AssemblyTally& sum, const AssemblyTally& part);

// The tally of the solutions whose masks follow each other in masks (pieceCount each),
// counted on that many threads, each taking the next few solutions in turn into a tally of
// its own; the counts do not depend on how they were shared out. Meanwhile the calling
// thread calls waiting with the solutions done, a few times a second.
AssemblyTally tallyOnThreads(const AssemblyGridMasks& box, const std::vector<CellMask>& masks, unsigned threads,
                             const std::function<void(uint32_t done)>& waiting);

// The box as the planner's grid.
AssemblyGridMasks boxAssemblyGrid();

// The cells of each piece of a sound record (all twelve pieces inside the box, apart), by
// catalogue index, decoded with the model's placement words as the viewer places them.
void recordPieceMasks(const AssemblyGridMasks& box, const SolutionRecord& record,
                      CellMask masks[pieceCount]);

// Calls work(thread, s) for every solution s below solutions on that many threads, each
// taking the next few solutions in turn. Meanwhile the calling thread calls waiting with the
// solutions done, a few times a second.
void shareOutSolutions(uint32_t solutions, unsigned threads, const std::function<void(unsigned, uint32_t)>& work,
                       const std::function<void(uint32_t done)>& waiting);

// Counts one solution and its straight plans (free and through each face) into tally;
// returns the faces (faceBit) that have one.
unsigned tallyStraightPlans(const PackingSweeps& sweeps, AssemblyTally& tally);

// The plan through face as the statistics count it: a straight plan where straightFaces has
// one, else the search with one-cell moves.
MovePlan planThroughFace(const AssemblyGridMasks& box, const CellMask masks[pieceCount], unsigned straightFaces,
                         BoxFace face);

// Counts one sound record's plans into tally.
void tallyAssembly(const AssemblyGridMasks& box, const CellMask masks[pieceCount], AssemblyTally& tally);
