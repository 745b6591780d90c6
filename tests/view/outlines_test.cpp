// Tests of the piece outline lists against the catalogue, of walking a list, and of the
// edges that the pieces of real solutions leave on the visible faces.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

#include "tests/support/face_edges.h"
#include "tests/support/real_solutions.h"
#include "view/outlines.h"
#include "view/projection.h"

namespace {

using Edge = std::tuple<int, int, int, int>;  // running axis, then the segment's low end

bool onGrid(int v) { return ((v % 10) + 10) % 10 == 5; }

std::vector<std::vector<Cell>> polylines(const int32_t* list)
{
    std::vector<std::vector<Cell>> lines(1);
    for (int k = 0; list[k] != END_OF_LIST;) {
        if (list[k] == PEN_UP) {
            lines.emplace_back();
            k++;
            continue;
        }
        lines.back().push_back({list[k], list[k + 1], list[k + 2]});
        k += 3;
    }
    return lines;
}

// A mark runs across a face; edge polylines keep to the unit grid.
bool isMark(const std::vector<Cell>& line)
{
    for (Cell p : line)
        if (!onGrid(p.x) || !onGrid(p.y) || !onGrid(p.z)) return true;
    return false;
}

// Splits an axis-parallel grid segment into unit edges; false if it is neither.
bool unitEdges(Cell a, Cell b, std::vector<Edge>& out)
{
    const int va[3] = {a.x, a.y, a.z}, vb[3] = {b.x, b.y, b.z};
    int axis = -1;
    for (int i = 0; i < 3; i++)
        if (va[i] != vb[i]) {
            if (axis >= 0) return false;
            axis = i;
        }
    if (axis < 0) return false;
    const int lo = std::min(va[axis], vb[axis]), hi = std::max(va[axis], vb[axis]);
    for (int v = lo; v < hi; v += 10) {
        int p[3] = {va[0], va[1], va[2]};
        p[axis] = v;
        out.push_back({axis, p[0], p[1], p[2]});
    }
    return true;
}

bool hasCell(const PieceCells& piece, int x, int y, int z)
{
    for (int c = 0; c < piece.cellCount; c++)
        if (piece.cells[c] == Cell{x, y, z}) return true;
    return false;
}

// How many of the four cells around a unit edge (in centred tenths) belong to the piece,
// and whether two that do touch only along the edge.
int cellsAround(const PieceCells& piece, const Edge& e, bool& diagonal)
{
    const int axis = std::get<0>(e);
    const int p[3] = {std::get<1>(e), std::get<2>(e), std::get<3>(e)};
    const int b = (axis + 1) % 3, c = (axis + 2) % 3;
    bool in[2][2];
    for (int i = 0; i < 2; i++)
        for (int j = 0; j < 2; j++) {
            // Grid values are 10 k + 5, so these divisions are exact.
            int q[3];
            q[axis] = (p[axis] + 5) / 10;
            q[b] = (p[b] - 5 + 10 * i) / 10;
            q[c] = (p[c] - 5 + 10 * j) / 10;
            in[i][j] = hasCell(piece, q[0], q[1], q[2]);
        }
    const int n = in[0][0] + in[0][1] + in[1][0] + in[1][1];
    diagonal = n == 2 && in[0][0] == in[1][1];
    return n;
}

// An edge of the piece's surface: one or three of the four cells, or two diagonally.
bool isCrease(const PieceCells& piece, const Edge& e)
{
    bool diagonal = false;
    const int n = cellsAround(piece, e, diagonal);
    return n == 1 || n == 3 || diagonal;
}

// A crease that the piece wraps from outside (one cell, or two diagonally); at a crease
// of three cells the fourth belongs to a neighbour, which has it from outside.
bool isOuterCrease(const PieceCells& piece, const Edge& e)
{
    bool diagonal = false;
    return cellsAround(piece, e, diagonal) == 1 || diagonal;
}

std::set<Edge> allCreases(const PieceCells& piece)
{
    std::set<Edge> creases;
    for (int c = 0; c < piece.cellCount; c++) {
        const Cell cell = piece.cells[c];
        for (int axis = 0; axis < 3; axis++)
            for (int i = -1; i <= 1; i += 2)
                for (int j = -1; j <= 1; j += 2) {
                    int p[3] = {10 * cell.x, 10 * cell.y, 10 * cell.z};
                    p[axis] -= 5;
                    p[(axis + 1) % 3] += 5 * i;
                    p[(axis + 2) % 3] += 5 * j;
                    const Edge e = {axis, p[0], p[1], p[2]};
                    if (isCrease(piece, e)) creases.insert(e);
                }
    }
    return creases;
}

TEST(Outlines, EdgeListsAreTheCreasesOfEachPiece)
{
    for (int p = 0; p < pieceCount; p++) {
        SCOPED_TRACE(p);
        const PieceCells& piece = PieceCatalogue[p];
        std::set<Edge> listed;
        int marks = 0;
        for (const std::vector<Cell>& line : polylines(pieceOutlines[p])) {
            ASSERT_GE(line.size(), 2u);
            if (isMark(line)) {
                marks++;
                continue;
            }
            std::vector<Edge> edges;
            for (size_t k = 0; k + 1 < line.size(); k++) ASSERT_TRUE(unitEdges(line[k], line[k + 1], edges));
            for (const Edge& e : edges) {
                EXPECT_TRUE(isCrease(piece, e)) << std::get<0>(e) << ": " << std::get<1>(e) << ","
                                                << std::get<2>(e) << "," << std::get<3>(e);
                listed.insert(e);
            }
        }
        const bool marked = p == 0 || p == 1 || p == 4 || p == 8 || p == 11;
        EXPECT_EQ(marks > 0, marked);
        // Every outer crease is listed, except a few in the lists of pieces 4, 7 and 8.
        int missing = 0;
        for (const Edge& e : allCreases(piece))
            if (isOuterCrease(piece, e) && !listed.count(e)) missing++;
        if (p == 4 || p == 7 || p == 8) {
            EXPECT_GT(missing, 0);
            EXPECT_LE(missing, 2);
        } else {
            EXPECT_EQ(missing, 0);
        }
    }
}

TEST(Outlines, MarksLieOnTheTopFaceOfThePiece)
{
    for (int p : {0, 1, 4, 8, 11}) {
        const PieceCells& piece = PieceCatalogue[p];
        for (const std::vector<Cell>& line : polylines(pieceOutlines[p])) {
            if (!isMark(line)) continue;
            for (size_t k = 0; k + 1 < line.size(); k++) {
                const Cell a = line[k], b = line[k + 1];
                EXPECT_EQ(a.z, 5);
                EXPECT_EQ(b.z, 5);
                // Every point along the segment lies on the z = 5 side of one of the piece's
                // cells of layer 0, which no cell of the piece covers.
                for (int t = 0; t <= 20; t++) {
                    const double x = a.x + (b.x - a.x) * t / 20.0, y = a.y + (b.y - a.y) * t / 20.0;
                    bool covered = false;
                    for (int c = 0; c < piece.cellCount; c++) {
                        const Cell cell = piece.cells[c];
                        if (cell.z == 0 && std::abs(x - 10 * cell.x) <= 5 && std::abs(y - 10 * cell.y) <= 5)
                            covered = true;
                        EXPECT_NE(cell.z, 1);
                    }
                    EXPECT_TRUE(covered) << "piece " << p << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(Outlines, WalkPlacesSegmentsAndHandlesMarkersAndEnds)
{
    OutlineSegment out[maxOutlineSegments];
    // Two polylines of two and one segments.
    const int32_t list[] = {0, 0, 0, 10, 0, 0, 10, 10, 0, PEN_UP, 5, 5, 5, 5, 5, -5, END_OF_LIST};
    const IntTransform shift = {{1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 2, 3}};
    ASSERT_EQ(outlineSegments(list, shift, out, maxOutlineSegments), 3);
    // The translation counts in cells, the list in tenths.
    EXPECT_EQ(out[0].a, (Cell{10, 20, 30}));
    EXPECT_EQ(out[0].b, (Cell{20, 20, 30}));
    EXPECT_EQ(out[1].b, (Cell{20, 30, 30}));
    EXPECT_EQ(out[2].a, (Cell{15, 25, 35}));
    EXPECT_EQ(out[2].b, (Cell{15, 25, 25}));
    // Empty lists, a list that ends right behind a marker, and a full output.
    const int32_t empty[] = {END_OF_LIST};
    EXPECT_EQ(outlineSegments(empty, identityTransform, out, maxOutlineSegments), 0);
    EXPECT_EQ(outlineSegments(nullptr, identityTransform, out, maxOutlineSegments), 0);
    const int32_t single[] = {1, 2, 3, END_OF_LIST};
    EXPECT_EQ(outlineSegments(single, identityTransform, out, maxOutlineSegments), 0);
    const int32_t trailing[] = {0, 0, 0, 10, 0, 0, PEN_UP, END_OF_LIST, 0, 0, 0, 0, 0};
    EXPECT_EQ(outlineSegments(trailing, identityTransform, out, maxOutlineSegments), 1);
    EXPECT_EQ(outlineSegments(list, identityTransform, out, 2), 2);
    // Every real list fits.
    for (int p = 0; p < pieceCount; p++) EXPECT_LT(outlineSegments(pieceOutlines[p], identityTransform, out, maxOutlineSegments), maxOutlineSegments);
    // A turn about z maps (x, y) to (-y, x).
    const IntTransform turn = {{0, 1, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0}};
    ASSERT_EQ(outlineSegments(list, turn, out, maxOutlineSegments), 3);
    EXPECT_EQ(out[1].b, (Cell{-10, 10, 0}));
}

TEST(Outlines, APieceInsideTheBoxLeavesNoEdge)
{
    // Piece 6 turned to lie in x 1..3, y 1..2, z 1: the core that neither picture sees.
    const IntTransform inside = {{0, 1, 0, 1, 0, 0, 0, 0, -1, 1, 1, 1}};
    const PieceCells placed = placePiece(PieceCatalogue[6], inside);
    for (int c = 0; c < placed.cellCount; c++) {
        EXPECT_TRUE(placed.cells[c].x >= 1 && placed.cells[c].x <= 3);
        EXPECT_TRUE(placed.cells[c].y >= 1 && placed.cells[c].y <= 2);
        EXPECT_EQ(placed.cells[c].z, 1);
    }
    OutlineSegment out[maxOutlineSegments];
    const int n = outlineSegments(pieceOutlines[6], inside, out, maxOutlineSegments);
    EXPECT_GT(n, 0);
    for (int i = 0; i < n; i++) {
        EXPECT_FALSE(edgeIsVisible(1, out[i].a, out[i].b));
        EXPECT_FALSE(edgeIsVisible(-1, out[i].a, out[i].b));
    }
}

// The grid edges drawn by the pieces of a placed solution in one picture, as unit edges.
std::set<Edge> drawnGridEdges(const SolutionRecord& record, int variant, FlipOptions flips, int side)
{
    std::set<Edge> drawn;
    for (PlacementWord word : record.words) {
        const int p = placementPieceIndex(word);
        OutlineSegment out[maxOutlineSegments];
        const int n = outlineSegments(pieceOutlines[p], effectivePlacementWith(word, variant, true, flips), out,
                                      maxOutlineSegments);
        for (int i = 0; i < n; i++) {
            if (!edgeIsVisible(side, out[i].a, out[i].b)) continue;
            std::vector<Edge> edges;
            const Cell a = out[i].a, b = out[i].b;
            if (onGrid(a.x) && onGrid(a.y) && onGrid(a.z) && onGrid(b.x) && onGrid(b.y) && onGrid(b.z))
                unitEdges(a, b, edges);
            drawn.insert(edges.begin(), edges.end());
        }
    }
    return drawn;
}

TEST(Outlines, RealSolutionsShowEdgesExactlyWherePiecesMeet)
{
    int checkedMeets = 0;
    for (const SolutionRecord& record : realSolutions())
        for (int variant = 0; variant < 4; variant++)
            for (int flipBits = 0; flipBits < 8; flipBits++) {
                const FlipOptions flips = {flipBits & 1, (flipBits >> 1) & 1, (flipBits >> 2) & 1};
                for (int side : {1, -1}) {
                    const std::set<Edge> drawn = drawnGridEdges(record, variant, flips, side);
                    for (const FaceEdge& e : innerFaceEdges(record, variant, flips, side)) {
                        const bool isDrawn = drawn.count({e.along, e.low.x, e.low.y, e.low.z}) > 0;
                        EXPECT_EQ(isDrawn, e.meet)
                            << "side " << side << " variant " << variant << " flips " << flipBits << " cells "
                            << e.a.x << e.a.y << e.a.z << "/" << e.b.x << e.b.y << e.b.z;
                        checkedMeets += e.meet;
                    }
                }
            }
    EXPECT_GT(checkedMeets, 0);
}

}  // namespace
