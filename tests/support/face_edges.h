// face_edges.h: the inner grid edges of the box faces that one picture shows, each with
// whether the two cells on either side of it belong to different pieces of a placed
// solution. The outline tests check that exactly those edges are drawn, the GUI tests that
// the window shows them (portable: both share it).
#pragma once

#include <vector>

#include "model/placement.h"

struct FaceEdge {
    int along;    // the axis (0 x, 1 y, 2 z) that the edge runs along
    Cell a, b;    // the two face cells it divides, neighbours across it
    Cell low;     // its low end, in tenths of a cell with the cell centres at 10 x, 10 y, 10 z
    Cell middle;  // its middle, in the same tenths
    bool meet;    // a and b belong to different pieces
};

// The edges of the three faces of picture side (+1 upper, -1 lower), face by face, with
// the pieces of record placed in variant with the turn-overs flips.
std::vector<FaceEdge> innerFaceEdges(const SolutionRecord& record, int variant, FlipOptions flips, int side);
