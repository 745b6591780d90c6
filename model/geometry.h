// geometry.h: the fixed geometry of the puzzle. The twelve pieces in their own frames,
// the integer rigid transforms that place them in the 5 x 4 x 3 box, the four whole-box
// orientations a..d and the three half turns that turn a piece over. Exact integer
// arithmetic, no state.
#pragma once

#include <cstdint>

constexpr int boxSizeX = 5;
constexpr int boxSizeY = 4;
constexpr int boxSizeZ = 3;
constexpr int boxCellCount = boxSizeX * boxSizeY * boxSizeZ;
constexpr int pieceCount = 12;
constexpr int maxPieceCells = 6;

struct Cell {
    int32_t x, y, z;
};

constexpr bool operator==(Cell a, Cell b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
constexpr bool operator!=(Cell a, Cell b) { return !(a == b); }

// e[0..2] image of the x unit vector, e[3..5] of y, e[6..8] of z, e[9..11] translation.
struct IntTransform {
    int32_t e[12];
};

constexpr bool operator==(const IntTransform& a, const IntTransform& b)
{
    for (int i = 0; i < 12; i++)
        if (a.e[i] != b.e[i]) return false;
    return true;
}
constexpr bool operator!=(const IntTransform& a, const IntTransform& b) { return !(a == b); }

// A catalogue entry (piece in its own frame) or a placed piece. Cells at and beyond
// cellCount are zero; the flag is carried along and means nothing to the geometry.
struct PieceCells {
    int32_t cellCount;
    int32_t flag;
    int32_t minX, minY, minZ;
    int32_t maxX, maxY, maxZ;
    Cell cells[maxPieceCells];
};

constexpr PieceCells PieceCatalogue[pieceCount] = {
    {5, 1, 0, 0, 0, 1, 2, 0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 2, 0}, {1, 2, 0}}},
    {5, 1, 0, -1, -2, 0, 1, 0, {{0, 0, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, -2}, {0, -1, -2}}},
    {5, 0, 0, 0, 0, 1, 3, 0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 2, 0}, {0, 3, 0}}},
    {5, 0, 0, 0, 0, 1, 3, 0, {{0, 0, 0}, {1, 2, 0}, {0, 1, 0}, {0, 2, 0}, {0, 3, 0}}},
    {5, 1, 0, 0, -1, 1, 1, 0, {{0, 0, 0}, {1, 0, -1}, {0, 1, 0}, {0, 1, -1}, {0, 0, -1}}},
    {5, 0, -1, 0, 0, 1, 2, 0, {{0, 0, 0}, {-1, 2, 0}, {1, 2, 0}, {0, 1, 0}, {0, 2, 0}}},
    {5, 0, 0, 0, 0, 1, 2, 0, {{0, 0, 0}, {0, 2, 0}, {1, 1, 0}, {0, 1, 0}, {1, 0, 0}}},
    {5, 0, -1, 0, 0, 1, 2, 0, {{0, 0, 0}, {-1, 2, 0}, {-1, 1, 0}, {0, 1, 0}, {1, 0, 0}}},
    {4, 1, 0, 0, -1, 1, 1, 0, {{0, 0, 0}, {1, 1, -1}, {0, 1, 0}, {0, 1, -1}}},
    {5, 0, -1, 0, 0, 1, 2, 0, {{0, 0, 0}, {1, 2, 0}, {-1, 1, 0}, {0, 1, 0}, {0, 2, 0}}},
    {5, 0, -1, -1, 0, 1, 1, 0, {{0, 0, 0}, {-1, 0, 0}, {0, -1, 0}, {1, 0, 0}, {0, 1, 0}}},
    {6, 1, 0, 0, 0, 1, 3, 0, {{0, 0, 0}, {0, 3, 0}, {1, 2, 0}, {1, 0, 0}, {0, 1, 0}, {0, 2, 0}}},
};

constexpr IntTransform identityTransform = {{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}};

// Whole-box orientations a..d; each is a half turn of the box onto itself (a = identity).
constexpr IntTransform VariantTransforms[4] = {
    {{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}},
    {{-1, 0, 0, 0, -1, 0, 0, 0, 1, 4, 3, 0}},
    {{-1, 0, 0, 0, 1, 0, 0, 0, -1, 4, 0, 2}},
    {{1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 3, 2}},
};

// Half turns in a piece's own frame that map pieces 0 (C), 1 (Z) and 8 (r) onto their
// own cells, so turning a piece over changes only which of its cells lands where.
constexpr int flipPieceIndices[3] = {0, 1, 8};
constexpr IntTransform FlipTransforms[3] = {
    {{1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 2, 0}},
    {{1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, -2}},
    {{0, -1, 0, -1, 0, 0, 0, 0, -1, 1, 1, -1}},
};

// Position of a piece index in flipPieceIndices (and FlipTransforms), -1 for a piece that
// cannot be turned over.
constexpr int flipSlotOf(int pieceIndex)
{
    for (int i = 0; i < 3; i++)
        if (flipPieceIndices[i] == pieceIndex) return i;
    return -1;
}

// The flip transform of a piece index, or null for a piece that has none.
constexpr const IntTransform* flipTransformFor(int pieceIndex)
{
    const int slot = flipSlotOf(pieceIndex);
    return slot < 0 ? nullptr : &FlipTransforms[slot];
}

// The transform that applies b first, then a.
constexpr IntTransform composeTransforms(const IntTransform& a, const IntTransform& b)
{
    IntTransform r = {};
    for (int col = 0; col < 4; col++) {
        for (int row = 0; row < 3; row++) {
            int32_t v = a.e[row] * b.e[3 * col] + a.e[3 + row] * b.e[3 * col + 1] +
                        a.e[6 + row] * b.e[3 * col + 2];
            if (col == 3) v += a.e[9 + row];
            r.e[3 * col + row] = v;
        }
    }
    return r;
}

constexpr Cell applyTransform(const IntTransform& t, Cell p)
{
    return {t.e[0] * p.x + t.e[3] * p.y + t.e[6] * p.z + t.e[9],
            t.e[1] * p.x + t.e[4] * p.y + t.e[7] * p.z + t.e[10],
            t.e[2] * p.x + t.e[5] * p.y + t.e[8] * p.z + t.e[11]};
}

// Recomputes the six bounding-box fields from the used cells.
PieceCells computeBoundingBox(PieceCells record);

// The piece with every used cell transformed by t, in stored order; nothing is clipped.
PieceCells placePiece(const PieceCells& piece, const IntTransform& t);
