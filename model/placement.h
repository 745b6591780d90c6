// placement.h: the 16-bit placement word in which the solution table codes each piece's
// position, its decoding, and the one rule (effectivePlacementWith) by which drawing, picking,
// search and export place a piece: variant after word after optional turn-over.
#pragma once

#include <cstdint>

#include "model/geometry.h"

using PlacementWord = uint16_t;

constexpr int recordWordCount = 12;
constexpr int recordSize = 2 * recordWordCount;  // bytes in the table file

struct SolutionRecord {
    PlacementWord words[recordWordCount];
};

// Bits 12-15 minus 1: -1..14; only 0..11 names a piece.
constexpr int placementPieceIndex(PlacementWord word) { return ((word >> 12) & 15) - 1; }

constexpr IntTransform decodePlacementWord(PlacementWord word)
{
    IntTransform t = {};
    const int a = (word >> 10) & 3;
    const int b = (a + 1 + ((word >> 8) & 1)) % 3;
    // Axis code 3 is not part of the format; it would index past the column, so it
    // leaves the x column zero rather than writing into the y column.
    if (a < 3) t.e[a] = (word & 0x200) ? -1 : 1;
    t.e[3 + b] = (word & 0x80) ? -1 : 1;
    const int32_t* x = &t.e[0];
    const int32_t* y = &t.e[3];
    t.e[6] = x[1] * y[2] - x[2] * y[1];
    t.e[7] = x[2] * y[0] - x[0] * y[2];
    t.e[8] = x[0] * y[1] - x[1] * y[0];
    t.e[9] = (word >> 4) & 7;
    t.e[10] = (word >> 2) & 3;
    t.e[11] = word & 3;
    return t;
}

// The turn-over options of pieces 0 (C), 1 (Z) and 8 (r), 0 or 1 each. The viewer keeps
// the ones its menu sets and hands them to drawing and export.
struct FlipOptions {
    int mirrorC, mirrorZ, mirrorR;
};

// Whether pieceIndex is one of the turn-over pieces and its option in flips is on.
bool flipIsOn(FlipOptions flips, int pieceIndex);

// Variant (negative means a) after word after the piece's flip when withFlip is set and
// its option in flips is on.
IntTransform effectivePlacementWith(PlacementWord word, int variant, bool withFlip,
                                    FlipOptions flips);
