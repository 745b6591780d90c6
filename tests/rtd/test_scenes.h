// test_scenes.h: scenes for the viewer's tests: real solutions as the converter writes them
// from the shipped meshes, and solids made of unit cubes by hand.
#pragma once

#include <algorithm>
#include <tuple>
#include <vector>

#include "assembly/assembly.h"
#include "model/placement.h"
#include "rtd/slp.h"
#include "tests/support/real_solutions.h"
#include "tools/piece_mesh.h"

// Found by the standard algorithms through the type's namespace.
inline bool operator<(GridCell a, GridCell b) { return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z); }

using Cells = std::vector<GridCell>;

inline Cells sorted(Cells c)
{
    std::sort(c.begin(), c.end());
    return c;
}

// A solution as the converter writes it: each piece's shipped mesh turned and moved by
// its placement, cell steps of meshGridScale. cells gets each piece's cells in the box.
inline std::vector<SlpSolid> solutionScene(const SolutionRecord& record, std::vector<Cells>* cells = nullptr)
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
inline SlpSolid cubesMesh(const Cells& cells, double edge)
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
