// The build-up along the assembly plans: the cells found in the shipped meshes placed as
// real solutions (also with split faces and empty solids), meshes that are not on a grid,
// the plans as moves (straight, and into the box with one-cell moves and groups put
// together outside) and their fallback, the status lines, and the build-up over time.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "assembly/move_plan.h"
#include "rtd/build_up.h"
#include "rtd/caption.h"
#include "rtd/grid_cells.h"
#include "tests/rtd/test_scenes.h"

namespace {

void shift(SlpSolid& s, Vec3 by)
{
    for (SlpTriangle& t : s.triangles)
        for (Vec3& c : t.corner) c = c + by;
}

// Each triangle split into four at the middles of its sides.
SlpSolid splitInFour(const SlpSolid& s)
{
    SlpSolid out = s;
    out.triangles.clear();
    for (const SlpTriangle& t : s.triangles) {
        const Vec3 a = t.corner[0], b = t.corner[1], c = t.corner[2];
        const Vec3 ab = (a + b) * 0.5, bc = (b + c) * 0.5, ca = (c + a) * 0.5;
        for (const std::array<Vec3, 3>& q : {std::array<Vec3, 3>{a, ab, ca}, {ab, b, bc}, {ca, bc, c}, {ab, bc, ca}})
            out.triangles.push_back({{q[0], q[1], q[2]}, {t.normal[0], t.normal[1], t.normal[2]}});
    }
    return out;
}

std::vector<int> movedSolids(const BuildUpPlan& plan)
{
    std::vector<int> out;
    for (const BuildUpMove& m : plan.moves) out.insert(out.end(), m.solids.begin(), m.solids.end());
    return out;
}

BuildUpPlan straightPlan()
{
    BuildUpPlan plan;
    plan.start = {{-40, 0, 0}, {0, 0, 0}, {0, 0, 30}, {0, 0, 0}, {0, 50, 0}};
    plan.moves = {{{4}, {0, -50, 0}, {"Baustein 5 von oben", "piece 5 from above"}},
                  {{0}, {40, 0, 0}, {"Baustein 1 von links", "piece 1 from the left"}},
                  {{2}, {0, 0, -30}, {"Baustein 3 von vorn", "piece 3 from the front"}}};
    return plan;
}

}  // namespace

TEST(GridCells, TheShippedMeshesOfRealSolutionsGiveTheirCells)
{
    for (int n = 0; n < 4; n++) {
        std::vector<Cells> expected;
        const std::vector<SlpSolid> solids = solutionScene(realSolutions()[size_t(n)], &expected);
        const SceneGrid grid = findSceneGrid(solids);
        ASSERT_EQ(grid.status, GridStatus::onGrid) << "solution " << n + 1;
        EXPECT_DOUBLE_EQ(grid.cellSize, meshGridScale);
        EXPECT_EQ(grid.size.sizeX * 100 + grid.size.sizeY * 10 + grid.size.sizeZ, 543);
        ASSERT_EQ(grid.cells.size(), expected.size());
        for (size_t i = 0; i < expected.size(); i++) EXPECT_EQ(sorted(grid.cells[i]), expected[i]) << "piece " << i;
    }
}

TEST(GridCells, SplitFacesAndEmptySolidsKeepTheGridAndThePlan)
{
    std::vector<Cells> expected;
    std::vector<SlpSolid> solids = solutionScene(realSolutions()[1], &expected);
    const BuildUpPlans before = planBuildUp(solids);
    ASSERT_TRUE(movesTravel(before.free));
    // New corners at half cells: still a union of unit cells.
    solids[4] = splitInFour(solids[4]);
    solids.insert(solids.begin() + 7, SlpSolid{"leer", {1, 1, 1}, false, {}});
    const SceneGrid grid = findSceneGrid(solids);
    ASSERT_EQ(grid.status, GridStatus::onGrid);
    EXPECT_DOUBLE_EQ(grid.cellSize, meshGridScale);
    EXPECT_EQ(sorted(grid.cells[4]), expected[4]);
    EXPECT_TRUE(grid.cells[7].empty());
    const BuildUpPlans after = planBuildUp(solids);
    for (bool box : {false, true}) {
        const BuildUpPlan &a = planFor(after, box), &b = planFor(before, box);
        ASSERT_EQ(a.moves.size(), 12u) << box;
        EXPECT_EQ(movesTravel(a), movesTravel(b));
        std::vector<int> expectedOrder = movedSolids(b);
        for (int& solid : expectedOrder) solid += solid >= 7;  // the empty solid came in at 7
        EXPECT_EQ(movedSolids(a), expectedOrder);
    }
    // Without a grid the empty solid has no step either.
    shift(solids[3], {3, 0, 0});
    EXPECT_EQ(planBuildUp(solids).free.moves.size(), 12u);
}

