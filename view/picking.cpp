// picking.cpp: screen point to cell on the six visible faces, and the piece on a cell.
#include "view/picking.h"

#include <cstdio>

int faceIndex(int e, int n, int zoom) { return ((e + n * zoom) / n) / zoom - 1; }

namespace {

// One visible face: the two screen expressions a*dx + b*dy whose indices name the cell,
// their limits, and how the indices u, v make the cell.
struct FacePick {
    bool upper;
    int ua, ub, un, ulimit;
    int va, vb, vn, vlimit;
    // cell coordinate = base + uFactor * u + vFactor * v, per axis
    int base[3], uFactor[3], vFactor[3];
};

// In the order the faces are tried; an edge shared by two faces goes to the first.
constexpr FacePick facePicks[6] = {
    {true, 3, -24, 219, 3, -8, -9, 219, 5, {4, 3, 2}, {0, 0, -1}, {-1, 0, 0}},  // y = 4, top
    {true, -24, 0, 576, 5, -3, 24, 576, 4, {4, 3, 2}, {-1, 0, 0}, {0, -1, 0}},  // z = 3, front
    {true, 24, 0, 216, 3, 8, 9, 216, 4, {4, 3, 2}, {0, 0, -1}, {0, -1, 0}},     // x = 5, right
    {false, 8, -9, 219, 5, -3, -24, 219, 3, {0, 0, 0}, {1, 0, 0}, {0, 0, 1}},   // y = 0
    {false, -24, 0, 216, 3, -8, 9, 216, 4, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}},    // x = 0
    {false, 24, 0, 576, 5, 3, 24, 576, 4, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}},     // z = 0
};

}  // namespace

CellPick pickCellAt(const ViewGeometry& view, int viewLeft, int mouseX, int mouseY)
{
    if (mouseX < viewLeft) return {false, {0, 0, 0}};
    for (const FacePick& f : facePicks) {
        const int dx = mouseX - (f.upper ? view.upperX : view.lowerX);
        const int dy = mouseY - (f.upper ? view.upperY : view.lowerY);
        const int u = faceIndex(f.ua * dx + f.ub * dy, f.un, view.zoom);
        const int v = faceIndex(f.va * dx + f.vb * dy, f.vn, view.zoom);
        if (u < 0 || u >= f.ulimit || v < 0 || v >= f.vlimit) continue;
        return {true,
                {f.base[0] + f.uFactor[0] * u + f.vFactor[0] * v, f.base[1] + f.uFactor[1] * u + f.vFactor[1] * v,
                 f.base[2] + f.uFactor[2] * u + f.vFactor[2] * v}};
    }
    return {false, {0, 0, 0}};
}

int pieceCoveringCell(const SolutionRecord& record, int variant, Cell cell)
{
    for (PlacementWord word : record.words) {
        const int p = placementPieceIndex(word);
        if (p < 0 || p >= pieceCount) continue;
        // A turn-over maps a piece's cells onto themselves, so it does not matter here.
        const PieceCells placed = placePiece(PieceCatalogue[p], effectivePlacementWith(word, variant, false, {}));
        for (int c = 0; c < placed.cellCount; c++)
            if (placed.cells[c] == cell) return p;
    }
    return -1;
}

std::string positionInfoText(int pieceIndex, Cell cell)
{
    char text[96];
    std::snprintf(text, sizeof text, "Der %d. Baustein liegt auf der Raumkoordinate '%d,%d,%d'", pieceIndex + 1,
                  cell.x, cell.y, cell.z);
    return text;
}

std::string coordinateText(Cell cell)
{
    char text[48];
    std::snprintf(text, sizeof text, "%d,%d,%d", cell.x, cell.y, cell.z);
    return text;
}
