// build_up_plan.cpp: the build-up's plans from the assembly planner or the bottom-up order,
// and where the solids stand after some of the moves.
#include "rtd/build_up_plan.h"

#include <algorithm>
#include <cstdio>

#include "rtd/grid_cells.h"

namespace {

Vec3 toVec(GridCell c) { return {double(c.x), double(c.y), double(c.z)}; }

// How far the solid moves out along the face's normal until it is clear of the box, with
// half a cell between them.
Vec3 slideStart(const Box& solid, const Box& box, BoxFace face, double cell)
{
    const Vec3 n = toVec(faceNormal(face));
    // The solid's far side along -n and the box's side along n.
    const double solidBack = std::min(dot(solid.min, n), dot(solid.max, n));
    const double boxFront = std::max(dot(box.min, n), dot(box.max, n));
    return n * (boxFront - solidBack + 0.5 * cell);
}

std::array<std::string, 2> pieceFromSide(int solid, BoxFace from)
{
    std::array<std::string, 2> out;
    for (Language l : {Language::german, Language::english}) {
        char line[100];
        std::snprintf(line, sizeof line, text(l, Text::pieceFromSide), solid + 1,
                      l == Language::german ? faceNameGerman(from) : faceNameEnglish(from));
        out[size_t(l)] = line;
    }
    return out;
}

// Each solid of the order appears at its place.
BuildUpPlan appearingIn(const std::vector<int>& order, size_t solidCount)
{
    BuildUpPlan plan;
    plan.start.assign(solidCount, Vec3{0, 0, 0});
    for (int solid : order) plan.moves.push_back({{solid}, {0, 0, 0}, {}});
    return plan;
}

BuildUpPlan planOnGrid(const SceneGrid& grid, const std::vector<SlpSolid>& solids, const std::vector<int>& bottomUp,
                       AssemblyMode mode)
{
    // The planner knows the solids with cells only; pieces[k] is solid solidOf[k].
    std::vector<int> solidOf;
    AssemblyInput input = {grid.size, {}, mode, boxOpenFace};
    for (size_t i = 0; i < grid.cells.size(); i++)
        if (!grid.cells[i].empty()) {
            solidOf.push_back(int(i));
            input.pieces.push_back(grid.cells[i]);
        }
    const AssemblyPlan found = planAssembly(input);
    BuildUpPlan plan = appearingIn(bottomUp, solids.size());
    if (found.status == AssemblyStatus::interlocked)
        for (int piece : found.interlocked) plan.interlocked.push_back(solidOf[size_t(piece)]);
    if (found.status != AssemblyStatus::ok) return plan;
    const Box box = sceneBounds(solids);
    plan.moves.clear();
    for (const AssemblyStep& s : found.steps) {
        const int solid = solidOf[size_t(s.piece)];
        const Vec3 start = slideStart(solidBounds(solids[size_t(solid)]), box, s.from, grid.cellSize);
        plan.start[size_t(solid)] = start;
        plan.moves.push_back({{solid}, start * -1.0, pieceFromSide(solid, s.from)});
    }
    return plan;
}

}  // namespace

bool movesTravel(const BuildUpPlan& plan)
{
    for (const BuildUpMove& m : plan.moves)
        if (m.shift != Vec3{0, 0, 0}) return true;
    return false;
}

BuildUpPlans planBuildUp(const std::vector<SlpSolid>& solids)
{
    BuildUpPlans plans;
    const std::vector<int> bottomUp = buildUpOrder(solids);
    const SceneGrid grid = findSceneGrid(solids);
    plans.onGrid = grid.status == GridStatus::onGrid;
    if (!plans.onGrid) {
        plans.free = plans.box = appearingIn(bottomUp, solids.size());
        return plans;
    }
    plans.free = planOnGrid(grid, solids, bottomUp, AssemblyMode::free);
    plans.box = planOnGrid(grid, solids, bottomUp, AssemblyMode::box);
    return plans;
}

const BuildUpPlan& planFor(const BuildUpPlans& plans, bool boxMode) { return boxMode ? plans.box : plans.free; }

BuildUpPlacement placementAfter(const BuildUpPlan& plan, int count)
{
    BuildUpPlacement p = {plan.start, std::vector<bool>(plan.start.size(), false)};
    const int n = std::min(count, int(plan.moves.size()));
    for (int k = 0; k < n; k++)
        for (int solid : plan.moves[size_t(k)].solids) {
            if (solid < 0 || size_t(solid) >= p.offsets.size()) continue;
            p.offsets[size_t(solid)] = p.offsets[size_t(solid)] + plan.moves[size_t(k)].shift;
            p.in[size_t(solid)] = true;
        }
    return p;
}

Box movePath(const BuildUpPlan& plan, const std::vector<Box>& solidBoxes, int move)
{
    Box path = emptyBox;
    if (move < 0 || size_t(move) >= plan.moves.size()) return path;
    const BuildUpPlacement before = placementAfter(plan, move);
    const BuildUpMove& m = plan.moves[size_t(move)];
    for (int solid : m.solids) {
        if (solid < 0 || size_t(solid) >= solidBoxes.size() || size_t(solid) >= before.offsets.size()) continue;
        const Vec3 at = before.offsets[size_t(solid)];
        grow(path, shifted(solidBoxes[size_t(solid)], at));
        grow(path, shifted(solidBoxes[size_t(solid)], at + m.shift));
    }
    return path;
}
