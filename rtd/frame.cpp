// frame.cpp: the drawing arrays and the draw runs.
#include "rtd/frame.h"

#include <algorithm>

#include "rtd/scene.h"

DrawArrays buildDrawArrays(const std::vector<SlpSolid>& solids)
{
    DrawArrays a;
    size_t corners = 0;
    for (const SlpSolid& solid : solids) corners += solid.triangles.size() * 3;
    a.positions.reserve(corners * 3);
    a.normals.reserve(corners * 3);
    a.colours.reserve(corners * 3);
    for (const SlpSolid& solid : solids) {
        SolidRange r;
        r.firstCorner = int(a.positions.size() / 3);
        const uint8_t colour[3] = {uint8_t(colourByte(solid.colour.x)), uint8_t(colourByte(solid.colour.y)),
                                   uint8_t(colourByte(solid.colour.z))};
        for (const SlpTriangle& t : solid.triangles)
            for (int k = 0; k < 3; k++) {
                a.positions.insert(a.positions.end(),
                                   {float(t.corner[k].x), float(t.corner[k].y), float(t.corner[k].z)});
                a.normals.insert(a.normals.end(), {float(t.normal[k].x), float(t.normal[k].y), float(t.normal[k].z)});
                a.colours.insert(a.colours.end(), colour, colour + 3);
            }
        r.cornerCount = int(a.positions.size() / 3) - r.firstCorner;
        r.firstEdgePoint = int(a.edgePoints.size() / 3);
        for (const Segment& s : outlineEdges(solid))
            a.edgePoints.insert(a.edgePoints.end(),
                                {float(s.a.x), float(s.a.y), float(s.a.z), float(s.b.x), float(s.b.y), float(s.b.z)});
        r.edgePointCount = int(a.edgePoints.size() / 3) - r.firstEdgePoint;
        a.solids.push_back(r);
    }
    return a;
}

bool operator==(const FrameView& a, const FrameView& b)
{
    return a.camera == b.camera && a.fit == b.fit && a.viewport == b.viewport && a.lighting == b.lighting &&
           a.edges == b.edges && a.drawn == b.drawn && a.offsets == b.offsets;
}

std::vector<DrawRun> drawRuns(const std::vector<bool>& drawn, const std::vector<Vec3>& offsets)
{
    std::vector<DrawRun> runs;
    const size_t n = std::min(drawn.size(), offsets.size());
    for (size_t i = 0; i < n; i++) {
        if (!drawn[i]) continue;
        if (!runs.empty() && runs.back().last == int(i) - 1 && runs.back().offset == offsets[i])
            runs.back().last = int(i);
        else
            runs.push_back({int(i), int(i), offsets[i]});
    }
    return runs;
}
