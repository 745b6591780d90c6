// icon_pattern.h: the program's icon drawn from a character pattern. Each character gives one bit
// of the AND mask and one of the XOR image of a monochrome icon; the planes are computed
// here without Windows so that the picture can be checked anywhere.
#pragma once

#include <cstdint>

// 16 rows of 16 characters: a box of K walls with white ('.') compartments.
extern const char iconPattern[257];

struct PatternBits {
    uint8_t mask, image;
};

constexpr PatternBits patternBits(char c)
{
    switch (c) {
    case 'K': case '#':
        return {0, 0};  // black
    case '.': case 'w': case 'b': case 'g': case 'c': case 'r': case 'm': case 'y':
    case 'l': case 'D': case 'B': case 'G': case 'C': case 'R': case 'M': case 'Y':
        return {0, 1};  // white
    case '/':
        return {1, 1};  // inverts the screen below
    default:
        return {1, 0};  // transparent, NUL and blank included
    }
}

// Bytes per plane row: whole bytes, rounded up to an even count so that each row starts on
// a 16-bit boundary as monochrome bitmaps require.
int iconPlaneStride(int width);

// Sets the bits of both planes (height x stride bytes each, zeroed by the caller) from the
// pattern: each character covers xScale x yScale pixels, each group of yScale pixel rows
// repeats one stretch of width / xScale characters, and the walk stops at the pattern's
// end so that a short pattern leaves the rest transparent.
void drawIconPattern(int width, int height, int xScale, int yScale, const char* pattern,
                     uint8_t* mask, uint8_t* image);
