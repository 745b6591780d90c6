// walled_in.h: the test for an empty cell walled in on all sides, which ends a branch of
// the search at the cost of a few shifts.
#pragma once

#include <cstdint>

#include "solver/placements.h"

// Masks for moving a set of cells one step along each axis without wrapping.
struct StepMasks {
    uint64_t notLastZ, notFirstZ, notLastY, notFirstY;
    int strideY, strideX;
};

inline StepMasks stepMasks(PuzzleBox box)
{
    StepMasks m = {};
    m.strideY = box.sizeZ;
    m.strideX = box.sizeZ * box.sizeY;
    for (int x = 0; x < box.sizeX; x++)
        for (int y = 0; y < box.sizeY; y++)
            for (int z = 0; z < box.sizeZ; z++) {
                const uint64_t bit = uint64_t(1) << cellBit(box, {x, y, z});
                if (z < box.sizeZ - 1) m.notLastZ |= bit;
                if (z > 0) m.notFirstZ |= bit;
                if (y < box.sizeY - 1) m.notLastY |= bit;
                if (y > 0) m.notFirstY |= bit;
            }
    return m;
}

// The cells next to any cell of a set (and some beyond the box's last cell, which no
// caller looks at).
inline uint64_t neighbours(const StepMasks& m, uint64_t cells)
{
    return ((cells & m.notLastZ) << 1) | ((cells & m.notFirstZ) >> 1) |
           ((cells & m.notLastY) << m.strideY) | ((cells & m.notFirstY) >> m.strideY) |
           (cells << m.strideX) | (cells >> m.strideX);
}

// When no piece is a single cube, an empty cell walled in on all sides by filled cells
// and the box can never be filled. Found with a few shifts, this check halves the search
// of the full puzzle at the cost of a handful of instructions.
inline bool hasWalledInCell(const StepMasks& m, uint64_t empty)
{
    return (empty & ~neighbours(m, empty)) != 0;
}
