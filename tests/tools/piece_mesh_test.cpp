// Tests of the generated piece meshes and map file: closed, outward, no inner faces, the
// viewer's colours, and the map readable by the converter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "facetgen/map_file.h"
#include "rtd/palette.h"
#include "tools/piece_mesh.h"

namespace {

using Point = std::tuple<int, int, int>;

Point key(const MeshPoint& p) { return {p.x, p.y, p.z}; }

int adjacentPairs(const PieceCells& piece)
{
    int pairs = 0;
    for (int i = 0; i < piece.cellCount; i++)
        for (int j = i + 1; j < piece.cellCount; j++) {
            const Cell a = piece.cells[i], b = piece.cells[j];
            if (std::abs(a.x - b.x) + std::abs(a.y - b.y) + std::abs(a.z - b.z) == 1) pairs++;
        }
    return pairs;
}

TEST(PieceMesh, EveryPieceIsClosedOutwardAndHasOnlyOuterFaces)
{
    for (int k = 0; k < pieceCount; k++) {
        const PieceCells& piece = PieceCatalogue[k];
        const std::vector<MeshTriangle> triangles = pieceTriangles(piece);
        // Two triangles per cube face, less the two faces of every touching pair.
        EXPECT_EQ(triangles.size(), size_t(2 * (6 * piece.cellCount - 2 * adjacentPairs(piece))))
            << "piece " << k + 1;

        // Closed and consistently wound: every directed edge once, its reverse once.
        std::map<std::pair<Point, Point>, int> edges;
        for (const MeshTriangle& t : triangles)
            for (int i = 0; i < 3; i++) edges[{key(t.corner[i]), key(t.corner[(i + 1) % 3])}]++;
        for (const auto& [edge, count] : edges) {
            EXPECT_EQ(count, 1) << "piece " << k + 1;
            const auto reverse = edges.find({edge.second, edge.first});
            EXPECT_TRUE(reverse != edges.end() && reverse->second == 1) << "piece " << k + 1;
        }

        for (const MeshTriangle& t : triangles) {
            const MeshPoint& a = t.corner[0];
            const MeshPoint& b = t.corner[1];
            const MeshPoint& c = t.corner[2];
            const int u[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
            const int w[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
            const int cross[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                                  u[0] * w[1] - u[1] * w[0]};
            EXPECT_GT(cross[0] * t.normal.x + cross[1] * t.normal.y + cross[2] * t.normal.z, 0);
            // Half a cube in from the face centre is a cell of the piece, half out is not
            // (points in half cubes: the face's centre is on a corner of the 2-grid).
            // The face centre is the middle of the triangle's longest edge.
            const MeshPoint* longest[2] = {&a, &b};
            int longestLength = 0;
            for (int i = 0; i < 3; i++) {
                const MeshPoint& p = t.corner[i];
                const MeshPoint& q = t.corner[(i + 1) % 3];
                const int length = (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                                   (p.z - q.z) * (p.z - q.z);
                if (length > longestLength) {
                    longestLength = length;
                    longest[0] = &p;
                    longest[1] = &q;
                }
            }
            const int mid[3] = {(longest[0]->x + longest[1]->x) / 2, (longest[0]->y + longest[1]->y) / 2,
                                (longest[0]->z + longest[1]->z) / 2};
            const Cell inside = {(mid[0] - t.normal.x) / 2, (mid[1] - t.normal.y) / 2,
                                 (mid[2] - t.normal.z) / 2};
            const Cell outside = {(mid[0] + t.normal.x) / 2, (mid[1] + t.normal.y) / 2,
                                  (mid[2] + t.normal.z) / 2};
            bool in = false, out = false;
            for (int i = 0; i < piece.cellCount; i++) {
                in = in || piece.cells[i] == inside;
                out = out || piece.cells[i] == outside;
            }
            EXPECT_TRUE(in && !out) << "piece " << k + 1;
        }
    }
}

TEST(PieceMesh, EachMeshCarriesItsPiecesColourAsTheViewerReadsIt)
{
    for (int k = 0; k < pieceCount; k++) {
        const std::string text = pieceMeshText(k);
        double r = -1, g = -1, b = -1;
        ASSERT_EQ(std::sscanf(text.c_str() + text.find("color "), "color %lf %lf %lf", &r, &g, &b), 3);
        const Rgb8 c = pieceColours[k];
        EXPECT_EQ(std::lround(r * 255), c.r) << "piece " << k + 1;
        EXPECT_EQ(std::lround(g * 255), c.g) << "piece " << k + 1;
        EXPECT_EQ(std::lround(b * 255), c.b) << "piece " << k + 1;
    }
}

TEST(PieceMesh, TextIsOneSolidThatTheConverterRewritesWhole)
{
    const std::string text = pieceMeshText(10);
    EXPECT_EQ(text.rfind("solid baustein_11\r\n  color ", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 22), "endsolid baustein_11\r\n");
    // Every normal and vertex line is one the converter transforms: under the identity it
    // comes back byte for byte.
    const FloatTransform identity = {{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}};
    std::istringstream lines(text);
    std::string line;
    int rewritten = 0;
    while (std::getline(lines, line)) {
        line += '\n';
        ASSERT_LT(line.size(), meshBufferSize) << line;
        std::string out;
        transformMeshPiece(line.c_str(), line.size(), meshGridScale, identity, out);
        EXPECT_EQ(out, line);
        if (line.find("normal") != std::string::npos || line.find("vertex") != std::string::npos)
            rewritten++;
    }
    EXPECT_EQ(rewritten, int(pieceTriangles(PieceCatalogue[10]).size()) * 6);
}

TEST(PieceMesh, MapNamesEveryPieceWithTheIdentityAndTheGridScale)
{
    std::istringstream lines(mapFileText());
    std::string line;
    int accepted = 0;
    while (std::getline(lines, line)) {
        MapLineFields f;
        if (parseMapLine(line.c_str(), f) != MapLine::accepted) continue;
        accepted++;
        EXPECT_EQ(f.pieceNumber, accepted);
        EXPECT_EQ(f.meshFileName, meshFileName(accepted - 1));
        EXPECT_EQ(f.gridScale, float(meshGridScale));
        const float identity[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
        for (int k = 0; k < 12; k++) EXPECT_EQ(f.transform.e[k], identity[k]);
    }
    EXPECT_EQ(accepted, pieceCount);
}

}  // namespace