TEST(GridCells, MeshesOffTheGridAreRefused)
{
    const std::vector<SlpSolid> real = solutionScene(realSolutions()[0]);
    std::vector<SlpSolid> solids = real;
    shift(solids[3], {3, 0, 0});  // a piece moved by less than a cell
    EXPECT_EQ(findSceneGrid(solids).status, GridStatus::offGrid);

    solids = real;
    solids[5].triangles[0].corner[0].y += 4;  // a slanted face
    EXPECT_EQ(findSceneGrid(solids).status, GridStatus::offGrid);

    solids = real;
    solids[7].triangles.resize(solids[7].triangles.size() - 2);  // a hole: not closed
    EXPECT_EQ(findSceneGrid(solids).status, GridStatus::offGrid);

    // On a grid, but the pieces lie apart in a room of hundreds of cells.
    solids = real;
    for (size_t i = 0; i < solids.size(); i++) shift(solids[i], Vec3{double(i % 3), 0, double(i / 3)} * 40);
    EXPECT_EQ(findSceneGrid(solids).status, GridStatus::tooLarge);
    const BuildUpPlans apart = planBuildUp(solids);
    EXPECT_FALSE(apart.onGrid);
    EXPECT_EQ(movedSolids(apart.free), buildUpOrder(solids));
    EXPECT_FALSE(movesTravel(apart.free));

    EXPECT_EQ(findSceneGrid({}).status, GridStatus::noSolids);
    // Any cell edge will do, and a grid needs no piece on its corner cell.
    const SceneGrid small = findSceneGrid({cubesMesh({{1, 0, 0}, {1, 1, 0}, {2, 1, 0}}, 2.5), cubesMesh({{2, 0, 0}}, 2.5)});
    ASSERT_EQ(small.status, GridStatus::onGrid);
    EXPECT_DOUBLE_EQ(small.cellSize, 2.5);
    EXPECT_EQ(small.cells[1], (Cells{{1, 0, 0}}));
}

TEST(BuildUpPlan, RealSolutionsSlideInAlongTheStraightPlanOfTheirCellsWhenFree)
{
    std::vector<Cells> cells;
    const std::vector<SlpSolid> solids = solutionScene(realSolutions()[1], &cells);
    const BuildUpPlans plans = planBuildUp(solids);
    ASSERT_TRUE(plans.onGrid);
    const Box boxBounds = sceneBounds(solids);
    const AssemblyPlan plan = planAssembly({{5, 4, 3}, cells, AssemblyMode::free, BoxFace::top});
    const BuildUpPlan& steps = plans.free;
    ASSERT_EQ(plan.status, AssemblyStatus::ok);
    EXPECT_FALSE(steps.cellSteps);
    ASSERT_EQ(steps.moves.size(), 12u);
    for (size_t k = 0; k < plan.steps.size(); k++) {
        const BuildUpMove& m = steps.moves[k];
        ASSERT_EQ(m.solids, std::vector<int>{plan.steps[k].piece});
        const int solid = m.solids[0];
        const std::string side = faceNameGerman(plan.steps[k].from);
        EXPECT_EQ(m.caption[0], "Baustein " + std::to_string(solid + 1) + " " + side);
        // Each waits along the side's normal, wholly outside the box, and the move
        // brings it home.
        const GridCell n = faceNormal(plan.steps[k].from);
        const Vec3 start = steps.start[size_t(solid)];
        EXPECT_NEAR(length(start), std::fabs(dot(start, {double(n.x), double(n.y), double(n.z)})), 1e-9);
        EXPECT_EQ(start + m.shift, (Vec3{0, 0, 0}));
        const Box waiting = shifted(solidBounds(solids[size_t(solid)]), start);
        const bool apart = waiting.min.x >= boxBounds.max.x || waiting.max.x <= boxBounds.min.x ||
                           waiting.min.y >= boxBounds.max.y || waiting.max.y <= boxBounds.min.y ||
                           waiting.min.z >= boxBounds.max.z || waiting.max.z <= boxBounds.min.z;
        EXPECT_TRUE(apart) << "step " << k;
    }
    const BuildUpPlacement done = placementAfter(steps, 12);
    EXPECT_EQ(done.in, std::vector<bool>(12, true));
    for (Vec3 o : done.offsets) EXPECT_EQ(o, (Vec3{0, 0, 0}));
}

