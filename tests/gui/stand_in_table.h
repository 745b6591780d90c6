// stand_in_table.h: the records that the stand-in solver writes, so that a scenario can
// tell its table from one the test wrote itself and check what the viewer reads of it.
#pragma once

#include <cstdint>

// Word w (0..11) of record n (1-based): piece w + 1, an axis code 0..2 and the signs, the
// axis choice and the translation from n and w.
inline uint16_t standInWord(uint32_t n, int w)
{
    const uint32_t axis = (n + uint32_t(w)) % 3u;
    return uint16_t(((w + 1) << 12) | (axis << 10) | ((n * 37u + uint32_t(w) * 5u) & 0x3FFu));
}

// The stand-in solver's files in its current folder.
constexpr const char standInSolverConfig[] = "stand_in_solver.cfg";
constexpr const char standInSolverLog[] = "stand_in_solver.log";
constexpr const char standInSolverStop[] = "stand_in_solver.stop";
constexpr const char standInViewerLog[] = "stand_in_viewer.log";
