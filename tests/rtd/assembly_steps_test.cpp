// The build-up along the assembly plan: the cells found in the shipped meshes placed as
// real solutions, meshes that are not on a grid, the plans and their fallback, the slide
// over time and the status lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "model/placement.h"
#include "rtd/assembly_steps.h"
#include "rtd/commands.h"
#include "rtd/grid_cells.h"
#include "tests/support/real_solutions.h"
#include "tools/piece_mesh.h"

// Found by the standard algorithms through the type's namespace.
static bool operator<(GridCell a, GridCell b) { return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z); }
static bool operator==(GridCell a, GridCell b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

namespace {

using Cells = std::vector<GridCell>;

Cells sorted(Cells c)
{
    std::sort(c.begin(), c.end());
    return c;
}

// A solution as the converter writes it: each piece's shipped mesh turned and moved by
// its placement, cell steps of meshGridScale. cells gets each piece's cells in the box.
std::vector<SlpSolid> solutionScene(const SolutionRecord& record, std::vector<Cells>* cells = nullptr)
{
    std::vector<SlpSolid> solids;
    for (PlacementWord word : record.words) {
        const int piece = placementPieceIndex(word);
        const IntTransform t = effectivePlacementWith(word, -1, false, {0, 0, 0});
        const std::string text = pieceMeshText(piece);
        SlpSolid s = parseSlp(text.data(), text.size()).solids.at(0);
        for (SlpTriangle& tri : s.triangles)
            for (Vec3& c : tri.corner)
                c = {t.e[0] * c.x + t.e[3] * c.y + t.e[6] * c.z + meshGridScale * t.e[9],
                     t.e[1] * c.x + t.e[4] * c.y + t.e[7] * c.z + meshGridScale * t.e[10],
                     t.e[2] * c.x + t.e[5] * c.y + t.e[8] * c.z + meshGridScale * t.e[11]};
        solids.push_back(s);
        if (cells) {
            const PieceCells placed = placePiece(PieceCatalogue[piece], t);
            Cells own;
            for (int i = 0; i < placed.cellCount; i++) own.push_back({placed.cells[i].x, placed.cells[i].y, placed.cells[i].z});
            cells->push_back(sorted(own));
        }
    }
    return solids;
}

// The outer faces of unit cubes of the given edge, two triangles each.
SlpSolid cubesMesh(const Cells& cells, double edge)
{
    SlpSolid s = {"cubes", {1, 1, 1}, true, {}};
    const auto has = [&](GridCell c) { return std::find(cells.begin(), cells.end(), c) != cells.end(); };
    for (GridCell c : cells)
        for (int axis = 0; axis < 3; axis++)
            for (int sign = 0; sign < 2; sign++) {
                GridCell n = c;
                (&n.x)[axis] += sign ? 1 : -1;
                if (has(n)) continue;
                const int u = (axis + 1) % 3, v = (axis + 2) % 3;
                Vec3 q[4];
                for (int k = 0; k < 4; k++) {
                    double p[3] = {double(c.x), double(c.y), double(c.z)};
                    p[axis] += sign;
                    p[u] += (k == 1 || k == 2);
                    p[v] += (k >= 2);
                    q[k] = Vec3{p[0], p[1], p[2]} * edge;
                }
                // Counter-clockwise seen from outside, as the converter's meshes are.
                if (!sign) std::swap(q[1], q[3]);
                s.triangles.push_back({{q[0], q[1], q[2]}, {}});
                s.triangles.push_back({{q[0], q[2], q[3]}, {}});
            }
    return s;
}

void shift(SlpSolid& s, Vec3 by)
{
    for (SlpTriangle& t : s.triangles)
        for (Vec3& c : t.corner) c = c + by;
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
    EXPECT_EQ(apart.free.order, buildUpOrder(solids));
    EXPECT_FALSE(followsPlan(apart.free));

    EXPECT_EQ(findSceneGrid({}).status, GridStatus::noSolids);
    // Any cell edge will do, and a grid needs no piece on its corner cell.
    const SceneGrid small = findSceneGrid({cubesMesh({{1, 0, 0}, {1, 1, 0}, {2, 1, 0}}, 2.5), cubesMesh({{2, 0, 0}}, 2.5)});
    ASSERT_EQ(small.status, GridStatus::onGrid);
    EXPECT_DOUBLE_EQ(small.cellSize, 2.5);
    EXPECT_EQ(small.cells[1], (Cells{{1, 0, 0}}));
}

TEST(AssemblySteps, RealSolutionsFollowThePlanOfTheirCells)
{
    std::vector<Cells> cells;
    const std::vector<SlpSolid> solids = solutionScene(realSolutions()[1], &cells);
    const BuildUpPlans plans = planBuildUp(solids);
    ASSERT_TRUE(plans.onGrid);
    for (bool box : {false, true}) {
        const AssemblyPlan plan = planAssembly({{5, 4, 3}, cells, box ? AssemblyMode::box : AssemblyMode::free, BoxFace::top});
        const BuildUpSteps& steps = stepsFor(plans, box);
        if (plan.status != AssemblyStatus::ok) {
            EXPECT_EQ(steps.interlocked, plan.interlocked);
            EXPECT_EQ(steps.order, buildUpOrder(solids));
            continue;
        }
        ASSERT_TRUE(followsPlan(steps));
        ASSERT_EQ(steps.order.size(), 12u);
        const Box boxBounds = sceneBounds(solids);
        for (size_t k = 0; k < plan.steps.size(); k++) {
            EXPECT_EQ(steps.order[k], plan.steps[k].piece);
            EXPECT_EQ(steps.from[k], plan.steps[k].from);
            if (box) {
                EXPECT_EQ(steps.from[k], BoxFace::top);
            }
            // The slide starts along the side's normal, the solid wholly outside the box.
            const GridCell n = faceNormal(steps.from[k]);
            const Vec3 start = steps.start[k];
            EXPECT_NEAR(length(start), std::fabs(dot(start, {double(n.x), double(n.y), double(n.z)})), 1e-9);
            Box moved = solidBounds(solids[size_t(steps.order[k])]);
            moved = {moved.min + start, moved.max + start, false};
            const bool apart = moved.min.x >= boxBounds.max.x || moved.max.x <= boxBounds.min.x ||
                               moved.min.y >= boxBounds.max.y || moved.max.y <= boxBounds.min.y ||
                               moved.min.z >= boxBounds.max.z || moved.max.z <= boxBounds.min.z;
            EXPECT_TRUE(apart) << "step " << k;
        }
        // The view holds the box and every slide's start.
        const Box view = viewBounds(solids, {}, &steps);
        for (size_t k = 0; k < steps.order.size(); k++) {
            const Box b = solidBounds(solids[size_t(steps.order[k])]);
            for (Vec3 corner : {b.min + steps.start[k], b.max + steps.start[k]}) {
                EXPECT_GE(corner.x, view.min.x - 1e-9);
                EXPECT_LE(corner.y, view.max.y + 1e-9);
                EXPECT_GE(corner.y, view.min.y - 1e-9);
            }
        }
    }
}

TEST(AssemblySteps, InterlockedSolidsAreNamedAndBuiltUpFromTheBottom)
{
    // Two hooks that hold each other whichever way either moves.
    const std::vector<SlpSolid> hooks = {
        cubesMesh({{1, 1, 1}, {1, 1, 2}, {1, 2, 1}, {2, 0, 2}, {2, 1, 2}}, 10),
        cubesMesh({{0, 0, 1}, {1, 0, 1}, {1, 0, 2}, {1, 2, 2}, {2, 0, 1}, {2, 1, 1}, {2, 2, 1}, {2, 2, 2}}, 10)};
    const BuildUpPlans plans = planBuildUp(hooks);
    ASSERT_TRUE(plans.onGrid);
    EXPECT_EQ(plans.free.interlocked, (std::vector<int>{0, 1}));
    EXPECT_FALSE(followsPlan(plans.free));
    EXPECT_EQ(plans.free.order, buildUpOrder(hooks));
    EXPECT_EQ(buildUpStatus(Language::german, plans.free, 1),
              "Aufbau 1 von 2 - Bausteine 1, 2 verhakt, Aufbau von unten nach oben");
    EXPECT_EQ(buildUpStatus(Language::english, plans.free, 0),
              "Build-up 0 of 2 - pieces 1, 2 interlock, built up from the bottom");
    EXPECT_EQ(buildUpStatus(Language::german, plans.free, -1), "");
    // Without a plan nothing slides, and the view is the scene's.
    EXPECT_EQ(slideForStep(plans.free, 0, 1, 5).solid, -1);
    const Box view = viewBounds(hooks, {}, &plans.free), scene = sceneBounds(hooks);
    EXPECT_EQ(view.max.y, scene.max.y);
}

TEST(AssemblySteps, SlidesStepsAndStatus)
{
    BuildUpSteps steps;
    steps.order = {4, 0, 2};
    steps.from = {BoxFace::top, BoxFace::left, BoxFace::front};
    steps.start = {{0, 50, 0}, {-40, 0, 0}, {0, 0, 30}};
    EXPECT_EQ(buildUpStatus(Language::german, steps, 2), "Teil 2 von 3: Baustein 1 von links");
    EXPECT_EQ(buildUpStatus(Language::english, steps, 1), "Step 1 of 3: piece 5 from above");
    EXPECT_EQ(buildUpStatus(Language::german, steps, 0), "Aufbau 0 von 3");

    // Page Down from the mode off or from 0 brings the first step's solid in from outside.
    Slide in = slideForStep(steps, -1, 1, 10.0);
    EXPECT_EQ(in.solid, 4);
    EXPECT_TRUE(in.entering);
    EXPECT_EQ(slideOffset(in, 10.0).y, 50);
    EXPECT_NEAR(slideOffset(in, 10.0 + slideSeconds / 2).y, 25, 1e-9);  // halfway at half the time
    const double early = slideOffset(in, 10.0 + 0.25 * slideSeconds).y;
    EXPECT_GT(early, 37.5);  // eased: slow at the start
    EXPECT_LT(early, 50);
    EXPECT_EQ(slideOffset(in, 10.0 + slideSeconds).y, 0);
    EXPECT_EQ(slideOffset(in, 99).y, 0);
    EXPECT_TRUE(slideRunning(in, 10.0 + 0.9 * slideSeconds));
    EXPECT_FALSE(slideRunning(in, 10.0 + slideSeconds));

    // Page Up takes the last one out the same way and keeps it drawn until it is out.
    Slide out = slideForStep(steps, 3, 2, 0);
    EXPECT_EQ(out.solid, 2);
    EXPECT_FALSE(out.entering);
    std::vector<Vec3> offsets(5, Vec3{1, 1, 1});
    std::vector<bool> drawn(5, false), shown(5, true);
    applySlide(out, 0.1, shown, &offsets, &drawn);
    EXPECT_TRUE(drawn[2]);
    EXPECT_GT(offsets[2].z, 1);
    EXPECT_LT(offsets[2].z, 31);
    EXPECT_EQ(offsets[0].z, 1);
    drawn.assign(5, false);
    applySlide(out, 1.0, shown, &offsets, &drawn);
    EXPECT_FALSE(drawn[2]);
    shown[2] = false;  // a hidden solid stays hidden on its way out
    applySlide(out, 0.1, shown, nullptr, &drawn);
    EXPECT_FALSE(drawn[2]);

    EXPECT_EQ(slideForStep(steps, 3, 3, 0).solid, -1);   // nothing changed
    EXPECT_EQ(slideForStep(steps, 0, 3, 0).solid, -1);   // a jump (End, a start at --step)
    // M switches the mode, which chooses the steps.
    ViewState view;
    EXPECT_EQ(runCommand(view, commandForKey('M', false, false), -1), CommandResult::changed);
    EXPECT_TRUE(view.boxMode);
    EXPECT_TRUE(commandChecked(view, commandBuildUpBox));
    BuildUpPlans plans = {true, steps, {}};
    EXPECT_EQ(&stepsFor(plans, view.boxMode), &plans.box);
    runCommand(view, commandBuildUpBox, -1);
    EXPECT_EQ(&stepsFor(plans, view.boxMode), &plans.free);

    EXPECT_EQ(stepProblemText(Language::english, 4, 3), "--step 4: there are only steps 0 to 3.");
    EXPECT_EQ(stepProblemText(Language::german, 3, 3), "");
}