namespace {

// Where a disassembly of single exits has the pieces after its first `done` steps: per
// piece its offset in cells and whether it is still in the box.
struct PackingState {
    std::vector<GridCell> offset;
    std::vector<bool> in;
};

PackingState packingAfter(const MovePlan& plan, size_t pieces, size_t done)
{
    PackingState s = {std::vector<GridCell>(pieces, GridCell{0, 0, 0}), std::vector<bool>(pieces, true)};
    for (size_t k = 0; k < done; k++) {
        const PackingMove& m = plan.disassembly[k];
        for (size_t i = 0; i < pieces; i++) {
            if (!(m.pieces >> i & 1)) continue;
            if (m.exits) s.in[i] = false;
            else s.offset[i] = {s.offset[i].x + m.by.x, s.offset[i].y + m.by.y, s.offset[i].z + m.by.z};
        }
    }
    return s;
}

}  // namespace

TEST(BuildUpPlan, IntoTheBoxEachStepIsOneMoveOfThePackingPlanBackwards)
{
    std::vector<Cells> cells;
    const std::vector<SlpSolid> solids = solutionScene(realSolutions()[4], &cells);  // solution 5
    std::vector<CellMask> masks;
    for (const Cells& piece : cells) {
        CellMask m = 0;
        for (GridCell c : piece) m |= CellMask(1) << cellIndex({5, 4, 3}, c);
        masks.push_back(m);
    }
    const MovePlan packing = planBoxMoves({5, 4, 3}, masks.data(), 12, BoxFace::top);
    ASSERT_EQ(packing.status, MovePlanStatus::singleExits);
    ASSERT_GT(packing.oneCellMoves, 1);
    const BuildUpPlan plan = planBuildUp(solids).box;
    EXPECT_TRUE(plan.cellSteps);
    const size_t n = packing.disassembly.size();
    ASSERT_EQ(plan.moves.size(), n);
    const Box box = sceneBounds(solids);
    for (size_t k = 0; k <= n; k++) {
        // After k steps the pieces stand as the disassembly has them before its last k.
        const PackingState expected = packingAfter(packing, 12, n - k);
        const BuildUpPlacement p = placementAfter(plan, int(k));
        ASSERT_EQ(p.in, expected.in) << "step " << k;
        for (size_t i = 0; i < 12; i++)
            if (p.in[i]) {
                const GridCell c = expected.offset[i];
                EXPECT_EQ(p.offsets[i], (Vec3{double(c.x), double(c.y), double(c.z)} * meshGridScale)) << k << ", " << i;
            }
        if (k == 0) continue;
        // Step k is that move backwards: a piece in from above, clear of the box at first,
        // or pieces pushed back one cell.
        const PackingMove& m = packing.disassembly[n - k];
        const BuildUpMove& step = plan.moves[k - 1];
        ASSERT_FALSE(step.solids.empty());
        if (m.exits) {
            const int solid = step.solids[0];
            EXPECT_EQ(step.caption[0], "Baustein " + std::to_string(solid + 1) + " von oben hinein");
            EXPECT_GE(shifted(solidBounds(solids[size_t(solid)]), plan.start[size_t(solid)]).min.y, box.max.y);
        } else {
            EXPECT_NE(step.caption[0].find(cellMoveNameGerman({-m.by.x, -m.by.y, -m.by.z})), std::string::npos) << k;
        }
    }
    EXPECT_EQ(buildUpStatus(Language::german, plan, 8, true),
              "Schritt 8 von 15: Bausteine 5 und 10 zusammen eine Zelle nach rechts (in die Schachtel)");
    EXPECT_EQ(buildUpStatus(Language::english, plan, 8, true),
              "Step 8 of 15: pieces 5 and 10 together one cell to the right (into the box)");
    EXPECT_EQ(buildUpStatus(Language::english, plan, 1, true), "Step 1 of 15: piece 12 in from above (into the box)");
}

