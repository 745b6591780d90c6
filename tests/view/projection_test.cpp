// Tests of the dimetric projection and of the fixed geometry built on it: axes,
// arrowheads, faces, grid and the visible-face filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "view/projection.h"

namespace {

const ViewGeometry sampleView[3] = {
    {1, 700, 150, 600, 500},
    {2, 750, 120, 560, 480},
    {3, 790, 90, 510, 440},
};

ScreenPoint upperCorner(const ViewGeometry& v, int x, int y, int z) { return projectPoint(v, 1, x, y, z, 1); }
ScreenPoint lowerCorner(const ViewGeometry& v, int x, int y, int z) { return projectPoint(v, -1, x, y, z, 1); }

ScreenPoint offset(ScreenPoint p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

TEST(Projection, OriginsAndCornersAtEveryZoom)
{
    for (const ViewGeometry& v : sampleView) {
        const int s = v.zoom;
        SCOPED_TRACE(s);
        EXPECT_EQ(upperCorner(v, 5, 4, 3), (ScreenPoint{v.upperX, v.upperY}));
        EXPECT_EQ(lowerCorner(v, 0, 0, 0), (ScreenPoint{v.lowerX, v.lowerY}));
        EXPECT_EQ(upperCorner(v, 0, 0, 0), (ScreenPoint{v.upperX - 93 * s, v.upperY + 57 * s}));
        // One cell along x, y, z: (24, 3) s, (0, -24) s, (-9, 8) s; the lower picture
        // negates the vertical components.
        const ScreenPoint u0 = upperCorner(v, 0, 0, 0), l0 = lowerCorner(v, 0, 0, 0);
        EXPECT_EQ(upperCorner(v, 1, 0, 0), offset(u0, 24 * s, 3 * s));
        EXPECT_EQ(upperCorner(v, 0, 1, 0), offset(u0, 0, -24 * s));
        EXPECT_EQ(upperCorner(v, 0, 0, 1), offset(u0, -9 * s, 8 * s));
        EXPECT_EQ(lowerCorner(v, 1, 0, 0), offset(l0, 24 * s, -3 * s));
        EXPECT_EQ(lowerCorner(v, 0, 1, 0), offset(l0, 0, 24 * s));
        EXPECT_EQ(lowerCorner(v, 0, 0, 1), offset(l0, -9 * s, -8 * s));
        // A side of 0 counts as the lower picture.
        EXPECT_EQ(projectPoint(v, 0, 3, 2, 1, 1), lowerCorner(v, 3, 2, 1));
    }
    EXPECT_EQ(upperCorner(sampleView[2], 0, 0, 0), (ScreenPoint{790 - 279, 90 + 171}));
}

TEST(Projection, DivisionTruncatesTowardZeroAfterTheProduct)
{
    const ViewGeometry& v = sampleView[0];
    // (0, 0, 45) / 10: -40.5 truncates to -40, 36 stays.
    EXPECT_EQ(projectPoint(v, 1, 0, 0, 45, 10), offset(upperCorner(v, 0, 0, 0), -40, 36));
    EXPECT_EQ(projectPoint(v, -1, 0, 0, 45, 10), offset(lowerCorner(v, 0, 0, 0), -40, -36));
    // At zoom 3 the product comes first: (-9 * 1 * 3) / 10 = -2, not -9 / 10 * 3 = 0.
    EXPECT_EQ(projectPoint(sampleView[2], -1, 0, 0, 1, 10).x, sampleView[2].lowerX - 2);
    // Centred tenths: the centre of cell (0,0,0) is (5,5,5) tenths from the corner.
    EXPECT_EQ(projectTenths(v, 1, {0, 0, 0}), projectPoint(v, 1, 5, 5, 5, 10));
    EXPECT_EQ(projectTenths(v, -1, {45, -5, 25}), lowerCorner(v, 5, 0, 3));
}

TEST(Projection, AxesEndAtFixedDistancesFromTheBox)
{
    for (const ViewGeometry& v : sampleView) {
        SCOPED_TRACE(v.zoom);
        for (int side : {1, -1}) {
            const int up = side > 0 ? 1 : -1;  // vertical sign of the picture
            auto end = [&](int axis) {
                const AxisEnd a = axisEnd(axis, side, v.zoom);
                return projectPoint(v, side, a.x, a.y, a.z, a.d);
            };
            auto corner = [&](int x, int y, int z) { return projectPoint(v, side, x, y, z, 1); };
            EXPECT_EQ(end(0), offset(corner(5, 0, 0), 24, 3 * up));
            EXPECT_EQ(end(1), offset(corner(0, 4, 0), 0, -24 * up));
            EXPECT_EQ(end(2), offset(corner(0, 0, 3), -13, 12 * up));
        }
    }
    // Labels and alignments: " x" baseline in both; y above / below; z below / above.
    EXPECT_STREQ(axisEnd(0, 1, 1).label, " x");
    EXPECT_EQ(axisEnd(0, 1, 2).alignment, 24);
    EXPECT_EQ(axisEnd(0, -1, 2).alignment, 24);
    EXPECT_EQ(axisEnd(1, 1, 1).alignment, 14);
    EXPECT_EQ(axisEnd(1, -1, 1).alignment, 6);
    EXPECT_EQ(axisEnd(2, 1, 3).alignment, 2);
    EXPECT_EQ(axisEnd(2, -1, 3).alignment, 10);
    EXPECT_FLOAT_EQ(axisEnd(2, -1, 3).direction, 138.3665f);
    EXPECT_FLOAT_EQ(axisEnd(0, 1, 3).direction, -7.125f);
}

TEST(Projection, ArrowHeadsPointAlongTheirAxes)
{
    const ScreenPoint tip = {100, 100};
    // Straight up: both back corners 15 below the tip, 3 to either side.
    ArrowHead up = arrowHeadAt(tip, 90.0f, 22.0f, 15.0f);
    EXPECT_EQ(up.tip, tip);
    EXPECT_EQ(up.p1, (ScreenPoint{103, 115}));
    EXPECT_EQ(up.p2, (ScreenPoint{97, 115}));
    ArrowHead down = arrowHeadAt(tip, -90.0f, 22.0f, 15.0f);
    EXPECT_EQ(down.p1, (ScreenPoint{97, 85}));
    EXPECT_EQ(down.p2, (ScreenPoint{103, 85}));
    // Every axis's head lies behind its tip, back along the axis, about 15 pixels long.
    const ViewGeometry& v = sampleView[1];
    for (int side : {1, -1})
        for (int axis = 0; axis < 3; axis++) {
            const AxisEnd a = axisEnd(axis, side, v.zoom);
            const ScreenPoint start = projectPoint(v, side, 0, 0, 0, 1);
            const ScreenPoint end = projectPoint(v, side, a.x, a.y, a.z, a.d);
            const ArrowHead head = arrowHeadAt(end, a.direction, float(arrowOpening), float(arrowLength));
            for (ScreenPoint p : {head.p1, head.p2}) {
                const int bx = p.x - end.x, by = p.y - end.y;
                const int ax = start.x - end.x, ay = start.y - end.y;
                EXPECT_GT(bx * ax + by * ay, 0) << axis << " " << side;  // toward the axis's start
                EXPECT_NEAR(bx * bx + by * by, 225, 30) << axis << " " << side;
            }
        }
}

TEST(Projection, FacesAreTheVisibleBoxFacesAndStrokeNineEdgesOnce)
{
    // Box corners of each face's points, upper and lower, as the face table lists them.
    const int upperCorners[3][4][3] = {
        {{5, 4, 3}, {5, 0, 3}, {5, 0, 0}, {5, 4, 0}},
        {{5, 4, 3}, {5, 4, 0}, {0, 4, 0}, {0, 4, 3}},
        {{5, 4, 3}, {0, 4, 3}, {0, 0, 3}, {5, 0, 3}},
    };
    const int lowerCorners[3][4][3] = {
        {{0, 0, 0}, {0, 4, 0}, {0, 4, 3}, {0, 0, 3}},
        {{0, 0, 0}, {0, 0, 3}, {5, 0, 3}, {5, 0, 0}},
        {{0, 0, 0}, {5, 0, 0}, {5, 4, 0}, {0, 4, 0}},
    };
    for (const ViewGeometry& v : sampleView)
        for (int side : {1, -1}) {
            std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> edges;
            int strokes = 0;
            for (int f = 0; f < 3; f++) {
                const FacePolygon face = facePolygon(v, side, BoxFace(f));
                for (int k = 0; k < 4; k++) {
                    const int* c = side > 0 ? upperCorners[f][k] : lowerCorners[f][k];
                    EXPECT_EQ(face.points[k], projectPoint(v, side, c[0], c[1], c[2], 1))
                        << "zoom " << v.zoom << " side " << side << " face " << f << " point " << k;
                }
                for (int k = 0; k < 3; k++) {
                    std::pair<int, int> a = {face.points[k].x, face.points[k].y};
                    std::pair<int, int> b = {face.points[k + 1].x, face.points[k + 1].y};
                    edges.insert(std::minmax(a, b));
                    strokes++;
                }
            }
            EXPECT_EQ(strokes, 9);
            EXPECT_EQ(edges.size(), 9u);  // no visible box edge drawn twice
        }
}

TEST(Projection, GridLinesAreTheInnerUnitPlanes)
{
    for (const ViewGeometry& v : sampleView)
        for (int side : {1, -1}) {
            GridLine lines[gridLineCount];
            gridLines(v, side, lines);
            auto p = [&](int x, int y, int z) { return projectPoint(v, side, x, y, z, 1); };
            const bool upper = side > 0;
            int n = 0;
            // Each line runs over the two visible faces that its plane cuts.
            for (int j = 1; j <= 2; j++, n++) {
                const int z = upper ? 3 - j : j;
                const ScreenPoint want[3] = {upper ? p(5, 0, z) : p(0, 4, z), upper ? p(5, 4, z) : p(0, 0, z),
                                             upper ? p(0, 4, z) : p(5, 0, z)};
                for (int k = 0; k < 3; k++) EXPECT_EQ(lines[n].points[k], want[k]) << "z plane " << j;
            }
            for (int j = 1; j <= 3; j++, n++) {
                const int y = upper ? 4 - j : j;
                const ScreenPoint want[3] = {upper ? p(0, y, 3) : p(5, y, 0), upper ? p(5, y, 3) : p(0, y, 0),
                                             upper ? p(5, y, 0) : p(0, y, 3)};
                for (int k = 0; k < 3; k++) EXPECT_EQ(lines[n].points[k], want[k]) << "y plane " << j;
            }
            for (int j = 1; j <= 4; j++, n++) {
                const int x = upper ? 5 - j : j;
                const ScreenPoint want[3] = {upper ? p(x, 0, 3) : p(x, 4, 0), upper ? p(x, 4, 3) : p(x, 0, 0),
                                             upper ? p(x, 4, 0) : p(x, 0, 3)};
                for (int k = 0; k < 3; k++) EXPECT_EQ(lines[n].points[k], want[k]) << "x plane " << j;
            }
        }
}

TEST(Projection, VisibleFaceFilter)
{
    const struct {
        Cell a, b;
        bool upper, lower;
    } cases[] = {
        {{45, -5, 5}, {45, 5, 5}, true, false},    // on the x = 5 face
        {{-5, 15, 25}, {5, 15, 25}, true, false},  // on the z = 3 face
        {{5, 35, -5}, {5, 35, 5}, true, false},    // on the y = 4 face
        {{-5, 5, 5}, {-5, 5, 15}, false, true},    // on the x = 0 face
        {{5, -5, 5}, {15, -5, 5}, false, true},    // on the y = 0 face
        {{5, 5, -5}, {5, 15, -5}, false, true},    // on the z = 0 face
        {{-5, -5, -5}, {45, -5, -5}, false, true}, // a lower box edge
        {{45, 35, 25}, {45, 35, -5}, true, false}, // an upper box edge
        {{-5, 35, -5}, {45, 35, -5}, true, true},  // an edge both pictures show
        {{45, 5, 5}, {35, 5, 5}, false, false},    // leaves the face plane
        {{15, 5, 5}, {15, 15, 5}, false, false},   // inside the box
        {{25, 15, 5}, {25, 15, 25}, false, false}, // ends on a face, lies in none
    };
    for (const auto& c : cases) {
        EXPECT_EQ(edgeIsVisible(1, c.a, c.b), c.upper) << c.a.x << "," << c.a.y << "," << c.a.z;
        EXPECT_EQ(edgeIsVisible(-1, c.a, c.b), c.lower) << c.a.x << "," << c.a.y << "," << c.a.z;
    }
}

}  // namespace
