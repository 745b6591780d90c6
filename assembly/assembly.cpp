// assembly.cpp: the assembly plan by repeated removal over precomputed sweeps. A piece's
// sweep towards a face (the cells it crosses on its way out) does not depend on the other
// pieces, so each test during the removal is one AND against the cells still occupied.
#include "assembly/assembly.h"

namespace {

// The order in which the sides are tried for a piece that could leave several ways: in
// through the top first, as a person would build, from below last.
constexpr BoxFace facePreference[assemblyFaceCount] = {BoxFace::top,   BoxFace::left,
                                                       BoxFace::right, BoxFace::front,
                                                       BoxFace::back,  BoxFace::bottom};

bool isPositiveFace(BoxFace face)
{
    return face == BoxFace::top || face == BoxFace::right || face == BoxFace::front;
}

}  // namespace

const char* faceNameGerman(BoxFace face)
{
    switch (face) {
    case BoxFace::top: return "von oben";
    case BoxFace::bottom: return "von unten";
    case BoxFace::left: return "von links";
    case BoxFace::right: return "von rechts";
    case BoxFace::front: return "von vorn";
    case BoxFace::back: return "von hinten";
    }
    return "";
}

const char* faceNameEnglish(BoxFace face)
{
    switch (face) {
    case BoxFace::top: return "from above";
    case BoxFace::bottom: return "from below";
    case BoxFace::left: return "from the left";
    case BoxFace::right: return "from the right";
    case BoxFace::front: return "from the front";
    case BoxFace::back: return "from behind";
    }
    return "";
}

GridCell faceNormal(BoxFace face)
{
    switch (face) {
    case BoxFace::top: return {0, 1, 0};
    case BoxFace::bottom: return {0, -1, 0};
    case BoxFace::left: return {-1, 0, 0};
    case BoxFace::right: return {1, 0, 0};
    case BoxFace::front: return {0, 0, 1};
    case BoxFace::back: return {0, 0, -1};
    }
    return {0, 0, 0};
}

int cellIndex(const AssemblyGrid& grid, GridCell cell)
{
    if (cell.x < 0 || cell.y < 0 || cell.z < 0 || cell.x >= grid.sizeX || cell.y >= grid.sizeY ||
        cell.z >= grid.sizeZ)
        return -1;
    return cell.x + grid.sizeX * (cell.y + grid.sizeY * cell.z);
}

bool prepareAssemblyGrid(AssemblyGrid grid, AssemblyGridMasks& masks)
{
    if (grid.sizeX < 1 || grid.sizeY < 1 || grid.sizeZ < 1) return false;
    // Checked one factor at a time so that huge sizes cannot overflow the product.
    if (grid.sizeX > maxAssemblyCells || grid.sizeY > maxAssemblyCells / grid.sizeX ||
        grid.sizeZ > maxAssemblyCells / (grid.sizeX * grid.sizeY))
        return false;
    masks = {};
    masks.grid = grid;
    masks.cellCount = grid.sizeX * grid.sizeY * grid.sizeZ;
    for (int f = 0; f < assemblyFaceCount; f++) {
        const GridCell n = faceNormal(BoxFace(f));
        masks.stride[f] = (n.x + n.y * grid.sizeX + n.z * grid.sizeX * grid.sizeY);
        if (masks.stride[f] < 0) masks.stride[f] = -masks.stride[f];
        for (int z = 0; z < grid.sizeZ; z++)
            for (int y = 0; y < grid.sizeY; y++)
                for (int x = 0; x < grid.sizeX; x++)
                    if (cellIndex(grid, {x + n.x, y + n.y, z + n.z}) >= 0)
                        masks.inner[f] |= CellMask(1) << cellIndex(grid, {x, y, z});
    }
    return true;
}

CellMask sweepOut(const AssemblyGridMasks& masks, CellMask piece, BoxFace face)
{
    const int f = int(face);
    const int stride = masks.stride[f];
    const CellMask inner = masks.inner[f];
    CellMask swept = 0;
    // Each step moves the piece one cell towards the face; cells that would leave the grid
    // are dropped, since outside it nothing is in the way.
    if (isPositiveFace(face))
        for (CellMask at = (piece & inner) << stride; at; at = (at & inner) << stride) swept |= at;
    else
        for (CellMask at = (piece & inner) >> stride; at; at = (at & inner) >> stride) swept |= at;
    return swept & ~piece;
}

