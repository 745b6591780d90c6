// Tests of the piece catalogue and the integer transforms.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/geometry.h"

namespace {

std::vector<Cell> usedCells(const PieceCells& p)
{
    return std::vector<Cell>(p.cells, p.cells + p.cellCount);
}

bool sameCellSet(std::vector<Cell> a, std::vector<Cell> b)
{
    auto less = [](Cell l, Cell r) {
        return l.x != r.x ? l.x < r.x : l.y != r.y ? l.y < r.y : l.z < r.z;
    };
    std::sort(a.begin(), a.end(), less);
    std::sort(b.begin(), b.end(), less);
    return a == b;
}

TEST(Geometry, CatalogueIsConsistent)
{
    int total = 0;
    for (int i = 0; i < pieceCount; i++) {
        const PieceCells& p = PieceCatalogue[i];
        total += p.cellCount;
        EXPECT_EQ(p.cells[0], (Cell{0, 0, 0})) << "piece " << i;
        // The stored bounding box is the one computed from the cells.
        const PieceCells box = computeBoundingBox(p);
        EXPECT_EQ(box.minX, p.minX) << i;
        EXPECT_EQ(box.minY, p.minY) << i;
        EXPECT_EQ(box.minZ, p.minZ) << i;
        EXPECT_EQ(box.maxX, p.maxX) << i;
        EXPECT_EQ(box.maxY, p.maxY) << i;
        EXPECT_EQ(box.maxZ, p.maxZ) << i;
        for (int c = p.cellCount; c < maxPieceCells; c++) EXPECT_EQ(p.cells[c], (Cell{0, 0, 0}));
        const bool flat = p.minZ == p.maxZ || p.minY == p.maxY || p.minX == p.maxX;
        EXPECT_EQ(!flat, i == 4 || i == 8) << "piece " << i;
    }
    EXPECT_EQ(total, boxCellCount);
}

TEST(Geometry, CompositionFormsTheVariantGroup)
{
    const IntTransform& a = VariantTransforms[0];
    const IntTransform& b = VariantTransforms[1];
    const IntTransform& c = VariantTransforms[2];
    const IntTransform& d = VariantTransforms[3];
    const IntTransform t = {{0, 0, -1, -1, 0, 0, 0, 1, 0, 4, 3, 2}};
    EXPECT_EQ(composeTransforms(a, t), t);
    EXPECT_EQ(composeTransforms(t, a), t);
    EXPECT_EQ(composeTransforms(b, b), a);
    EXPECT_EQ(composeTransforms(b, c), d);
    EXPECT_EQ(composeTransforms(c, d), b);
    EXPECT_EQ(composeTransforms(b, d), c);
    // Every variant maps the box onto itself.
    for (const IntTransform& v : VariantTransforms)
        for (int x = 0; x < boxSizeX; x++)
            for (int y = 0; y < boxSizeY; y++)
                for (int z = 0; z < boxSizeZ; z++) {
                    const Cell m = applyTransform(v, {x, y, z});
                    EXPECT_TRUE(m.x >= 0 && m.x < boxSizeX && m.y >= 0 && m.y < boxSizeY &&
                                m.z >= 0 && m.z < boxSizeZ);
                }
}

TEST(Geometry, CompositionAppliesRightOperandFirst)
{
    // A quarter turn about z and a translation do not commute; A(B(p)) must hold.
    const IntTransform quarter = {{0, 1, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0}};
    const IntTransform shift = {{1, 0, 0, 0, 1, 0, 0, 0, 1, 2, 5, -1}};
    const IntTransform tilt = {{1, 0, 0, 0, 0, 1, 0, -1, 0, 1, 0, 3}};
    const IntTransform transforms[] = {quarter, shift, tilt, VariantTransforms[2]};
    for (const IntTransform& a : transforms)
        for (const IntTransform& b : transforms)
            for (const Cell& p : PieceCatalogue[11].cells)
                EXPECT_EQ(applyTransform(composeTransforms(a, b), p),
                          applyTransform(a, applyTransform(b, p)));
}

TEST(Geometry, PlacingKeepsOrderAndDoesNotClip)
{
    const PieceCells placed = placePiece(PieceCatalogue[10], VariantTransforms[1]);
    const Cell expected[] = {{4, 3, 0}, {5, 3, 0}, {4, 4, 0}, {3, 3, 0}, {4, 2, 0}};
    ASSERT_EQ(placed.cellCount, 5);
    for (int i = 0; i < 5; i++) EXPECT_EQ(placed.cells[i], expected[i]) << i;
    EXPECT_EQ(placed.cells[5], (Cell{0, 0, 0}));
    EXPECT_EQ(placed.flag, PieceCatalogue[10].flag);
    EXPECT_EQ(placed.minX, 3);
    EXPECT_EQ(placed.minY, 2);
    EXPECT_EQ(placed.minZ, 0);
    EXPECT_EQ(placed.maxX, 5);
    EXPECT_EQ(placed.maxY, 4);
    EXPECT_EQ(placed.maxZ, 0);
}

TEST(Geometry, FlipsTurnTheirPieceOntoItself)
{
    for (int piece = 0; piece < pieceCount; piece++) {
        const IntTransform* flip = flipTransformFor(piece);
        EXPECT_EQ(flip != nullptr, piece == 0 || piece == 1 || piece == 8);
        if (!flip) continue;
        const PieceCells turned = placePiece(PieceCatalogue[piece], *flip);
        EXPECT_TRUE(sameCellSet(usedCells(turned), usedCells(PieceCatalogue[piece])));
        EXPECT_NE(composeTransforms(*flip, identityTransform), identityTransform);
        EXPECT_EQ(composeTransforms(*flip, *flip), identityTransform) << piece;
    }
    const PieceCells c = placePiece(PieceCatalogue[0], FlipTransforms[0]);
    const Cell expected[] = {{0, 2, 0}, {1, 2, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}};
    for (int i = 0; i < 5; i++) EXPECT_EQ(c.cells[i], expected[i]) << i;
}

TEST(Geometry, BoundingBoxOfOneCell)
{
    PieceCells one = {};
    one.cellCount = 1;
    one.cells[0] = {-3, 7, 2};
    one.cells[1] = {100, 100, 100};  // beyond the count: must not count
    const PieceCells box = computeBoundingBox(one);
    EXPECT_EQ(box.minX, -3);
    EXPECT_EQ(box.maxX, -3);
    EXPECT_EQ(box.minY, 7);
    EXPECT_EQ(box.maxY, 7);
    EXPECT_EQ(box.minZ, 2);
    EXPECT_EQ(box.maxZ, 2);
}

}  // namespace
