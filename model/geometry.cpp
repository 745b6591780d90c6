// geometry.cpp: bounding boxes and placing a piece; the rest of the geometry is constexpr.
#include "model/geometry.h"

PieceCells computeBoundingBox(PieceCells record)
{
    const Cell first = record.cells[0];
    int32_t lo[3] = {first.x, first.y, first.z};
    int32_t hi[3] = {first.x, first.y, first.z};
    for (int i = 1; i < record.cellCount && i < maxPieceCells; i++) {
        const int32_t c[3] = {record.cells[i].x, record.cells[i].y, record.cells[i].z};
        for (int axis = 0; axis < 3; axis++) {
            if (c[axis] > hi[axis])
                hi[axis] = c[axis];
            else if (c[axis] < lo[axis])
                lo[axis] = c[axis];
        }
    }
    record.minX = lo[0];
    record.minY = lo[1];
    record.minZ = lo[2];
    record.maxX = hi[0];
    record.maxY = hi[1];
    record.maxZ = hi[2];
    return record;
}

PieceCells placePiece(const PieceCells& piece, const IntTransform& t)
{
    PieceCells placed = {};
    placed.cellCount = piece.cellCount;
    placed.flag = piece.flag;
    for (int i = 0; i < piece.cellCount && i < maxPieceCells; i++)
        placed.cells[i] = applyTransform(t, piece.cells[i]);
    return computeBoundingBox(placed);
}