void computeSweeps(const AssemblyGridMasks& masks, const CellMask* pieces, int pieceCount,
                   PackingSweeps& sweeps)
{
    sweeps.pieceCount = pieceCount;
    for (int i = 0; i < pieceCount; i++) {
        sweeps.cells[i] = pieces[i];
        for (int f = 0; f < assemblyFaceCount; f++)
            sweeps.sweep[i][f] = sweepOut(masks, pieces[i], BoxFace(f));
    }
}

uint64_t planWithSweeps(const PackingSweeps& sweeps, unsigned allowedFaces, AssemblyStep* steps,
                        int* stepCount)
{
    int faces[assemblyFaceCount];
    int faceCount = 0;
    for (BoxFace face : facePreference)
        if (allowedFaces & faceBit(face)) faces[faceCount++] = int(face);

    const int count = sweeps.pieceCount;
    uint64_t left = count >= 64 ? ~uint64_t(0) : (uint64_t(1) << count) - 1;
    CellMask occupied = 0;
    for (int i = 0; i < count; i++) occupied |= sweeps.cells[i];
    int removed = 0;
    for (bool progress = true; left && progress;) {
        progress = false;
        for (uint64_t rest = left; rest; rest &= rest - 1) {
            const int i = __builtin_ctzll(rest);
            const CellMask* sweep = sweeps.sweep[i];
            for (int k = 0; k < faceCount; k++) {
                if (sweep[faces[k]] & occupied) continue;
                occupied &= ~sweeps.cells[i];
                left &= ~(uint64_t(1) << i);
                // The last piece out is the first one in.
                if (steps) steps[count - 1 - removed] = {i, BoxFace(faces[k])};
                removed++;
                progress = true;
                break;
            }
        }
    }
    // With pieces left over, the plan of the others starts where the removal stopped.
    if (steps && removed < count)
        for (int k = 0; k < removed; k++) steps[k] = steps[count - removed + k];
    if (stepCount) *stepCount = removed;
    return left;
}

AssemblyPlan planAssembly(const AssemblyInput& input)
{
    AssemblyPlan plan = {AssemblyStatus::ok, {}, {}, -1};
    const AssemblyGrid& grid = input.grid;
    if (grid.sizeX < 1 || grid.sizeY < 1 || grid.sizeZ < 1) {
        plan.status = AssemblyStatus::badGrid;
        return plan;
    }
    AssemblyGridMasks masks;
    if (!prepareAssemblyGrid(grid, masks)) {
        plan.status = AssemblyStatus::gridTooLarge;
        return plan;
    }
    const int count = int(input.pieces.size());
    if (count > maxAssemblyPieces) {
        plan.status = AssemblyStatus::tooManyPieces;
        return plan;
    }
    CellMask cells[maxAssemblyPieces] = {};
    CellMask taken = 0;
    for (int i = 0; i < count; i++) {
        bool bad = input.pieces[i].empty();
        for (const GridCell& cell : input.pieces[i]) {
            const int bit = cellIndex(grid, cell);
            const CellMask m = bit < 0 ? 0 : CellMask(1) << bit;
            // A cell listed twice within one piece is harmless; one shared with an earlier
            // piece is not.
            if (bit < 0 || (taken & m)) bad = true;
            cells[i] |= m;
        }
        if (bad) {
            plan.status = AssemblyStatus::badPiece;
            plan.badPiece = i;
            return plan;
        }
        taken |= cells[i];
    }

    PackingSweeps sweeps;
    computeSweeps(masks, cells, count, sweeps);
    const unsigned allowed = input.mode == AssemblyMode::free ? allAssemblyFaces : faceBit(input.openFace);
    AssemblyStep steps[maxAssemblyPieces];
    int stepCount = 0;
    const uint64_t left = planWithSweeps(sweeps, allowed, steps, &stepCount);
    plan.steps.assign(steps, steps + stepCount);
    if (left) {
        plan.status = AssemblyStatus::interlocked;
        for (int i = 0; i < count; i++)
            if (left >> i & 1) plan.interlocked.push_back(i);
    }
    return plan;
}