TEST(BuildUpPlan, PiecesThatOnlyGoInTogetherArePutTogetherAboveTheBoxInView)
{
    // Two hooks in a box one cell deep, open at the top; neither comes out alone:
    //     . B B
    //     A A B
    //     A B B
    const std::vector<SlpSolid> hooks = {cubesMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}}, 10),
                                         cubesMesh({{1, 0, 0}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 0}}, 10)};
    const BuildUpPlan plan = planBuildUp(hooks).box;
    ASSERT_EQ(plan.moves.size(), 3u);
    EXPECT_EQ(buildUpNote(Language::german, plan, 3), "");
    EXPECT_EQ(buildUpStatus(Language::german, plan, 1, true),
              "Schritt 1 von 3: Baustein 2 au\xDF" "erhalb der Schachtel bereitgelegt (in die Schachtel)");
    EXPECT_EQ(buildUpStatus(Language::german, plan, 2, true),
              "Schritt 2 von 3: Baustein 1 au\xDF" "erhalb der Schachtel von links dazu (in die Schachtel)");
    EXPECT_EQ(buildUpStatus(Language::english, plan, 2, true),
              "Step 2 of 3: piece 1 joins from the left, outside the box (into the box)");
    EXPECT_EQ(buildUpStatus(Language::german, plan, 3, true),
              "Schritt 3 von 3: Bausteine 1 und 2 verhakt: sie kommen zusammen hinein (in die Schachtel)");
    EXPECT_EQ(buildUpStatus(Language::english, plan, 3, true),
              "Step 3 of 3: pieces 1 and 2 interlock: they go in together (into the box)");

    // Put together above the box, as they lie in it, in view; then in as one.
    const Box box = sceneBounds(hooks);
    const std::vector<Box> boxes = {solidBounds(hooks[0]), solidBounds(hooks[1])};
    for (int k = 1; k <= 2; k++) {
        const BuildUpPlacement p = placementAfter(plan, k);
        BuildUp b;
        jumpBuildUp(b, plan, k);
        const Fit fit = buildUpFit(b, plan, boxes, box, 0);
        for (size_t i = 0; i < 2; i++) {
            if (!p.in[i]) continue;
            const Box at = shifted(boxes[i], p.offsets[i]);
            EXPECT_GE(at.min.y, box.max.y) << k;
            for (Vec3 corner : {at.min, at.max}) EXPECT_LE(length(corner - fit.centre), fit.radius + 1e-9) << k;
        }
    }
    const BuildUpPlacement together = placementAfter(plan, 2);
    EXPECT_EQ(together.offsets[0], together.offsets[1]);
    EXPECT_EQ(placementAfter(plan, 3).offsets, std::vector<Vec3>(2, Vec3{0, 0, 0}));

    // A group that comes apart outside in two parts, one of them a group again: each part
    // is put together clear of the rest before it joins.
    const MovePlan nested = {MovePlanStatus::groupExit,
                             {{7, {0, 1, 0}, true, false}, {6, {1, 0, 0}, true, true}, {4, {1, 0, 0}, true, true}},
                             0, 3, 0, 0};
    const std::vector<Box> cubes = {{{0, 0, 0}, {10, 10, 10}, false}, {{10, 0, 0}, {20, 10, 10}, false},
                                    {{20, 0, 0}, {30, 10, 10}, false}};
    const Box row = {{0, 0, 0}, {30, 10, 10}, false};
    const BuildUpPlan parts = boxPlanOf(nested, {0, 1, 2}, cubes, row, 10, 3);
    ASSERT_EQ(parts.moves.size(), 5u);
    EXPECT_EQ(parts.moves[3].caption[0], "Bausteine 2 und 3 au\xDF" "erhalb der Schachtel zusammen von rechts dazu");
    for (int k = 1; k <= 4; k++) {
        const BuildUpPlacement p = placementAfter(parts, k);
        for (size_t i = 0; i < 3; i++) {
            if (!p.in[i]) continue;
            EXPECT_GE(shifted(cubes[i], p.offsets[i]).min.y, row.max.y) << k;
            // Piece 1 waits apart while 2 and 3 come together to its right.
            if (i > 0 && k < 4) {
                EXPECT_GE(shifted(cubes[i], p.offsets[i]).min.x, shifted(cubes[0], p.offsets[0]).max.x) << k;
            }
        }
    }
    EXPECT_EQ(placementAfter(parts, 5).offsets, std::vector<Vec3>(3, Vec3{0, 0, 0}));
    EXPECT_TRUE(boxPlanOf(nested, {0, 1}, {cubes[0], cubes[1]}, row, 10, 2).moves.empty());  // not its pieces
    const MovePlan groupLeavesWhole = {MovePlanStatus::groupExit,
                                       {{3, {0, 1, 0}, true, false}, {3, {1, 0, 0}, true, true}, {1, {1, 0, 0}, true, true}},
                                       0, 2, 0, 0};
    EXPECT_TRUE(boxPlanOf(groupLeavesWhole, {0, 1}, {cubes[0], cubes[1]}, row, 10, 2).moves.empty());
}

