// move_plan.h: how a packing goes into a box through its one open face with the moves a
// person makes with real pieces: lift a piece a cell, push it sideways into the room
// another one left, slide two pieces together, take one out. Pure and portable, beside the
// straight plans of assembly.h, which stay the fast first try.
//
// The model. The box's five closed faces never move; above the open face its walls go on
// upwards, so a piece lifted over the rim cannot slide sideways over it and every plan also
// works in the real box (the room above the rim is the box's depth again, enough for any of
// its pieces to rise clear of it). A move pushes one piece by one cell along one of the six
// axis directions, together with every piece it pushes on the way and every piece those
// push, into cells that are empty and inside the box or above its open face. A piece leaves
// when it can go straight out through the open face without end, none of the remaining
// pieces in its way; pieces leave one at a time. The plan is a disassembly: before each exit
// the fewest moves that let some piece leave, found breadth first from where the last exit
// left the pieces, with the directions tried in the order -x, +x, -y, +y, -z, +z and the
// pushing piece in the order of the pieces (so that every program finds the same plan); the
// assembly is that plan backwards. Only where no piece can be brought out on its own does a
// group leave together: the smallest group that can, from the state nearest to the start,
// which must then come apart in free space by the same kind of moves (there every direction
// leads out).
//
// Each search for the next exit is bounded. A search that reaches the bound without an exit
// gives no proof that none exists: the plan then takes the smallest group out of what it
// has seen, and says so (searchesAtBound); where even that fails, the packing is reported as
// boundReached ("no plan found within N states"), never as impossible.
//
// Limits: the grid of assembly.h (at most 64 cells) and at most 16 pieces.
#pragma once

#include <cstdint>
#include <vector>

#include "assembly/assembly.h"

constexpr int maxMovePlanPieces = 16;
// States per search. Every solution of the 5 x 4 x 3 box whose pieces come out one at a time
// through a face needs 10,118 states at most for all its searches together (through the
// right face; the whole table gives the same counts with a bound of a million); a packing
// without such a plan costs the bound, some milliseconds, before its group is taken.
constexpr uint32_t defaultMovePlanStateBound = 20000;

// One step of a disassembly. A one-cell move shifts the pieces (bit i for piece i) by `by`,
// one cell along one axis. An exit takes them away for good along `by`: out through the
// open face (its outward normal), or, for the parts of a group that left the box together,
// out of that group in free space (any axis). inFreeSpace marks the moves and exits that
// take a group apart after it left the box; their cells no longer relate to the box.
struct PackingMove {
    uint64_t pieces;
    GridCell by;
    bool exits;
    bool inFreeSpace;
};

enum class MovePlanStatus : uint8_t {
    singleExits,   // every piece leaves on its own
    groupExit,     // some group leaves together and comes apart outside the box
    boundReached,  // no plan within the bound: not known to be impossible
    noPlan,        // every reachable state searched: no piece or group gets out, or a group
                   // that gets out does not come apart
    badInput,      // grid, pieces or face not usable (see the limits above)
};

struct MovePlan {
    MovePlanStatus status;
    // The disassembly in the order taken apart. The assembly is the reverse, each move
    // backwards (its pieces shifted by -by, an exit coming in along -by).
    std::vector<PackingMove> disassembly;
    int oneCellMoves;        // moves that are not exits, a group's move counted once
    int largestGroup;        // the most pieces that left the box together (1: single exits)
    uint32_t statesSearched; // over all searches of this packing
    // Searches that stopped at the bound: the groups that left after them might have come
    // out one by one after more states.
    int searchesAtBound;
};

// The plan of a packing: pieces as cell masks of the grid (bit x + sizeX * (y + sizeY * z),
// non-empty, disjoint; the grid need not be full).
MovePlan planBoxMoves(const AssemblyGrid& grid, const CellMask* pieces, int pieceCount, BoxFace openFace,
                      uint32_t stateBound = defaultMovePlanStateBound);

// "eine Zelle nach links" and so on: the direction of a one-cell move by `by`, as the
// viewer's start view shows the box (see assembly.h). English: "one cell to the left".
const char* cellMoveNameGerman(GridCell by);
const char* cellMoveNameEnglish(GridCell by);
