// frame.h: what one frame draws, apart from OpenGL: the drawing arrays of all solids in
// file order, made once; the view of a frame (camera, fit, switches, which solids are drawn
// and where each stands), whose equality tells a frame drawn in steps whether to go on or
// start anew; and the runs of solids that one draw call each takes.
#pragma once

#include <cstdint>
#include <vector>

#include "rtd/camera.h"
#include "rtd/slp.h"

// Where one solid's triangles and outline edges lie in the shared arrays.
struct SolidRange {
    int firstCorner, cornerCount;
    int firstEdgePoint, edgePointCount;
};

struct DrawArrays {
    std::vector<float> positions, normals;  // three floats per corner
    std::vector<uint8_t> colours;           // three bytes per corner
    std::vector<float> edgePoints;          // three floats per segment end
    std::vector<SolidRange> solids;         // per solid, in file order
};

DrawArrays buildDrawArrays(const std::vector<SlpSolid>& solids);

struct FrameView {
    Camera camera;
    Fit fit;
    Viewport viewport;
    bool lighting, edges;
    std::vector<bool> drawn;     // per solid
    std::vector<Vec3> offsets;   // per solid: exploded and on its way in the build-up
};

bool operator==(const FrameView& a, const FrameView& b);

// Consecutive drawn solids moved alike, drawn by one call.
struct DrawRun {
    int first, last;
    Vec3 offset;
};

inline bool operator==(const DrawRun& a, const DrawRun& b)
{
    return a.first == b.first && a.last == b.last && a.offset == b.offset;
}

std::vector<DrawRun> drawRuns(const std::vector<bool>& drawn, const std::vector<Vec3>& offsets);
