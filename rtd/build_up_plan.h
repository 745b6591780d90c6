// build_up_plan.h: the build-up mode's plans as lists of moves. A move shifts a set of
// solids together by one translation; every solid waits at its start offset until its
// first move brings it in, and where each solid stands after k moves is its start plus the
// shifts of the moves so far. Where the solids lie on a grid, the moves are those in which
// the real pieces go together. The plan is made twice. Free (from any side): each solid
// slides in along one axis from outside the box to its place. Box (into the box open at
// the top of the start view): the packing plan's steps, each a solid coming in from above
// or a solid or group pushed one cell; pieces that only go in together are put together
// above the box first and come in as one. Where no plan exists the moves bring the solids
// in at their places, from the bottom up, and the plan says which solids interlock; files
// whose solids are not on a grid get that order too. Solids without triangles take no
// part.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "assembly/assembly.h"
#include "assembly/move_plan.h"
#include "rtd/scene.h"
#include "rtd/texts.h"

struct BuildUpMove {
    std::vector<int> solids;  // moved together
    Vec3 shift;               // by this, in scene units
    // What the move does, per Language ("Baustein 5 von oben"); "" for a solid that
    // just appears at its place.
    std::array<std::string, 2> caption;
};

struct BuildUpPlan {
    std::vector<Vec3> start;  // per solid: where it waits until its first move
    std::vector<BuildUpMove> moves;
    std::vector<int> interlocked;  // no plan: the solids that lock each other
    bool cellSteps = false;        // the steps of a packing plan into the box ("Schritt")
    uint32_t boundReached = 0;     // no packing plan within this many states per search
};

// A plan's moves travel (true) or only bring solids in where they belong.
bool movesTravel(const BuildUpPlan& plan);

struct BuildUpPlans {
    bool onGrid;
    BuildUpPlan free, box;
};

constexpr BoxFace boxOpenFace = BoxFace::top;

BuildUpPlans planBuildUp(const std::vector<SlpSolid>& solids);
// The box plan of a packing plan (status singleExits or groupExit): solidOf[piece] is the
// planner's piece's solid, placed[piece] its bounds where it belongs, cell the grid's
// edge. The disassembly reversed: an exit becomes a solid coming in from outside, clear of
// the box, a group's exit a group put together outside and coming in as one. Empty moves
// for a plan that does not fit the pieces.
BuildUpPlan boxPlanOf(const MovePlan& plan, const std::vector<int>& solidOf, const std::vector<Box>& placed,
                      const Box& box, double cell, size_t solidCount);
const BuildUpPlan& planFor(const BuildUpPlans& plans, bool boxMode);

// Where the solids stand after the first count moves: per solid its offset, and whether a
// move has brought it in yet.
struct BuildUpPlacement {
    std::vector<Vec3> offsets;
    std::vector<bool> in;
};
BuildUpPlacement placementAfter(const BuildUpPlan& plan, int count);

// The bounds that the solids moved by a move pass through: where they stand before it and
// after it.
Box movePath(const BuildUpPlan& plan, const std::vector<Box>& solidBoxes, int move);
