// Tests of the main window's operations on the viewer state: the solution number field,
// both mouse buttons in the pictures, the filter fields and menus, and the effects each
// hands to the window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "search/filter_text.h"
#include "search/record_match.h"
#include "search/search_control.h"
#include "shell/viewer.h"
#include "tests/support/table_file.h"

namespace {

bool repaints(const Effects& e, const Rect& r)
{
    for (const Rect& p : e.repaint)
        if (p.left == r.left && p.top == r.top && p.right == r.right && p.bottom == r.bottom) return true;
    return false;
}

std::string textsOf(const Effects& e)
{
    std::string all;
    for (const ControlText& t : e.texts) all += std::to_string(t.slot) + "=" + t.text + ";";
    return all;
}

bool sameCriterion(Criterion a, Criterion b) { return a.active == b.active && a.cell == b.cell; }

class Viewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCriteria();
        criteriaChanged = 0;
        searchRunning = 0;
        withRotations = 0;
        applyLayout(viewer, {9, 16, 960, 700, 16});
        // Record 1 holds no piece, record 2 the seventh piece unturned at the origin.
        // A file of each test's own: ctest runs the tests side by side.
        path = testing::TempDir() + "viewer_table_" + testing::UnitTest::GetInstance()->current_test_info()->name() +
               "_" + std::to_string(getpid()) + ".bin";
        std::vector<SolutionRecord> records(3);
        records[1].words[3] = 0x7000;
        ASSERT_TRUE(writeTableFile(path, records));
    }
    void TearDown() override
    {
        closeSolutionTable(viewer.solution);
        std::remove(path.c_str());
    }
    ViewerState viewer;
    std::string path;
    const SolutionCount table = {true, 3};
};

TEST_F(Viewer, SolutionFieldCleansLoadsAndSteps)
{
    viewer.results.selected = 5;
    Effects e = solutionFieldEdited(viewer, {"0042", 4, 4}, table);
    EXPECT_EQ(textsOf(e), "40=3;");  // clamped to the table's count
    EXPECT_EQ(viewer.results.selected, -1);
    EXPECT_FALSE(viewer.solution.loaded);  // an edit alone loads nothing

    e = solutionFieldChanged(viewer, {"2", 1, 1}, table, path.c_str());
    EXPECT_EQ(textsOf(e), "");
    EXPECT_TRUE(viewer.solution.loaded);
    EXPECT_EQ(viewer.solution.number, 2u);
    EXPECT_EQ(viewer.solution.record.words[3], 0x7000);
    EXPECT_TRUE(repaints(e, viewer.layout.viewRect));
    EXPECT_TRUE(repaints(e, viewer.layout.listRect));

    viewer.results.selected = 1;
    e = solutionFieldStepped(viewer, "2c", -1, table, path.c_str());
    EXPECT_EQ(textsOf(e), "40=1c;");
    EXPECT_EQ(viewer.solution.number, 1u);
    EXPECT_EQ(viewer.solution.variant, 2);
    EXPECT_EQ(viewer.results.selected, -1);

    // The table gone (the solver rewrites it): the old picture does not stay on show.
    closeSolutionTable(viewer.solution);
    e = solutionFieldChanged(viewer, {"2", 1, 1}, {false, 0}, (path + ".gone").c_str());
    EXPECT_FALSE(viewer.solution.loaded);
    EXPECT_TRUE(repaints(e, viewer.layout.viewRect));
}

TEST_F(Viewer, LeftPickFillsTheFocusedFieldThroughTheSearch)
{
    // A point of the upper picture's top face on cell (0,3,2).
    const ScreenPoint p = projectPoint(viewer.view, 1, 5, 40, 25, 10);
    EXPECT_EQ(textsOf(pickCell(viewer, false, p.x, p.y)), "");  // filter switched off
    toggleFilterSwitch(viewer);
    EXPECT_EQ(textsOf(pickCell(viewer, false, p.x, p.y)), "");  // no field has the focus

    EXPECT_EQ(textsOf(filterFieldFocus(viewer, 2, 1, true)), std::string("49=") + hintFocus + ";");
    EXPECT_EQ(textsOf(pickCell(viewer, false, p.x, p.y)), "7=0,3,2;44=Suchen!;");
    EXPECT_TRUE(sameCriterion(readCriterion(FilterTable[2][1]), {true, {0, 3, 2}}));
    EXPECT_EQ(criteriaChanged.load(), 1);

    // While a pass runs the caption is left to the pass.
    searchRunning = 1;
    EXPECT_EQ(textsOf(pickCell(viewer, false, p.x, p.y)), "7=0,3,2;");

    filterFieldFocus(viewer, 2, 1, false);
    EXPECT_EQ(textsOf(pickCell(viewer, false, p.x, p.y)), "");
}

