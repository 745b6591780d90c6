// build_up_plan.h: the build-up mode's plans as lists of moves. A move shifts a set of
// solids together by one translation; every solid waits at its start offset until its
// first move brings it in, and where each solid stands after k moves is its start plus the
// shifts of the moves so far. Where the solids lie on a grid, the moves are the assembly
// plan's, in which the real pieces go together: each solid slides in along one axis from
// outside the box to its place. The plan is made twice, free (from any side) and box (into
// the box open at the top of the start view). Where no plan exists the moves bring the
// solids in at their places, from the bottom up, and the plan says which solids interlock;
// files whose solids are not on a grid get that order too. Solids without triangles take
// no part.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "assembly/assembly.h"
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
};

// A plan's moves travel (true) or only bring solids in where they belong.
bool movesTravel(const BuildUpPlan& plan);

struct BuildUpPlans {
    bool onGrid;
    BuildUpPlan free, box;
};

constexpr BoxFace boxOpenFace = BoxFace::top;

BuildUpPlans planBuildUp(const std::vector<SlpSolid>& solids);
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
