// Tests of the main window's layout arithmetic.
#include <gtest/gtest.h>

#include "shell/layout.h"

namespace {

void expectBox(const ControlBox& p, int x, int y, int w, int h, const char* what)
{
    EXPECT_EQ(p.x, x) << what;
    EXPECT_EQ(p.y, y) << what;
    EXPECT_EQ(p.width, w) << what;
    EXPECT_EQ(p.height, h) << what;
}

TEST(Layout, MetricsAndControlsOfAnOrdinaryWindow)
{
    const Layout l = computeLayout({9, 16, 960, 700, 16});
    EXPECT_EQ(l.lineHeight, 18);
    EXPECT_EQ(l.paneWidth, 222);
    EXPECT_EQ(l.viewLeft, 357);
    EXPECT_EQ(l.rowPitch, 48);
    EXPECT_EQ(l.hintHeight, 101);
    EXPECT_EQ(l.firstRowCentre, 47);
    EXPECT_EQ(l.fieldHeight, 22);  // capped at the row height on a tall window
    EXPECT_EQ(l.visibleLines, 33);
    EXPECT_EQ(l.commandLeft, 897);
    EXPECT_EQ(l.stepLeft, 942);
    EXPECT_EQ(l.numberWidth, 81);
    EXPECT_EQ(l.viewRect.left, 357);
    EXPECT_EQ(l.viewRect.right, 960);
    EXPECT_EQ(l.listRect.left, 222);
    EXPECT_EQ(l.filterRect.bottom, 700);

    expectBox(l.filterSwitch, 1, 1, 221, 22, "filter switch");
    expectBox(l.filterFields[0][0], 61, 36, 52, 20, "field 0,0");
    expectBox(l.filterFields[11][2], 169, 564, 52, 20, "field 11,2");
    expectBox(l.hint, 0, 599, 222, 101, "hint");
    expectBox(l.rotationsSwitch, 223, 1, 134, 22, "rotations");
    expectBox(l.searchButton, 223, 23, 134, 22, "search");
    expectBox(l.hitStatus, 223, 678, 134, 22, "status");
    expectBox(l.previousHit, 223, 656, 67, 22, "previous hit");
    expectBox(l.nextHit, 290, 656, 67, 22, "next hit");
    expectBox(l.hitScrollbar, 339, 45, 18, 611, "scrollbar");
    expectBox(l.nextSolution, 942, 1, 18, 11, "next solution");
    expectBox(l.previousSolution, 942, 12, 18, 11, "previous solution");
    expectBox(l.solutionLabel, 358, 1, 584, 22, "solution label");
    expectBox(l.solutionNumber, 860, 2, 81, 20, "solution number");
    expectBox(l.viewerLabel, 358, 656, 539, 22, "viewer label");
    expectBox(l.viewerCommand, 358, 678, 539, 22, "viewer command");
    expectBox(l.startButton, 897, 656, 63, 44, "START");
}

TEST(Layout, NarrowWindowsMoveStartAndTheStepButtons)
{
    // START moves first; the number field keeps its width until the step pair moves too.
    Layout l = computeLayout({9, 16, 400, 700, 16});
    EXPECT_EQ(l.commandLeft, 358);
    EXPECT_EQ(l.stepLeft, 382);
    EXPECT_EQ(l.numberWidth, 81);
    l = computeLayout({9, 16, 357 + 63, 700, 16});  // exactly viewLeft + 7 units: moved
    EXPECT_EQ(l.commandLeft, 358);
    l = computeLayout({9, 16, 357 + 70, 700, 16});
    EXPECT_EQ(l.commandLeft, 364);
    l = computeLayout({9, 16, 357 + 18, 700, 16});  // exactly viewLeft + 2 units
    EXPECT_EQ(l.stepLeft, 358);
    EXPECT_EQ(l.numberWidth, 0);
    expectBox(l.solutionNumber, 357, 2, 0, 20, "number field");
    expectBox(l.nextSolution, 358, 1, 17, 11, "next solution");
    expectBox(l.startButton, 358, 656, 17, 44, "START");
}

TEST(Layout, VeryLowWindowsGiveNegativeSizes)
{
    const Layout l = computeLayout({9, 16, 960, 10, 16});
    EXPECT_EQ(l.rowPitch, -1);  // truncated toward zero, not floored
    EXPECT_EQ(l.hintHeight, -1);
    EXPECT_EQ(l.fieldHeight, -1);
    EXPECT_EQ(l.visibleLines, -4);
    expectBox(l.filterFields[1][0], 61, 23 - 0 - 1, 52, -3, "field 1,0");
}

TEST(Layout, PictureOriginsFollowTheZoom)
{
    const Layout l = computeLayout({9, 16, 960, 700, 16});
    const PictureOrigins one = computePictureOrigins(l, 1);
    EXPECT_EQ(one.upperX, 705);
    EXPECT_EQ(one.lowerX, 612);
    EXPECT_EQ(one.upperY, 152);
    EXPECT_EQ(one.lowerY, 469);
    const PictureOrigins three = computePictureOrigins(l, 3);
    EXPECT_EQ(three.upperX, (960 + 357 + 279) / 2);
    EXPECT_EQ(three.lowerX, (960 + 357 - 279) / 2);
    EXPECT_EQ(three.upperY, (633 - 342) / 4 + 23);
    // A low window makes the numerator negative: truncation toward zero.
    const PictureOrigins low = computePictureOrigins(computeLayout({9, 16, 960, 100, 16}), 3);
    EXPECT_EQ(low.upperY, (33 - 342) / 4 + 23);
    EXPECT_EQ(low.upperY, -77 + 23);
}

}  // namespace