TEST_F(Viewer, RightPickFramesThePieceAndTellsWhere)
{
    const ScreenPoint origin = projectPoint(viewer.view, -1, 50, 50, 0, 100);  // lower z face, (0,0,0)
    const ScreenPoint empty = projectPoint(viewer.view, 1, 5, 40, 25, 10);     // (0,3,2)
    // Nothing loaded: no frame, no box.
    Effects e = pickCell(viewer, true, origin.x, origin.y);
    EXPECT_EQ(viewer.selectedPiece, -1);
    EXPECT_TRUE(e.positionInfo.empty());

    solutionFieldChanged(viewer, {"2", 1, 1}, table, path.c_str());
    e = pickCell(viewer, true, origin.x, origin.y);
    EXPECT_EQ(viewer.selectedPiece, 6);
    EXPECT_TRUE(repaints(e, viewer.layout.filterRect));
    EXPECT_EQ(e.positionInfo, "Der 7. Baustein liegt auf der Raumkoordinate '0,0,0'");

    e = pickCell(viewer, true, empty.x, empty.y);  // a cell no piece of this record covers
    EXPECT_EQ(viewer.selectedPiece, -1);
    EXPECT_TRUE(repaints(e, viewer.layout.filterRect));
    EXPECT_TRUE(e.positionInfo.empty());

    pickCell(viewer, true, origin.x, origin.y);
    e = pickCell(viewer, true, viewer.layout.viewLeft + 2, 2);  // beside both pictures
    EXPECT_EQ(viewer.selectedPiece, -1);
    EXPECT_TRUE(repaints(e, viewer.layout.filterRect));
    pickCell(viewer, true, origin.x, origin.y);
    e = pickCell(viewer, true, viewer.layout.viewLeft - 1, origin.y);  // left of the drawing area
    EXPECT_EQ(viewer.selectedPiece, 6);
    EXPECT_TRUE(e.repaint.empty());
}

TEST_F(Viewer, FilterFieldsSetTurnAndClearCriteria)
{
    EXPECT_EQ(textsOf(filterFieldEdited(viewer, 0, 0, "1,2,0")), "49=;44=Suchen!;");
    EXPECT_EQ(textsOf(filterFieldEdited(viewer, 0, 1, "7,0,0")), std::string("49=") + hintInvalidX + ";44=Suchen!;");
    EXPECT_TRUE(sameCriterion(readCriterion(FilterTable[0][0]), {true, {1, 2, 0}}));
    EXPECT_FALSE(readCriterion(FilterTable[0][1]).active);

    // Variant b turns the box half about z: (x, y, z) -> (4 - x, 3 - y, z).
    criteriaChanged = 0;
    EXPECT_EQ(textsOf(turnFilters(viewer, 1)), "0=3,1,0;44=Suchen!;");
    EXPECT_TRUE(sameCriterion(readCriterion(FilterTable[0][0]), {true, {3, 1, 0}}));
    EXPECT_FALSE(readCriterion(FilterTable[0][1]).active);
    EXPECT_EQ(criteriaChanged.load(), 1);

    const Effects cleared = clearFilters(viewer);
    EXPECT_EQ(cleared.texts.size(), 37u);  // every field emptied, then the caption
    EXPECT_FALSE(anyCriterionActive(FilterTable));
}

TEST(FilterFields, EachPieceAndCriterionHasItsOwnSlotBeforeTheOtherControls)
{
    bool used[filterFieldCount] = {};
    for (int piece = 0; piece < pieceCount; piece++)
        for (int criterion = 0; criterion < criteriaPerPiece; criterion++) {
            const int slot = filterFieldSlot(piece, criterion);
            ASSERT_TRUE(slot >= 0 && slot < slotStart && !used[slot]) << piece << "," << criterion;
            used[slot] = true;
            EXPECT_EQ(filterFieldAt(slot).piece, piece);
            EXPECT_EQ(filterFieldAt(slot).criterion, criterion);
        }
    EXPECT_EQ(idLastFilterField, 351);
}

TEST_F(Viewer, MenusAndSwitchesChangeTheStateAndWhatShowsIt)
{
    Effects e = toggleMirror(viewer, 1);
    EXPECT_EQ(viewer.flips.mirrorZ, 1);
    EXPECT_TRUE(e.syncMenuChecks && repaints(e, viewer.layout.filterRect) && repaints(e, viewer.layout.viewRect));
    toggleMirror(viewer, 1);
    EXPECT_EQ(viewer.flips.mirrorZ, 0);
    EXPECT_EQ(viewer.flips.mirrorC + viewer.flips.mirrorR, 0);

    const ViewGeometry one = viewer.view;
    e = selectZoom(viewer, 3);
    EXPECT_EQ(viewer.view.zoom, 3);
    EXPECT_NE(viewer.view.upperX, one.upperX);  // the pictures move apart
    EXPECT_TRUE(e.syncMenuChecks && repaints(e, viewer.layout.viewRect));
    // A new size keeps the zoom factor.
    applyLayout(viewer, {9, 16, 1200, 800, 16});
    EXPECT_EQ(viewer.view.zoom, 3);
    EXPECT_EQ(viewer.view.upperX, computePictureOrigins(viewer.layout, 3).upperX);

    EXPECT_TRUE(toggleFilterSwitch(viewer).syncFilterControls);
    EXPECT_EQ(viewer.filterEnabled, 1);
    EXPECT_TRUE(toggleRotationsSwitch(viewer).syncFilterControls);
    EXPECT_EQ(withRotations.load(), 1);
    EXPECT_EQ(criteriaChanged.load(), 1);
}

}  // namespace
