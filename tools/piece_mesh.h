// piece_mesh.h: the converter's shipped data made from the piece catalogue: for each
// piece a closed triangle mesh of the outer faces of its unit cubes, in the piece's own
// frame, as one SLP solid in the viewer's colour of the piece (rtd/palette.h), and the
// map file that names the twelve meshes.
#pragma once

#include <string>
#include <vector>

#include "model/geometry.h"

// Mesh units per unit cube. Cell (x, y, z) of a piece is the cube of that size centred
// on (x, y, z) times the scale, so that any placement turns cubes into cubes.
constexpr int meshGridScale = 10;

struct MeshPoint {
    int x, y, z;  // in half cubes: cell centre times 2, plus or minus 1
};

struct MeshTriangle {
    MeshPoint corner[3];  // counter-clockwise seen from outside
    MeshPoint normal;     // outward unit vector
};

// Two triangles for every cube face that has no cube of the same piece behind it.
std::vector<MeshTriangle> pieceTriangles(const PieceCells& piece);

// The SLP text of a piece (CR LF line ends), named after its number 1..12.
std::string pieceMeshText(int pieceIndex);

// "baustein_01.slp" .. "baustein_12.slp".
std::string meshFileName(int pieceIndex);

// The map file: a remark, then one line per piece with the identity transform, the grid
// scale and the mesh file name.
std::string mapFileText();
