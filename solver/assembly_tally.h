// assembly_tally.h: the counts of the statistics (--stats): how the solutions of a table go
// together with the real pieces, with each piece from any side and into the box through
// each of its six faces. A further count is a field here, a line in tallyAssembly and its
// line in statsFiguresText (messages.h).
#pragma once

#include <cstdint>

#include "assembly/assembly.h"
#include "model/placement.h"

struct AssemblyTally {
    uint64_t solutions;
    uint64_t freePlans;                        // with each piece from any of the six sides
    uint64_t throughFace[assemblyFaceCount];   // into the box through that face (BoxFace order)
    uint64_t throughNoFace;                    // through none of the six
};

// The box as the planner's grid.
AssemblyGridMasks boxAssemblyGrid();

// The cells of each piece of a sound record (all twelve pieces inside the box, apart), by
// catalogue index, decoded with the model's placement words as the viewer places them.
void recordPieceMasks(const AssemblyGridMasks& box, const SolutionRecord& record,
                      CellMask masks[pieceCount]);

// Counts one sound record's plans into tally.
void tallyAssembly(const AssemblyGridMasks& box, const CellMask masks[pieceCount], AssemblyTally& tally);
