// Tests of the legend icons and of where the legend places each row's icon, frame and
// turn-over mark.
#include <gtest/gtest.h>

#include "view/legend.h"

namespace {

TEST(Legend, IconListsWalkIntoTheirPolygons)
{
    const IconShape icon0 = iconShape(legendIcons[0], 0, 0);
    ASSERT_EQ(icon0.polygonCount, 4);
    const int fills[4] = {1, 2, 0, 2};  // yellow, cyan, white, cyan
    const int counts[4] = {4, 4, 8, 3};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(icon0.polygons[i].fill, fills[i]);
        EXPECT_EQ(icon0.polygons[i].count, counts[i]);
    }
    // y points up: (21, 8) drawn at origin (100, 50) is (121, 42).
    const IconShape moved = iconShape(legendIcons[0], 100, 50);
    EXPECT_EQ(moved.polygons[0].x[2], 121);
    EXPECT_EQ(moved.polygons[0].y[2], 42);
    EXPECT_EQ(moved.bounds.left, 100);
    EXPECT_EQ(moved.bounds.right, 135);
    EXPECT_EQ(moved.bounds.top, 50 - 28);
    EXPECT_EQ(moved.bounds.bottom, 50);

    int largest = 0;
    for (int p = 0; p < pieceCount; p++) {
        const IconShape s = iconShape(legendIcons[p], 0, 0);
        // Every icon's smallest x and y are 0; measured at 0, 0 its bottom is y = 0.
        EXPECT_EQ(s.bounds.left, 0) << p;
        EXPECT_EQ(s.bounds.bottom, 0) << p;
        EXPECT_GT(s.bounds.right, 0) << p;
        EXPECT_LT(s.bounds.top, 0) << p;
        for (int i = 0; i < s.polygonCount; i++) {
            EXPECT_GE(s.polygons[i].fill, 0) << p;
            EXPECT_GE(s.polygons[i].count, 3) << p;
            if (s.polygons[i].count > largest) largest = s.polygons[i].count;
        }
    }
    // Piece 10's largest polygon has the most points one may have.
    EXPECT_EQ(largest, maxIconPolygonPoints);
    int piece10Largest = 0;
    const IconShape ten = iconShape(legendIcons[10], 0, 0);
    for (int i = 0; i < ten.polygonCount; i++)
        if (ten.polygons[i].count > piece10Largest) piece10Largest = ten.polygons[i].count;
    EXPECT_EQ(piece10Largest, 12);
}

TEST(Legend, BrokenListsStayInTheirBounds)
{
    // Thirteen points in one polygon: the thirteenth widens the bounds but is not drawn.
    const int32_t tooMany[] = {iconCyan, 0, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0, 11, 0,
                               50, 9, END_OF_LIST};
    IconShape s = iconShape(tooMany, 0, 0);
    ASSERT_EQ(s.polygonCount, 1);
    EXPECT_EQ(s.polygons[0].count, 12);
    EXPECT_EQ(s.bounds.right, 50);
    EXPECT_EQ(s.bounds.top, -9);
    // Points before any fill code keep the brush in use; an unknown code starts a polygon
    // without changing the fill; a lone value before the end is no point.
    const int32_t odd[] = {1, 2, 3, 4, 5, 6, 1005, 7, 8, 9, 10, 11, 12, iconYellow, 1, 1, 2, 2, 3, END_OF_LIST};
    s = iconShape(odd, 0, 0);
    ASSERT_EQ(s.polygonCount, 3);
    EXPECT_EQ(s.polygons[0].fill, -1);
    EXPECT_EQ(s.polygons[1].fill, -1);
    EXPECT_EQ(s.polygons[2].fill, 1);
    EXPECT_EQ(s.polygons[2].count, 2);
    EXPECT_EQ(s.bounds.right, 11);
    // Nothing at all.
    const int32_t none[] = {END_OF_LIST};
    s = iconShape(none, 5, 5);
    EXPECT_EQ(s.polygonCount, 0);
    EXPECT_EQ(s.bounds.left, 0);
    EXPECT_EQ(s.bounds.right, 0);
    EXPECT_EQ(iconShape(nullptr, 0, 0).polygonCount, 0);
}

TEST(Legend, RowsCentreTheirIconsAndFrames)
{
    const int firstRowCentre = 40, rowPitch = 33;
    for (int i = 0; i < pieceCount; i++) {
        const IconBounds b = iconShape(legendIcons[i], 0, 0).bounds;
        const LegendRow row = legendRow(i, firstRowCentre, rowPitch, b);
        const int cy = firstRowCentre + i * rowPitch;
        EXPECT_EQ(row.centre, cy);
        EXPECT_EQ(row.top, cy - 16);
        EXPECT_EQ(row.bottom, cy + 16);
        // w = 4 * 33 / 7 = 18: from upper right to lower left.
        EXPECT_EQ(row.markTopX, 48);
        EXPECT_EQ(row.markBottomX, 12);
        const IconShape placed = iconShape(legendIcons[i], row.iconX, row.iconY);
        const int width = b.right - b.left, height = b.bottom - b.top;
        EXPECT_EQ(placed.bounds.left, (60 - width) / 2) << i;
        EXPECT_EQ(placed.bounds.bottom, cy + height / 2) << i;
        // Centred on the row within a pixel.
        EXPECT_LE(std::abs(placed.bounds.top + placed.bounds.bottom - 2 * cy), 1) << i;
        if (width == 42) {
            EXPECT_EQ(placed.bounds.left, 9);
            EXPECT_EQ(placed.bounds.right, 51);
        }
        if (width == 21) {
            EXPECT_EQ(placed.bounds.left, 19);
            EXPECT_EQ(placed.bounds.right, 40);
        }
    }
    // The last row's frame, and a window so low that the pitch is negative.
    const LegendRow last = legendRow(11, firstRowCentre, rowPitch, {0, -28, 35, 0});
    EXPECT_EQ(last.top, firstRowCentre + 11 * rowPitch - rowPitch / 2);
    EXPECT_EQ(last.bottom, firstRowCentre + 11 * rowPitch + rowPitch / 2);
    const LegendRow low = legendRow(1, 10, -3, {0, -28, 35, 0});
    EXPECT_EQ(low.centre, 7);
    EXPECT_EQ(low.top, 8);  // h = -3 / 2 = -1, truncated toward zero
    EXPECT_EQ(low.markTopX, 29);  // w = -12 / 7 = -1
}

}  // namespace
