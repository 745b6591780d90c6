// face_edges.cpp: the inner grid edges of the visible faces and the pieces they divide.
#include "tests/support/face_edges.h"

std::vector<FaceEdge> innerFaceEdges(const SolutionRecord& record, int variant, FlipOptions flips, int side)
{
    int owner[boxSizeX][boxSizeY][boxSizeZ];
    for (auto& plane : owner)
        for (auto& row : plane)
            for (int& cell : row) cell = -1;  // no piece
    for (PlacementWord word : record.words) {
        const int p = placementPieceIndex(word);
        if (p < 0 || p >= pieceCount) continue;
        const PieceCells placed = placePiece(PieceCatalogue[p], effectivePlacementWith(word, variant, true, flips));
        for (int c = 0; c < placed.cellCount; c++) {
            const Cell cell = placed.cells[c];
            if (cell.x >= 0 && cell.x < boxSizeX && cell.y >= 0 && cell.y < boxSizeY && cell.z >= 0 && cell.z < boxSizeZ)
                owner[cell.x][cell.y][cell.z] = p;
        }
    }
    std::vector<FaceEdge> edges;
    // A face lies in the outer layer of its normal axis; an edge divides two neighbours
    // along one of the two other axes (across) and runs along the third.
    const int sizes[3] = {boxSizeX, boxSizeY, boxSizeZ};
    for (int normal = 0; normal < 3; normal++) {
        const int layer = side > 0 ? sizes[normal] - 1 : 0;
        const int plane = side > 0 ? 10 * sizes[normal] - 5 : -5;
        for (int across = 0; across < 3; across++) {
            if (across == normal) continue;
            const int along = 3 - normal - across;
            for (int i = 0; i + 1 < sizes[across]; i++)
                for (int j = 0; j < sizes[along]; j++) {
                    int a[3], b[3], low[3];
                    a[normal] = b[normal] = layer;
                    a[across] = i;
                    b[across] = i + 1;
                    a[along] = b[along] = j;
                    low[normal] = plane;
                    low[across] = 10 * i + 5;
                    low[along] = 10 * j - 5;
                    int middle[3] = {low[0], low[1], low[2]};
                    middle[along] += 5;
                    edges.push_back({along, {a[0], a[1], a[2]}, {b[0], b[1], b[2]}, {low[0], low[1], low[2]},
                                     {middle[0], middle[1], middle[2]},
                                     owner[a[0]][a[1]][a[2]] != owner[b[0]][b[1]][b[2]]});
                }
        }
    }
    return edges;
}
