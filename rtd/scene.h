// scene.h: what the viewer computes from the solids once they are read: their bounds and
// the sphere the view is fitted to, the outline edges worth drawing, the directions of the
// exploded view, the bottom-up order of the build-up mode, and which solid a ray hits
// first.
#pragma once

#include <vector>

#include "rtd/camera.h"
#include "rtd/slp.h"

struct Box {
    Vec3 min, max;
    bool empty;
};

struct Segment {
    Vec3 a, b;
};

constexpr Box emptyBox = {{0, 0, 0}, {0, 0, 0}, true};
// Grows the box to hold the point, or the other box.
void grow(Box& box, Vec3 point);
void grow(Box& box, const Box& other);
// The box moved by offset (an empty box stays empty).
Box shifted(const Box& box, Vec3 offset);

Box solidBounds(const SlpSolid& solid);
Box sceneBounds(const std::vector<SlpSolid>& solids);
Vec3 boxCentre(const Box& box);
// The sphere around the bounds of all solids (a unit sphere for an empty scene).
Fit fitToBounds(const Box& box);

// Edges between faces that meet at an angle, and edges with a face on one side only:
// the diagonals of flat quads and the seams between coplanar faces are left out.
std::vector<Segment> outlineEdges(const SlpSolid& solid);

// The way each solid moves out in the exploded view: from the scene centre to its own
// centre (zero for a solid without triangles). An explode step moves it by this times
// explodeFactor(step).
std::vector<Vec3> explodeDirections(const std::vector<SlpSolid>& solids);
// Factor of each explode step (0 = closed box).
double explodeFactor(int step);
constexpr int maxExplodeStep = 8;

// The order in which the build-up mode adds the solids when it follows no plan: from the
// bottom up (lowest bottom first, then lowest centre), ties by the order in the file.
// Solids without triangles have no place in it.
std::vector<int> buildUpOrder(const std::vector<SlpSolid>& solids);

// The first solid hit by the ray among those with drawn[i] set, each moved by its offset
// (offsets may be empty); -1 when the ray hits nothing.
int pickSolid(const std::vector<SlpSolid>& solids, const std::vector<Vec3>& offsets,
              const std::vector<bool>& drawn, const Ray& ray);
