// Tests of picking: every visible cell of both pictures projected and picked back at every
// zoom factor, the face order on shared edges, clicks beside the pictures, and the piece
// that a right click reports.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "tests/support/real_solutions.h"
#include "view/picking.h"

namespace {

ViewGeometry viewAt(int zoom) { return {zoom, 640 + 40 * zoom, 160, 560 - 40 * zoom, 520 + 10 * zoom}; }
constexpr int viewLeft = 300;

// A point of a cell's visible face in hundredths of a cell, at fractions fu, fv of the
// face's two directions; each visible face of each picture once.
struct FacePoint {
    int side;
    int x, y, z;  // hundredths
};

std::vector<std::pair<Cell, FacePoint>> visibleFacePoints(int fu, int fv)
{
    std::vector<std::pair<Cell, FacePoint>> points;
    for (int x = 0; x < 5; x++)
        for (int y = 0; y < 4; y++)
            for (int z = 0; z < 3; z++) {
                const Cell c = {x, y, z};
                const int hx = 100 * x, hy = 100 * y, hz = 100 * z;
                if (y == 3) points.push_back({c, {1, hx + fu, 400, hz + fv}});
                if (z == 2) points.push_back({c, {1, hx + fu, hy + fv, 300}});
                if (x == 4) points.push_back({c, {1, 500, hy + fu, hz + fv}});
                if (y == 0) points.push_back({c, {-1, hx + fu, 0, hz + fv}});
                if (z == 0) points.push_back({c, {-1, hx + fu, hy + fv, 0}});
                if (x == 0) points.push_back({c, {-1, 0, hy + fu, hz + fv}});
            }
    return points;
}

std::string name(Cell c) { return coordinateText(c); }

TEST(Picking, EveryVisibleCellRoundTripsAtEveryZoom)
{
    for (int zoom = 1; zoom <= 3; zoom++) {
        const ViewGeometry view = viewAt(zoom);
        std::set<std::tuple<int, int, int>> upper, lower;
        // The face centre and points a fifth of a cell in from each corner.
        for (int fu : {20, 50, 80})
            for (int fv : {20, 50, 80})
                for (const auto& [cell, p] : visibleFacePoints(fu, fv)) {
                    const ScreenPoint s = projectPoint(view, p.side, p.x, p.y, p.z, 100);
                    const CellPick pick = pickCellAt(view, viewLeft, s.x, s.y);
                    ASSERT_TRUE(pick.found) << "zoom " << zoom << " cell " << name(cell) << " at " << s.x << ","
                                            << s.y;
                    EXPECT_EQ(pick.cell, cell) << "zoom " << zoom << " got " << name(pick.cell) << " for "
                                               << name(cell) << " at " << p.x << "," << p.y << "," << p.z;
                    (p.side > 0 ? upper : lower).insert({cell.x, cell.y, cell.z});
                }
        // 60 cells less the 4 x 3 x 2 hidden behind the three faces of each picture.
        EXPECT_EQ(upper.size(), 36u);
        EXPECT_EQ(lower.size(), 36u);
    }
}

TEST(Picking, EveryPixelOfThePicturesGivesAVisibleCellOfItsPicture)
{
    for (int zoom = 1; zoom <= 3; zoom++) {
        const ViewGeometry view = viewAt(zoom);
        std::set<std::tuple<int, int, int>> seen;
        int found = 0;
        for (int y = 0; y < 900; y++)
            for (int x = viewLeft; x < 1100; x++) {
                const CellPick pick = pickCellAt(view, viewLeft, x, y);
                if (!pick.found) continue;
                found++;
                const Cell c = pick.cell;
                ASSERT_TRUE(c.x >= 0 && c.x < 5 && c.y >= 0 && c.y < 4 && c.z >= 0 && c.z < 3);
                // The upper picture ends above the lower one's top here, so the row tells which.
                const bool upperPicture = y < (view.upperY + 96 * zoom + view.lowerY - 24 * zoom) / 2;
                if (upperPicture)
                    ASSERT_TRUE(c.x == 4 || c.y == 3 || c.z == 2) << name(c) << " at " << x << "," << y;
                else
                    ASSERT_TRUE(c.x == 0 || c.y == 0 || c.z == 0) << name(c) << " at " << x << "," << y;
                seen.insert({c.x, c.y, c.z});
            }
        // Both pictures reach every cell but the 3 x 2 x 1 core, and the picked pixels
        // fill the six face parallelograms.
        EXPECT_EQ(seen.size(), 54u);
        const int faceArea = 27 * 96 + (27 * 15 + 120 * 24) + 120 * 96;  // x, y, z faces
        EXPECT_NEAR(found, 2 * faceArea * zoom * zoom, 2 * faceArea * zoom * zoom / 50) << zoom;
    }
}

TEST(Picking, EdgeCasesOfTheFaces)
{
    const ViewGeometry one = viewAt(1);
    // One pixel left of and below the upper origin is on the front face: u = v = 0.
    CellPick p = pickCellAt(one, viewLeft, one.upperX - 1, one.upperY + 1);
    ASSERT_TRUE(p.found);
    EXPECT_EQ(p.cell, (Cell{4, 3, 2}));
    EXPECT_EQ(faceIndex(24, 576, 1), 0);
    EXPECT_EQ(faceIndex(27, 576, 1), 0);
    // The index is the floor for E >= -N s, negative below.
    EXPECT_EQ(faceIndex(-1, 219, 2), -1);
    EXPECT_EQ(faceIndex(-438, 219, 2), -1);
    EXPECT_LT(faceIndex(-439, 219, 2), 0);
    EXPECT_EQ(faceIndex(438, 219, 2), 1);
    EXPECT_EQ(faceIndex(437, 219, 2), 0);

    for (int zoom = 1; zoom <= 3; zoom++) {
        const ViewGeometry v = viewAt(zoom);
        const int s = zoom;
        // On the edge between the top and the front face, at x = 4..3 the top face decides;
        // both faces name the same cell there.
        p = pickCellAt(v, viewLeft, v.upperX - 24 * s, v.upperY - 3 * s);
        ASSERT_TRUE(p.found);
        EXPECT_EQ(p.cell, (Cell{3, 3, 2}));
        // The origin is the corner of all three upper faces.
        p = pickCellAt(v, viewLeft, v.upperX, v.upperY);
        ASSERT_TRUE(p.found);
        EXPECT_EQ(p.cell, (Cell{4, 3, 2}));
        // Just past the far edges the index reaches its limit and nothing is picked.
        const ScreenPoint farLeft = projectPoint(v, 1, 0, 2, 3, 1);  // left edge of the front face
        EXPECT_FALSE(pickCellAt(v, viewLeft, farLeft.x - 1, farLeft.y).found);
        EXPECT_TRUE(pickCellAt(v, viewLeft, farLeft.x + 1, farLeft.y).found);
        const ScreenPoint farRight = projectPoint(v, 1, 5, 2, 0, 1);  // back edge of the x face
        EXPECT_FALSE(pickCellAt(v, viewLeft, farRight.x + 1, farRight.y).found);
        EXPECT_EQ(pickCellAt(v, viewLeft, farRight.x - 1, farRight.y).cell, (Cell{4, 2, 0}));
        const ScreenPoint bottom = projectPoint(v, -1, 2, 4, 0, 1);  // far edge of the lower z face
        EXPECT_FALSE(pickCellAt(v, viewLeft, bottom.x, bottom.y + 1).found);
        EXPECT_EQ(pickCellAt(v, viewLeft, bottom.x, bottom.y - 1).cell, (Cell{2, 3, 0}));
        // A cell on both pictures' surfaces gives the same result from either.
        const ScreenPoint top = projectPoint(v, 1, 5, 40, 25, 10);
        const ScreenPoint side = projectPoint(v, -1, 0, 35, 25, 10);
        EXPECT_EQ(pickCellAt(v, viewLeft, top.x, top.y).cell, (Cell{0, 3, 2}));
        EXPECT_EQ(pickCellAt(v, viewLeft, side.x, side.y).cell, (Cell{0, 3, 2}));
    }
    // Left of the drawing area nothing counts, even where a picture would be.
    const ViewGeometry left = {1, 250, 200, 150, 500};
    EXPECT_TRUE(pickCellAt(left, 100, 240, 210).found);
    EXPECT_FALSE(pickCellAt(left, 241, 240, 210).found);
    // Far away, and at the largest coordinates a mouse message can carry.
    EXPECT_FALSE(pickCellAt(one, viewLeft, 65535, 65535).found);
    EXPECT_FALSE(pickCellAt(one, viewLeft, viewLeft, 0).found);
}

// Piece index 6 (the seventh piece) placed unturned at the origin, nothing else.
SolutionRecord pieceSevenAtOrigin()
{
    SolutionRecord r = {};
    r.words[3] = 0x7000;
    return r;
}

TEST(PositionInfo, FindsThePieceOnACellUnderEachVariant)
{
    const SolutionRecord r = pieceSevenAtOrigin();
    EXPECT_EQ(pieceCoveringCell(r, 0, {0, 0, 0}), 6);
    EXPECT_EQ(pieceCoveringCell(r, -1, {0, 0, 0}), 6);  // no letter: variant a
    EXPECT_EQ(pieceCoveringCell(r, 0, {1, 1, 0}), 6);
    EXPECT_EQ(pieceCoveringCell(r, 0, {1, 2, 0}), -1);
    EXPECT_EQ(pieceCoveringCell(r, 0, {4, 3, 2}), -1);
    // Variant b turns the box half about z: (x, y, z) -> (4 - x, 3 - y, z).
    EXPECT_EQ(pieceCoveringCell(r, 1, {4, 3, 0}), 6);
    EXPECT_EQ(pieceCoveringCell(r, 1, {0, 0, 0}), -1);
    EXPECT_EQ(pieceCoveringCell(r, 2, {4, 0, 2}), 6);
    EXPECT_EQ(pieceCoveringCell(r, 3, {0, 3, 2}), 6);
    // Words naming no piece (index -1 or 12..14) are skipped, not read past the catalogue.
    SolutionRecord junk = r;
    junk.words[0] = 0x0000;
    junk.words[1] = 0xD000;
    junk.words[2] = 0xF123;
    EXPECT_EQ(pieceCoveringCell(junk, 0, {0, 0, 0}), 6);
    EXPECT_EQ(positionInfoText(6, {0, 0, 0}), "Der 7. Baustein liegt auf der Raumkoordinate '0,0,0'");
    EXPECT_EQ(positionInfoText(11, {4, 3, 2}), "Der 12. Baustein liegt auf der Raumkoordinate '4,3,2'");
    EXPECT_EQ(coordinateText({4, 0, 2}), "4,0,2");
    EXPECT_STREQ(positionInfoCaption, "Positionsinfo:");
}

TEST(PositionInfo, EveryCellOfARealSolutionHasExactlyOnePiece)
{
    for (const SolutionRecord& record : realSolutions())
        for (int variant = -1; variant < 4; variant++) {
            int cover[5][4][3] = {};
            for (PlacementWord word : record.words) {
                const int p = placementPieceIndex(word);
                ASSERT_TRUE(p >= 0 && p < pieceCount);
                const PieceCells placed =
                    placePiece(PieceCatalogue[p], effectivePlacementWith(word, variant, false, {}));
                for (int c = 0; c < placed.cellCount; c++) {
                    const Cell cell = placed.cells[c];
                    ASSERT_TRUE(cell.x >= 0 && cell.x < 5 && cell.y >= 0 && cell.y < 4 && cell.z >= 0 && cell.z < 3);
                    cover[cell.x][cell.y][cell.z]++;
                    EXPECT_EQ(pieceCoveringCell(record, variant, cell), p);
                }
            }
            for (auto& plane : cover)
                for (auto& row : plane)
                    for (int n : row) EXPECT_EQ(n, 1);
        }
}

}  // namespace
