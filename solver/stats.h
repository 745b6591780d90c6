// stats.h: the runs that read a whole table. -p checks it; --stats counts how its solutions
// go together with the real pieces: with each piece from any side, and into the box through
// each of its six faces. Both read the table the same way and report a missing or damaged
// table with the same texts; --stats gives its figures only for a table that -p accepts.
// Neither writes anything.
#pragma once

#include <cstdint>
#include <string>

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

// The runs of the program; each returns its exit code. showProgress: a person watches the
// console, so a progress line may be redrawn in place.
int runTableCheck(const std::string& path);
int runAssemblyStats(const std::string& path, bool showProgress);
