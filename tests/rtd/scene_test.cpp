// Scene computations on the shipped piece meshes and small hand-made solids: bounds and
// fit, outline edges, explode directions, the build-up order, and picking by ray.
#include <gtest/gtest.h>

#include <set>

#include "rtd/scene.h"
#include "tools/piece_mesh.h"

namespace {

SlpSolid solidOf(int pieceIndex, Vec3 shift)
{
    const std::string text = pieceMeshText(pieceIndex);
    SlpSolid s = parseSlp(text.data(), text.size()).solids.at(0);
    for (SlpTriangle& t : s.triangles)
        for (Vec3& c : t.corner) c = c + shift;
    return s;
}

// A unit cube of side 10 centred on c, from a one-cell piece mesh built by hand.
SlpSolid cubeAt(Vec3 c)
{
    PieceCells one = {};
    one.cellCount = 1;
    one.cells[0] = {0, 0, 0};
    SlpSolid s = {"cube", {1, 0, 0}, true, {}};
    for (const MeshTriangle& m : pieceTriangles(one)) {
        SlpTriangle t;
        for (int k = 0; k < 3; k++) {
            t.corner[k] = Vec3{m.corner[k].x * 5.0, m.corner[k].y * 5.0, m.corner[k].z * 5.0} + c;
            t.normal[k] = {double(m.normal.x), double(m.normal.y), double(m.normal.z)};
        }
        s.triangles.push_back(t);
    }
    return s;
}

}  // namespace

TEST(Scene, BoundsAndFitOfTheSolids)
{
    const std::vector<SlpSolid> solids = {cubeAt({0, 0, 0}), cubeAt({40, 30, 20})};
    const Box b = sceneBounds(solids);
    ASSERT_FALSE(b.empty);
    EXPECT_DOUBLE_EQ(b.min.x, -5);
    EXPECT_DOUBLE_EQ(b.max.y, 35);
    EXPECT_DOUBLE_EQ(b.max.z, 25);
    const Fit f = fitToBounds(b);
    EXPECT_DOUBLE_EQ(f.centre.x, 20);
    EXPECT_DOUBLE_EQ(f.centre.y, 15);
    EXPECT_NEAR(f.radius, std::sqrt(50.0 * 50 + 40 * 40 + 30 * 30) / 2, 1e-9);
    // Nothing to fit: a unit sphere, never a zero radius.
    EXPECT_DOUBLE_EQ(fitToBounds(sceneBounds({})).radius, 1);
    SlpSolid point = {"p", {0, 0, 0}, false, {}};
    point.triangles.push_back({{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}, {}});
    EXPECT_DOUBLE_EQ(fitToBounds(sceneBounds({point})).radius, 1);
}

TEST(Scene, OutlineEdgesLeaveOutDiagonalsAndSeams)
{
    EXPECT_EQ(outlineEdges(cubeAt({0, 0, 0})).size(), 12u);
    // Piece 3 of the catalogue as a straight bar of cells would have 12 edges too; count
    // against the cells of each piece instead: every kept edge lies on cube edges of the
    // grid (coordinates on multiples of 5 with two of them odd multiples).
    for (int k = 0; k < pieceCount; k++) {
        const std::vector<Segment> edges = outlineEdges(solidOf(k, {0, 0, 0}));
        EXPECT_GE(edges.size(), 12u) << k;
        for (const Segment& s : edges) {
            const Vec3 d = s.b - s.a;
            const int axes = (d.x != 0) + (d.y != 0) + (d.z != 0);
            EXPECT_EQ(axes, 1) << "no diagonal in piece " << k;
        }
    }
    // Two cubes side by side in one solid: the seam between them on their common faces
    // shows no edge, so the bar keeps its 12 outline edges (4 of them split in two).
    SlpSolid bar = cubeAt({0, 0, 0});
    for (const SlpTriangle& t : cubeAt({10, 0, 0}).triangles) bar.triangles.push_back(t);
    // The inner faces touch: drop them as a piece mesh would.
    std::vector<SlpTriangle> outer;
    for (const SlpTriangle& t : bar.triangles)
        if (!(t.corner[0].x == 5 && t.corner[1].x == 5 && t.corner[2].x == 5)) outer.push_back(t);
    bar.triangles = outer;
    EXPECT_EQ(outlineEdges(bar).size(), 16u);
}

TEST(Scene, ExplodeMovesSolidsOutFromTheCentre)
{
    const std::vector<SlpSolid> solids = {cubeAt({0, 0, 0}), cubeAt({20, 0, 0}), cubeAt({40, 0, 0})};
    const std::vector<Vec3> way = explodeDirections(solids);
    EXPECT_DOUBLE_EQ(way[0].x * explodeFactor(2), -10);
    EXPECT_DOUBLE_EQ(length(way[1]), 0);
    EXPECT_DOUBLE_EQ(way[2].x * explodeFactor(2), 10);
    EXPECT_DOUBLE_EQ(explodeFactor(0), 0);
    EXPECT_DOUBLE_EQ(explodeFactor(-3), 0);
    EXPECT_DOUBLE_EQ(explodeFactor(99), explodeFactor(maxExplodeStep));
}

TEST(Scene, BuildUpGoesFromTheBottomUpInFileOrderPerLayer)
{
    const std::vector<SlpSolid> solids = {cubeAt({0, 20, 0}), cubeAt({0, 0, 0}), SlpSolid{"empty", {}, false, {}},
                                          cubeAt({10, 0, 0}), cubeAt({0, 10, 0})};
    // The empty solid has no place in it.
    EXPECT_EQ(buildUpOrder(solids), (std::vector<int>{1, 3, 4, 0}));
}

TEST(Scene, PickingFindsTheNearestDrawnSolidUnderTheRay)
{
    std::vector<SlpSolid> solids = {cubeAt({0, 0, 0}), cubeAt({0, 0, 20}), cubeAt({50, 0, 0})};
    const Ray fromFront = {{0, 0, 100}, {0, 0, -1}};
    std::vector<bool> drawn = {true, true, true};
    EXPECT_EQ(pickSolid(solids, {}, drawn, fromFront), 1);
    drawn[1] = false;
    EXPECT_EQ(pickSolid(solids, {}, drawn, fromFront), 0);
    EXPECT_EQ(pickSolid(solids, {}, drawn, {{0, 50, 100}, {0, 0, -1}}), -1);
    // Behind the eye is not hit.
    EXPECT_EQ(pickSolid(solids, {}, {true, true, true}, {{0, 0, 10}, {0, 0, 1}}), 1);
    EXPECT_EQ(pickSolid(solids, {}, {true, false, true}, {{0, 0, 10}, {0, 0, 1}}), -1);
    // Offsets move what is hit: the third cube pushed in front of the ray.
    const std::vector<Vec3> offsets = {{0, 0, 0}, {0, 0, 0}, {-50, 0, 40}};
    EXPECT_EQ(pickSolid(solids, offsets, {true, true, true}, fromFront), 2);
}
