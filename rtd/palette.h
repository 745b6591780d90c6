// palette.h: the viewer's fixed colours: the background, the outline edges, the panels of
// the window's own area, and the twelve piece colours, which the shipped meshes carry and
// the reader gives to solids without a colour line. The piece colours stay apart also for
// the common colour-vision deficiencies (red-blind, green-blind, blue-blind); the legend
// (F) names each colour's piece number besides.
#pragma once

#include <cstdint>

struct Rgb8 {
    uint8_t r, g, b;
};

inline bool operator==(Rgb8 a, Rgb8 b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb8 a, Rgb8 b) { return !(a == b); }

constexpr Rgb8 backgroundColour = {40, 44, 52};
constexpr Rgb8 edgeColour = {16, 16, 16};
constexpr Rgb8 problemPanelColour = {90, 20, 20};  // problems with the call or the file
constexpr Rgb8 notePanelColour = {20, 24, 32};     // notes of the build-up and the legend
constexpr Rgb8 panelTextColour = {255, 255, 255};
constexpr Rgb8 dimTextColour = {120, 124, 132};     // legend entries of solids not drawn

constexpr int paletteSize = 12;
// Chosen on a grid of sixths for the largest least distance (CIELAB) between any two, seen
// with normal vision and through the three dichromacies; none of them is dark enough to
// vanish into the background.
constexpr Rgb8 pieceColours[paletteSize] = {
    {213, 85, 0},     // vermilion
    {170, 128, 85},   // tan
    {255, 255, 43},   // yellow
    {128, 213, 0},    // yellow-green
    {0, 255, 128},    // spring green
    {213, 255, 255},  // pale cyan
    {43, 128, 170},   // steel blue
    {170, 170, 255},  // lavender
    {213, 0, 255},    // violet
    {255, 170, 170},  // pink
    {128, 128, 128},  // grey
    {213, 170, 213},  // mauve
};
