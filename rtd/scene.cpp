// scene.cpp: bounds, outline edges, explode offsets, build-up order and ray picking.
#include "rtd/scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace {

void include(Box& box, Vec3 p)
{
    if (box.empty) {
        box = {p, p, false};
        return;
    }
    box.min = {std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z)};
    box.max = {std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z)};
}

// Corners written by different facets of one file agree to the digits printed; a grid of
// 1/1024 unit joins them without joining distinct corners of a puzzle piece.
using Key = std::array<long long, 3>;
Key keyOf(Vec3 p)
{
    return {std::llround(p.x * 1024), std::llround(p.y * 1024), std::llround(p.z * 1024)};
}

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

Box solidBounds(const SlpSolid& solid)
{
    Box box = {{0, 0, 0}, {0, 0, 0}, true};
    for (const SlpTriangle& t : solid.triangles)
        for (const Vec3& p : t.corner) include(box, p);
    return box;
}

Box sceneBounds(const std::vector<SlpSolid>& solids)
{
    Box box = {{0, 0, 0}, {0, 0, 0}, true};
    for (const SlpSolid& solid : solids) {
        const Box b = solidBounds(solid);
        if (b.empty) continue;
        include(box, b.min);
        include(box, b.max);
    }
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
    struct EdgeFaces {
        Vec3 a, b;
        std::vector<Vec3> normals;
    };
    std::map<std::pair<Key, Key>, EdgeFaces> edges;
    for (const SlpTriangle& t : solid.triangles) {
        const Vec3 face = normalised(cross(t.corner[1] - t.corner[0], t.corner[2] - t.corner[0]));
        if (length(face) == 0) continue;
        for (int i = 0; i < 3; i++) {
            Vec3 a = t.corner[i], b = t.corner[(i + 1) % 3];
            Key ka = keyOf(a), kb = keyOf(b);
            if (ka == kb) continue;
            if (kb < ka) {
                std::swap(ka, kb);
                std::swap(a, b);
            }
            EdgeFaces& e = edges[{ka, kb}];
            if (e.normals.empty()) e.a = a, e.b = b;
            e.normals.push_back(face);
        }
    }
    // Faces meeting at more than about 20 degrees show an edge.
    const double flat = std::cos(20.0 * 3.14159265358979323846 / 180.0);
    std::vector<Segment> out;
    for (const auto& entry : edges) {
        const EdgeFaces& e = entry.second;
        bool keep = e.normals.size() != 2;
        if (!keep) keep = std::fabs(dot(e.normals[0], e.normals[1])) < flat;
        if (keep) out.push_back({e.a, e.b});
    }
    return out;
}

double explodeFactor(int step) { return 0.25 * std::clamp(step, 0, maxExplodeStep); }

std::vector<Vec3> explodeOffsets(const std::vector<SlpSolid>& solids, double factor)
{
    const Vec3 centre = boxCentre(sceneBounds(solids));
    std::vector<Vec3> out;
    for (const SlpSolid& solid : solids) {
        const Box b = solidBounds(solid);
        out.push_back(b.empty ? Vec3{0, 0, 0} : (boxCentre(b) - centre) * factor);
    }
    return out;
}

std::vector<int> buildUpOrder(const std::vector<SlpSolid>& solids)
{
    std::vector<int> order(solids.size());
    std::vector<Box> boxes;
    for (size_t i = 0; i < solids.size(); i++) {
        order[i] = int(i);
        boxes.push_back(solidBounds(solids[i]));
    }
    // A tolerance keeps pieces on the same layer in file order despite printed digits.
    const auto less = [&](int a, int b) {
        const Box &ba = boxes[size_t(a)], &bb = boxes[size_t(b)];
        if (ba.empty != bb.empty) return bb.empty;
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
