// What a frame draws: the shared arrays of the solids, the runs of one draw call each, and
// the texts and legend of the window's own area.
#include <gtest/gtest.h>

#include "rtd/frame.h"
#include "rtd/overlay.h"
#include "tests/rtd/test_scenes.h"

namespace {

// Every character 7 pixels wide, lines 16 high.
FontMetrics fixedFont()
{
    FontMetrics f = {16, 13, {}};
    for (int& w : f.advance) w = 7;
    return f;
}

}  // namespace

TEST(Frame, ArraysHoldEverySolidAndRunsJoinNeighboursMovedAlike)
{
    SlpSolid red = cubesMesh({{0, 0, 0}, {1, 0, 0}}, 10);
    red.colour = {1, 0, 0};
    SlpSolid empty = {"leer", {0, 0, 1}, true, {}};
    const DrawArrays a = buildDrawArrays({red, empty, cubesMesh({{3, 0, 0}}, 10)});
    ASSERT_EQ(a.solids.size(), 3u);
    EXPECT_EQ(a.solids[0].cornerCount, int(red.triangles.size()) * 3);
    EXPECT_EQ(a.solids[1].cornerCount, 0);
    EXPECT_EQ(a.solids[2].firstCorner, a.solids[0].cornerCount);
    EXPECT_EQ(a.solids[2].edgePointCount, 24);  // a cube's twelve edges, no diagonals
    EXPECT_EQ(a.positions.size(), a.colours.size());
    EXPECT_EQ(a.colours[0] * 65536 + a.colours[1] * 256 + a.colours[2], 255 * 65536);

    const Vec3 zero = {0, 0, 0}, up = {0, 5, 0};
    EXPECT_EQ(drawRuns({true, true, true, false, true}, {zero, zero, up, zero, zero}),
              (std::vector<DrawRun>{{0, 1, zero}, {2, 2, up}, {4, 4, zero}}));
    EXPECT_TRUE(drawRuns({false, false}, {zero, zero}).empty());
    EXPECT_EQ(drawRuns({true, true, true}, {zero}).size(), 1u);  // no offset, no solid
}

TEST(Overlay, LongLinesWrapAtTheRoomLeftAndTheLegendStandsAtTheRight)
{
    const FontMetrics font = fixedFont();
    EXPECT_EQ(wrapText("Bausteine 2, 4, 5 verhakt", font, 7 * 12),
              (std::vector<std::string>{"Bausteine 2,", "4, 5 verhakt"}));
    EXPECT_EQ(wrapText("abcdefghij\nkl", font, 7 * 4), (std::vector<std::string>{"abcd", "efgh", "ij", "kl"}));
    EXPECT_EQ(wrapText("", font, 50), std::vector<std::string>{""});

    OverlayContent content = {"Zeile 3: unbekannte Zeile.", "Bausteine 1, 2 verhakt, Aufbau von unten nach oben", {}};
    for (int i = 0; i < 12; i++) content.legend.push_back({pieceColours[i], std::to_string(i + 1), i != 4});
    const Viewport window = {300, 200};
    const Overlay o = layoutOverlay(content, font, window);
    // The legend: a panel at the top right, a swatch per piece in its colour, its number,
    // dimmed where it is not drawn; two columns where one does not fit the height.
    const OverlayRect& legend = o.rects[0];
    EXPECT_EQ(legend.right, window.width - 4);
    EXPECT_EQ(o.rects[1].colour, pieceColours[0]);
    int dimmed = 0, swatches = 0;
    for (const OverlayText& t : o.texts) dimmed += t.colour == dimTextColour;
    for (const OverlayRect& r : o.rects) swatches += r.right - r.left == font.height - 2;
    EXPECT_EQ(dimmed, 1);
    EXPECT_EQ(swatches, 12);
    EXPECT_LT(legend.bottom, window.height);
    EXPECT_LT(legend.left, window.width - 2 * (font.height + 6 + 14));
    // The problem panel above the note, both left of the legend, every line within it.
    const OverlayRect& problem = o.rects[13];
    const OverlayRect& note = o.rects[14];
    EXPECT_EQ(problem.colour, problemPanelColour);
    EXPECT_EQ(note.colour, notePanelColour);
    EXPECT_GT(note.top, problem.bottom);
    for (const OverlayRect& r : {problem, note}) EXPECT_LT(r.right, legend.left);
    for (const OverlayText& t : o.texts) {
        if (t.x >= legend.left) continue;
        EXPECT_LE(t.x + textWidth(font, t.text), legend.left - 4) << t.text;
    }

    // Beyond the limit the last entry counts the rest.
    content = {"", "", std::vector<LegendEntry>(100, {pieceColours[0], "7", true})};
    const Overlay many = layoutOverlay(content, font, {2000, 2000});
    EXPECT_EQ(many.texts.back().text, "+53");
    EXPECT_EQ(int(many.texts.size()), maxLegendEntries);
}