TEST(BuildUpPlan, InterlockedSolidsAreNamedAndBuiltUpFromTheBottom)
{
    // Two hooks that hold each other whichever way either moves.
    const std::vector<SlpSolid> hooks = {
        cubesMesh({{1, 1, 1}, {1, 1, 2}, {1, 2, 1}, {2, 0, 2}, {2, 1, 2}}, 10),
        cubesMesh({{0, 0, 1}, {1, 0, 1}, {1, 0, 2}, {1, 2, 2}, {2, 0, 1}, {2, 1, 1}, {2, 2, 1}, {2, 2, 2}}, 10)};
    const BuildUpPlans plans = planBuildUp(hooks);
    ASSERT_TRUE(plans.onGrid);
    EXPECT_EQ(plans.free.interlocked, (std::vector<int>{0, 1}));
    EXPECT_FALSE(movesTravel(plans.free));
    EXPECT_EQ(movedSolids(plans.free), buildUpOrder(hooks));
    EXPECT_EQ(buildUpStatus(Language::german, plans.free, 1, false), "Aufbau 1 von 2 (frei)");
    EXPECT_EQ(buildUpNote(Language::german, plans.free, 1), "Bausteine 1, 2 verhakt, Aufbau von unten nach oben");
    EXPECT_EQ(buildUpNote(Language::english, plans.free, 0), "pieces 1, 2 interlock, built up from the bottom");
    EXPECT_EQ(buildUpNote(Language::german, plans.free, -1), "");
    EXPECT_EQ(buildUpStatus(Language::german, plans.free, -1, false), "");
    // Nothing slides, and the view is the scene's.
    BuildUp b;
    stepBuildUp(b, plans.free, +1, 5);
    EXPECT_FALSE(slideRunning(b, 5));
    EXPECT_EQ(buildUpFit(b, plans.free, {solidBounds(hooks[0]), solidBounds(hooks[1])}, sceneBounds(hooks), 5),
              fitToBounds(sceneBounds(hooks)));
}

