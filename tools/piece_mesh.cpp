// piece_mesh.cpp: generating the piece meshes and the map file.
#include "tools/piece_mesh.h"

#include <cstdio>

#include "rtd/palette.h"

namespace {

bool hasCell(const PieceCells& piece, Cell c)
{
    for (int i = 0; i < piece.cellCount; i++)
        if (piece.cells[i] == c) return true;
    return false;
}

}  // namespace

std::vector<MeshTriangle> pieceTriangles(const PieceCells& piece)
{
    std::vector<MeshTriangle> triangles;
    for (int i = 0; i < piece.cellCount; i++) {
        const Cell c = piece.cells[i];
        for (int axis = 0; axis < 3; axis++) {
            for (int sign = -1; sign <= 1; sign += 2) {
                int n[3] = {0, 0, 0};
                n[axis] = sign;
                if (hasCell(piece, {c.x + n[0], c.y + n[1], c.z + n[2]})) continue;
                // u, v span the face so that u x v = n: then the corners below run
                // counter-clockwise seen from outside.
                const int u = (axis + (sign > 0 ? 1 : 2)) % 3;
                const int v = (axis + (sign > 0 ? 2 : 1)) % 3;
                MeshPoint p[4];
                const int centre[3] = {2 * c.x, 2 * c.y, 2 * c.z};
                const int su[4] = {-1, 1, 1, -1};
                const int sv[4] = {-1, -1, 1, 1};
                for (int k = 0; k < 4; k++) {
                    int q[3] = {centre[0], centre[1], centre[2]};
                    q[axis] += sign;
                    q[u] += su[k];
                    q[v] += sv[k];
                    p[k] = {q[0], q[1], q[2]};
                }
                const MeshPoint normal = {n[0], n[1], n[2]};
                triangles.push_back({{p[0], p[1], p[2]}, normal});
                triangles.push_back({{p[0], p[2], p[3]}, normal});
            }
        }
    }
    return triangles;
}

std::string meshFileName(int pieceIndex)
{
    char name[32];
    std::snprintf(name, sizeof name, "baustein_%02d.slp", pieceIndex + 1);
    return name;
}

std::string pieceMeshText(int pieceIndex)
{
    std::string text;
    char line[128];
    std::snprintf(line, sizeof line, "solid baustein_%02d\r\n", pieceIndex + 1);
    text += line;
    // The viewer's piece colours, as fractions that read back to the same bytes.
    static_assert(paletteSize == pieceCount, "one colour per piece");
    const Rgb8 colour = pieceColours[pieceIndex];
    std::snprintf(line, sizeof line, "  color %.3f %.3f %.3f\r\n", colour.r / 255.0, colour.g / 255.0,
                  colour.b / 255.0);
    text += line;
    const double half = meshGridScale / 2.0;
    for (const MeshTriangle& t : pieceTriangles(PieceCatalogue[pieceIndex])) {
        text += "  facet\r\n";
        // One normal per corner, as SLP has them; the faces are flat.
        for (int k = 0; k < 3; k++) {
            std::snprintf(line, sizeof line, "      normal %.6e %.6e %.6e\r\n",
                          double(t.normal.x), double(t.normal.y), double(t.normal.z));
            text += line;
        }
        text += "    outer loop\r\n";
        for (const MeshPoint& p : t.corner) {
            std::snprintf(line, sizeof line, "      vertex %.6e %.6e %.6e\r\n", p.x * half,
                          p.y * half, p.z * half);
            text += line;
        }
        text += "    endloop\r\n";
        text += "  endfacet\r\n";
    }
    std::snprintf(line, sizeof line, "endsolid baustein_%02d\r\n", pieceIndex + 1);
    text += line;
    return text;
}

std::string mapFileText()
{
    std::string text =
        "Baustein  Transformation (x-, y-, z-Spalte, Verschiebung)  Rastermass  Netzdatei\r\n";
    char line[160];
    for (int k = 0; k < pieceCount; k++) {
        std::snprintf(line, sizeof line, "%2d   1 0 0  0 1 0  0 0 1  0 0 0   %d   %s\r\n", k + 1,
                      meshGridScale, meshFileName(k).c_str());
        text += line;
    }
    return text;
}
