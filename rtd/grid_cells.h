// grid_cells.h: the unit cells of one grid that the solids of a scene are made of, when
// they are. The converter writes every piece as the outer faces of its unit cubes, placed
// in the box, so a solution's solids fill cells of one grid; the assembly plan works on
// those cells. A scene whose solids are anything else (a slanted face, a corner off the
// grid, a mesh that is not closed) is not on a grid, and the viewer keeps its own order.
#pragma once

#include <vector>

#include "assembly/assembly.h"
#include "rtd/slp.h"

enum class GridStatus {
    onGrid,
    noSolids,  // nothing to find cells in
    offGrid,   // some solid is not a union of cells of one grid
    tooLarge,  // on a grid, but of more cells than a plan can take
};

struct SceneGrid {
    GridStatus status;
    Vec3 origin;        // the corner of cell (0, 0, 0): the least corner of the scene
    double cellSize;    // the edge of a cell, in scene units
    AssemblyGrid size;  // cells along x, y and z, spanning the scene's bounds
    std::vector<std::vector<GridCell>> cells;  // per solid (none for a solid without
                                               // triangles); empty unless onGrid
};

// The grid is read from what the solids fill: every face must face an axis, the smallest
// step between two planes of faces is the cell's edge, and every such plane must lie on
// that lattice. The cells of a solid are those whose centre lies inside it; they must fill
// exactly its volume and its bounds.
SceneGrid findSceneGrid(const std::vector<SlpSolid>& solids);
