// scene.cpp: bounds, outline edges, explode directions, build-up order and ray picking.
#include "rtd/scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

// Corners written by different facets of one file agree to the digits printed; a grid of
// 1/1024 unit joins them without joining distinct corners of a puzzle piece. The reader's
// coordinate limit keeps the grid within 32 bits; anything beyond is clamped.
using Key = std::array<int32_t, 3>;
int32_t gridOf(double v)
{
    static_assert(maxSlpCoordinate * 1024 < 2.0e9, "the grid of the reader's coordinates fits 32 bits");
    return int32_t(std::lround(std::clamp(v * 1024, -2.0e9, 2.0e9)));
}
Key keyOf(Vec3 p) { return {gridOf(p.x), gridOf(p.y), gridOf(p.z)}; }

// Möller-Trumbore; the distance along the ray, or -1.
double hitDistance(const Ray& ray, Vec3 a, Vec3 b, Vec3 c)
{
    const Vec3 e1 = b - a, e2 = c - a;
    const Vec3 p = cross(ray.direction, e2);
    const double det = dot(e1, p);
    if (std::fabs(det) < 1e-12) return -1;
    const double inv = 1 / det;
    const Vec3 s = ray.origin - a;
    const double u = dot(s, p) * inv;
    if (u < 0 || u > 1) return -1;
    const Vec3 q = cross(s, e1);
    const double v = dot(ray.direction, q) * inv;
    if (v < 0 || u + v > 1) return -1;
    const double t = dot(e2, q) * inv;
    return t > 0 ? t : -1;
}

}  // namespace

void grow(Box& box, Vec3 p)
{
    if (box.empty) {
        box = {p, p, false};
        return;
    }
    box.min = {std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z)};
    box.max = {std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z)};
}

void grow(Box& box, const Box& other)
{
    if (other.empty) return;
    grow(box, other.min);
    grow(box, other.max);
}

Box shifted(const Box& box, Vec3 offset) { return box.empty ? box : Box{box.min + offset, box.max + offset, false}; }

Box solidBounds(const SlpSolid& solid)
{
    Box box = emptyBox;
    for (const SlpTriangle& t : solid.triangles)
        for (const Vec3& p : t.corner) grow(box, p);
    return box;
}

Box sceneBounds(const std::vector<SlpSolid>& solids)
{
    Box box = emptyBox;
    for (const SlpSolid& solid : solids) grow(box, solidBounds(solid));
    return box;
}

Vec3 boxCentre(const Box& box) { return (box.min + box.max) * 0.5; }

Fit fitToBounds(const Box& box)
{
    if (box.empty) return {{0, 0, 0}, 1};
    const double r = length(box.max - box.min) * 0.5;
    return {boxCentre(box), r > 1e-9 ? r : 1};
}

std::vector<Segment> outlineEdges(const SlpSolid& solid)
{
    // One record per side of a triangle, sorted so that the sides of one edge meet: a
    // flat vector, because a map of a few million edges took minutes and gigabytes.
    struct Side {
        Key a, b;        // a < b
        uint32_t which;  // triangle * 3 + first corner
    };
    const auto faceNormal = [&](size_t triangle) {
        const SlpTriangle& t = solid.triangles[triangle];
        return normalised(cross(t.corner[1] - t.corner[0], t.corner[2] - t.corner[0]));
    };
    std::vector<Side> sides;
    sides.reserve(solid.triangles.size() * 3);
    for (size_t ti = 0; ti < solid.triangles.size(); ti++) {
        if (length(faceNormal(ti)) == 0) continue;
        const SlpTriangle& t = solid.triangles[ti];
        for (int i = 0; i < 3; i++) {
            Key ka = keyOf(t.corner[i]), kb = keyOf(t.corner[(i + 1) % 3]);
            if (ka == kb) continue;
            if (kb < ka) std::swap(ka, kb);
            sides.push_back({ka, kb, uint32_t(ti * 3 + size_t(i))});
        }
    }
    // Ties in file order, so that an edge's ends are those of its first side.
    std::sort(sides.begin(), sides.end(), [](const Side& x, const Side& y) {
        if (x.a != y.a) return x.a < y.a;
        if (x.b != y.b) return x.b < y.b;
        return x.which < y.which;
    });
    // Faces meeting at more than about 20 degrees show an edge.
    const double flat = std::cos(20.0 * 3.14159265358979323846 / 180.0);
    std::vector<Segment> out;
    for (size_t first = 0; first < sides.size();) {
        size_t next = first + 1;
        while (next < sides.size() && sides[next].a == sides[first].a && sides[next].b == sides[first].b) next++;
        bool keep = next - first != 2;
        if (!keep)
            keep = std::fabs(dot(faceNormal(sides[first].which / 3), faceNormal(sides[first + 1].which / 3))) < flat;
        if (keep) {
            const SlpTriangle& t = solid.triangles[sides[first].which / 3];
            const int i = int(sides[first].which % 3);
            Vec3 a = t.corner[i], b = t.corner[(i + 1) % 3];
            if (keyOf(b) < keyOf(a)) std::swap(a, b);
            out.push_back({a, b});
        }
        first = next;
    }
    return out;
}

double explodeFactor(int step) { return 0.25 * std::clamp(step, 0, maxExplodeStep); }

std::vector<Vec3> explodeDirections(const std::vector<SlpSolid>& solids)
{
    const Vec3 centre = boxCentre(sceneBounds(solids));
    std::vector<Vec3> out;
    for (const SlpSolid& solid : solids) {
        const Box b = solidBounds(solid);
        out.push_back(b.empty ? Vec3{0, 0, 0} : boxCentre(b) - centre);
    }
    return out;
}

std::vector<int> buildUpOrder(const std::vector<SlpSolid>& solids)
{
    std::vector<int> order;
    std::vector<Box> boxes;
    for (size_t i = 0; i < solids.size(); i++) {
        boxes.push_back(solidBounds(solids[i]));
        if (!boxes.back().empty) order.push_back(int(i));
    }
    // A tolerance keeps pieces on the same layer in file order despite printed digits.
    const auto less = [&](int a, int b) {
        const Box &ba = boxes[size_t(a)], &bb = boxes[size_t(b)];
        if (std::fabs(ba.min.y - bb.min.y) > 1e-3) return ba.min.y < bb.min.y;
        const double ca = boxCentre(ba).y, cb = boxCentre(bb).y;
        if (std::fabs(ca - cb) > 1e-3) return ca < cb;
        return a < b;
    };
    std::stable_sort(order.begin(), order.end(), less);
    return order;
}

int pickSolid(const std::vector<SlpSolid>& solids, const std::vector<Vec3>& offsets,
              const std::vector<bool>& drawn, const Ray& ray)
{
    int best = -1;
    double nearest = 0;
    for (size_t i = 0; i < solids.size(); i++) {
        if (i >= drawn.size() || !drawn[i]) continue;
        const Vec3 o = i < offsets.size() ? offsets[i] : Vec3{0, 0, 0};
        for (const SlpTriangle& t : solids[i].triangles) {
            const double d = hitDistance(ray, t.corner[0] + o, t.corner[1] + o, t.corner[2] + o);
            if (d > 0 && (best < 0 || d < nearest)) {
                best = int(i);
                nearest = d;
            }
        }
    }
    return best;
}
