// build_up_plan.cpp: the build-up's plans from the assembly planners or the bottom-up
// order, and where the solids stand after some of the moves.
#include "rtd/build_up_plan.h"

#include <algorithm>
#include <cstdio>

#include "rtd/grid_cells.h"

namespace {

Vec3 toVec(GridCell c) { return {double(c.x), double(c.y), double(c.z)}; }

// How far a solid must move along the axis direction u to be clear of region, with half a
// cell between them; at least half a cell.
double clearance(const Box& moving, const Box& region, Vec3 u, double cell)
{
    if (moving.empty || region.empty) return 0.5 * cell;
    // The region's far side along u and the solid's near side.
    const double regionFront = std::max(dot(region.min, u), dot(region.max, u));
    const double movingBack = std::min(dot(moving.min, u), dot(moving.max, u));
    return std::max(regionFront - movingBack, 0.0) + 0.5 * cell;
}

// How far the solid moves out along the face's normal until it is clear of the box.
Vec3 slideStart(const Box& solid, const Box& box, BoxFace face, double cell)
{
    const Vec3 n = toVec(faceNormal(face));
    return n * clearance(solid, box, n, cell);
}

using Captions = std::array<std::string, 2>;

// A step's text: its solids' numbers ("2, 4 und 9") and what it does filled in.
Captions stepCaptions(Text id, const std::vector<int>& solids, const char* german, const char* english)
{
    Captions out;
    for (Language l : {Language::german, Language::english}) {
        std::string names;
        for (size_t i = 0; i < solids.size(); i++) {
            if (i > 0) names += i + 1 == solids.size() ? text(l, Text::listAnd) : ", ";
            names += std::to_string(solids[i] + 1);
        }
        std::string line(names.size() + 300, '\0');
        line.resize(size_t(std::snprintf(&line[0], line.size(), text(l, id), names.c_str(),
                                         l == Language::german ? german : english)));
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

// The planners know the solids with cells only: their piece k is solid solidOf[k].
std::vector<int> solidsWithCells(const SceneGrid& grid)
{
    std::vector<int> solidOf;
    for (size_t i = 0; i < grid.cells.size(); i++)
        if (!grid.cells[i].empty()) solidOf.push_back(int(i));
    return solidOf;
}

BuildUpPlan planOnGrid(const SceneGrid& grid, const std::vector<SlpSolid>& solids, const std::vector<int>& bottomUp,
                       AssemblyMode mode)
{
    const std::vector<int> solidOf = solidsWithCells(grid);
    AssemblyInput input = {grid.size, {}, mode, boxOpenFace};
    for (int solid : solidOf) input.pieces.push_back(grid.cells[size_t(solid)]);
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
        plan.moves.push_back({{solid}, start * -1.0, stepCaptions(Text::pieceFromSide, {solid}, faceNameGerman(s.from), faceNameEnglish(s.from))});
    }
    return plan;
}

GridCell plus(GridCell a, GridCell b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

BoxFace faceWithNormal(GridCell by)
{
    for (int f = 0; f < assemblyFaceCount; f++)
        if (faceNormal(BoxFace(f)) == by) return BoxFace(f);
    return boxOpenFace;
}

// The packing plan read back in parts: the box, and each group that left it (or left a
// group) and came apart outside, with the steps taken in each.
struct PlanStep {
    PackingMove move;
    uint64_t present;              // the part's pieces still in it before the step
    std::vector<GridCell> before;  // per piece: its offset in cells from its place
    int group;                     // an exit of several pieces: the part they became; else -1
};

struct PlanPart {
    bool box;
    std::vector<PlanStep> steps;
    int last;         // a group: the piece that stays put once the others have left
    GridCell lastAt;  // and its offset then
};

// Reads the steps of part self from the disassembly at `at` on, until none of its pieces
// is left (the box) or one (a group); a group's steps follow right after its exit. The
// offsets go on across the parts: a group's pieces move on from where they were when it
// left. False where the plan does not fit its pieces.
bool readPart(const MovePlan& plan, size_t& at, std::vector<GridCell>& offset, uint64_t pieces, int self,
              std::vector<PlanPart>& parts)
{
    const bool box = parts[size_t(self)].box;
    uint64_t left = pieces;
    while (box ? left != 0 : (left & (left - 1)) != 0) {
        if (at >= plan.disassembly.size()) return false;
        const PackingMove& m = plan.disassembly[at++];
        if (!m.pieces || (m.pieces & ~left) || m.inFreeSpace == box) return false;
        // A group comes apart: one of its pieces stays, it never leaves whole.
        if (!box && m.exits && m.pieces == left) return false;
        const bool group = m.exits && (m.pieces & (m.pieces - 1)) != 0;
        parts[size_t(self)].steps.push_back({m, left, offset, group ? int(parts.size()) : -1});
        if (!m.exits) {
            for (size_t i = 0; i < offset.size(); i++)
                if (m.pieces >> i & 1) offset[i] = plus(offset[i], m.by);
            continue;
        }
        left &= ~m.pieces;
        if (group) {
            parts.push_back({false, {}, -1, {0, 0, 0}});
            if (!readPart(plan, at, offset, m.pieces, int(parts.size()) - 1, parts)) return false;
        }
    }
    if (!box) {
        PlanPart& part = parts[size_t(self)];
        part.last = __builtin_ctzll(left);
        part.lastAt = offset[size_t(part.last)];
    }
    return true;
}

struct BoxPlanMaking {
    const std::vector<PlanPart>& parts;
    const std::vector<int>& solidOf;
    const std::vector<Box>& placed;  // per piece
    Box box;
    double cell;
    std::vector<Vec3> start;  // per solid
};

std::vector<int> solidsOf(const BoxPlanMaking& k, uint64_t pieces)
{
    std::vector<int> solids;
    for (size_t i = 0; i < k.solidOf.size(); i++)
        if (pieces >> i & 1) solids.push_back(k.solidOf[i]);
    return solids;
}

Box piecesAt(const BoxPlanMaking& k, uint64_t pieces, const std::vector<GridCell>& offset, Vec3 moved)
{
    Box b = emptyBox;
    for (size_t i = 0; i < k.solidOf.size(); i++)
        if (pieces >> i & 1) grow(b, shifted(k.placed[i], toVec(offset[i]) * k.cell + moved));
    return b;
}

// The moves that put part index together: its steps backwards, where its pieces were when
// it left (not moved away yet). A group starts with the piece that stayed put. hull grows
// by every place its solids take.
std::vector<BuildUpMove> assemblePart(BoxPlanMaking& k, int index, Box& hull)
{
    const PlanPart& part = k.parts[size_t(index)];
    std::vector<BuildUpMove> moves;
    if (!part.box) {
        const int solid = k.solidOf[size_t(part.last)];
        k.start[size_t(solid)] = toVec(part.lastAt) * k.cell;
        grow(hull, shifted(k.placed[size_t(part.last)], k.start[size_t(solid)]));
        moves.push_back({{solid}, {0, 0, 0}, stepCaptions(Text::pieceLaidOutside, {solid}, "", "")});
    }
    for (auto s = part.steps.rbegin(); s != part.steps.rend(); ++s) {
        const uint64_t pieces = s->move.pieces;
        const std::vector<int> solids = solidsOf(k, pieces);
        const bool one = solids.size() == 1;
        const Vec3 u = toVec(s->move.by);
        grow(hull, piecesAt(k, pieces, s->before, {0, 0, 0}));
        if (!s->move.exits) {
            // Backwards: from where the move took them back to where they were before it.
            const GridCell back = {-s->move.by.x, -s->move.by.y, -s->move.by.z};
            grow(hull, piecesAt(k, pieces, s->before, u * k.cell));
            const Text id = part.box ? (one ? Text::pieceCellMove : Text::piecesCellMove)
                                     : (one ? Text::pieceCellMoveOutside : Text::piecesCellMoveOutside);
            moves.push_back({solids, u * -k.cell, stepCaptions(id, solids, cellMoveNameGerman(back), cellMoveNameEnglish(back))});
            continue;
        }
        // They come in along the way they left, from where they are clear of what stays:
        // the box and the pieces in it, or the rest of the group.
        Box region = part.box ? k.box : emptyBox;
        grow(region, piecesAt(k, s->present & ~pieces, s->before, {0, 0, 0}));
        Box coming = piecesAt(k, pieces, s->before, {0, 0, 0});
        if (s->group >= 0) {
            // A group is put together out there first, then comes in as one.
            coming = emptyBox;
            const std::vector<BuildUpMove> inner = assemblePart(k, s->group, coming);
            moves.insert(moves.end(), inner.begin(), inner.end());
        } else {
            k.start[size_t(solids[0])] = toVec(s->before[size_t(__builtin_ctzll(pieces))]) * k.cell;
        }
        // A group waits a cell further off: it may have left from above the rim, and its
        // coming in should still be seen.
        const Vec3 away = u * (clearance(coming, region, u, k.cell) + (s->group >= 0 ? k.cell : 0));
        for (int solid : solids) k.start[size_t(solid)] = k.start[size_t(solid)] + away;
        grow(hull, shifted(coming, away));
        const BoxFace side = faceWithNormal(s->move.by);
        const Text id = part.box ? (one ? Text::pieceInFromSide : Text::groupInTogether)
                                 : (one ? Text::pieceJoinsOutside : Text::piecesJoinOutside);
        moves.push_back({solids, away * -1.0, stepCaptions(id, solids, faceNameGerman(side), faceNameEnglish(side))});
    }
    return moves;
}

// The box plan from the packing plan, or today's straight one and its fallbacks where
// there is none (or too many pieces for it).
BuildUpPlan planIntoBox(const SceneGrid& grid, const std::vector<SlpSolid>& solids, const std::vector<int>& bottomUp)
{
    const std::vector<int> solidOf = solidsWithCells(grid);
    if (solidOf.size() > size_t(maxMovePlanPieces)) return planOnGrid(grid, solids, bottomUp, AssemblyMode::box);
    std::vector<CellMask> masks;
    std::vector<Box> placed;
    for (int solid : solidOf) {
        CellMask m = 0;
        for (GridCell c : grid.cells[size_t(solid)]) m |= CellMask(1) << cellIndex(grid.size, c);
        masks.push_back(m);
        placed.push_back(solidBounds(solids[size_t(solid)]));
    }
    constexpr uint32_t bound = defaultMovePlanStateBound;
    const MovePlan found = planBoxMoves(grid.size, masks.data(), int(masks.size()), boxOpenFace, bound);
    if (found.status == MovePlanStatus::singleExits || found.status == MovePlanStatus::groupExit) {
        BuildUpPlan plan = boxPlanOf(found, solidOf, placed, sceneBounds(solids), grid.cellSize, solids.size());
        if (!plan.moves.empty()) return plan;
    }
    BuildUpPlan plan = planOnGrid(grid, solids, bottomUp, AssemblyMode::box);
    if (found.status == MovePlanStatus::boundReached) plan.boundReached = bound;
    return plan;
}

}  // namespace

BuildUpPlan boxPlanOf(const MovePlan& plan, const std::vector<int>& solidOf, const std::vector<Box>& placed,
                      const Box& box, double cell, size_t solidCount)
{
    BuildUpPlan out;
    out.cellSteps = true;
    out.start.assign(solidCount, Vec3{0, 0, 0});
    const size_t n = solidOf.size();
    if (n == 0 || n > size_t(maxMovePlanPieces) || placed.size() != n) return out;
    for (int solid : solidOf)
        if (solid < 0 || size_t(solid) >= solidCount) return out;
    std::vector<PlanPart> parts = {{true, {}, -1, {0, 0, 0}}};
    std::vector<GridCell> offset(n, GridCell{0, 0, 0});
    size_t at = 0;
    if (!readPart(plan, at, offset, (uint64_t(1) << n) - 1, 0, parts) || at != plan.disassembly.size()) return out;
    BoxPlanMaking k = {parts, solidOf, placed, box, cell, out.start};
    Box hull = emptyBox;
    out.moves = assemblePart(k, 0, hull);
    out.start = k.start;
    return out;
}

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
    plans.box = planIntoBox(grid, solids, bottomUp);
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