TEST(BuildUp, StepsSlideTheirMovesAndTheStatusSaysStepAndMode)
{
    const BuildUpPlan plan = straightPlan();
    EXPECT_EQ(buildUpStatus(Language::german, plan, 2, true), "Teil 2 von 3: Baustein 1 von links (in die Schachtel)");
    EXPECT_EQ(buildUpStatus(Language::english, plan, 1, false), "Step 1 of 3: piece 5 from above (free)");
    EXPECT_EQ(buildUpStatus(Language::german, plan, 0, false), "Aufbau 0 von 3 (frei)");

    // Page Down from the mode off brings the first move's solid in from outside, eased.
    BuildUp b;
    stepBuildUp(b, plan, +1, 10.0);
    EXPECT_EQ(b.count, 1);
    const auto at = [&](double now) { return buildUpAt(b, plan, 5, now); };
    EXPECT_EQ(at(10.0).offsets[4].y, 50);
    EXPECT_TRUE(at(10.0).in[4]);
    EXPECT_FALSE(at(10.0).in[0]);
    EXPECT_NEAR(at(10.0 + slideSeconds / 2).offsets[4].y, 25, 1e-9);
    const double early = at(10.0 + 0.25 * slideSeconds).offsets[4].y;
    EXPECT_GT(early, 37.5);
    EXPECT_LT(early, 50);
    EXPECT_EQ(at(10.0 + slideSeconds).offsets[4].y, 0);
    EXPECT_TRUE(slideRunning(b, 10.0 + 0.9 * slideSeconds));
    EXPECT_FALSE(endSlide(b, 10.0 + 0.9 * slideSeconds));
    EXPECT_TRUE(endSlide(b, 10.0 + slideSeconds));
    EXPECT_EQ(at(10.0).offsets[4].y, 0);  // at rest now

    // Page Up takes the last one out the same way and keeps it drawn until it is out.
    jumpBuildUp(b, plan, 3);
    stepBuildUp(b, plan, -1, 0);
    EXPECT_EQ(b.count, 2);
    EXPECT_TRUE(at(0.1).in[2]);
    EXPECT_GT(at(0.1).offsets[2].z, 0);
    EXPECT_LT(at(0.1).offsets[2].z, 30);
    EXPECT_FALSE(at(1.0).in[2]);
    // Page Up with the mode off starts from all moves done; the ends hold.
    jumpBuildUp(b, plan, -1);
    stepBuildUp(b, plan, -1, 0);
    EXPECT_EQ(b.count, 2);
    jumpBuildUp(b, plan, 0);
    stepBuildUp(b, plan, -1, 0);
    EXPECT_EQ(b.count, 0);
    EXPECT_FALSE(slideRunning(b, 0));
    jumpBuildUp(b, plan, 99);
    EXPECT_EQ(b.count, 3);
    // Off: everything in, at its place.
    jumpBuildUp(b, plan, -1);
    EXPECT_EQ(at(0).in, std::vector<bool>(5, true));
}

TEST(BuildUp, TheViewHoldsTheBoxAndTheCurrentMoveAndEasesBetweenFits)
{
    const BuildUpPlan plan = straightPlan();
    const std::vector<Box> boxes(5, Box{{0, 0, 0}, {10, 10, 10}, false});
    const Box box = {{0, 0, 0}, {10, 10, 10}, false};
    BuildUp b;
    jumpBuildUp(b, plan, 0);
    EXPECT_EQ(buildUpFit(b, plan, boxes, box, 0), fitToBounds(box));
    stepBuildUp(b, plan, +1, 1.0);
    // No jump when the slide starts; at its end the box and the path from above.
    EXPECT_EQ(buildUpFit(b, plan, boxes, box, 1.0), fitToBounds(box));
    const Fit half = buildUpFit(b, plan, boxes, box, 1.0 + slideSeconds / 2);
    const Fit rest = buildUpFit(b, plan, boxes, box, 1.0 + slideSeconds);
    EXPECT_EQ(rest, fitToBounds({{0, 0, 0}, {10, 60, 10}, false}));
    EXPECT_GT(half.radius, fitToBounds(box).radius);
    EXPECT_LT(half.radius, rest.radius);
    // The next move's path replaces this one's: the view never holds every path at once.
    endSlide(b, 2);
    stepBuildUp(b, plan, +1, 2.0);
    EXPECT_EQ(buildUpFit(b, plan, boxes, box, 2.0), rest);
    EXPECT_EQ(buildUpFit(b, plan, boxes, box, 3.0), fitToBounds({{-40, 0, 0}, {10, 10, 10}, false}));
}
