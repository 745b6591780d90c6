// icon_file.h: icon files (.ico) for the programs' resources. The images are drawn from
// character patterns: the viewer's from the very pattern and pattern walk that its window
// icon is built with, so that Explorer shows the same picture as the window.
#pragma once

#include <cstdint>
#include <vector>

// One image of an icon file: its size and colour depth, and its device-independent
// bitmap (header, colour table, colour plane, AND mask; rows from the bottom up).
struct IconImage {
    int width, height, bitsPerPixel;
    std::vector<uint8_t> bitmap;
};

// A monochrome image with exactly the mask and image bits that the window's icon of that
// size gets (drawIconPattern): black and white, transparent and inverting pixels.
IconImage monochromeIconImage(int width, int height, int xScale, int yScale, const char* pattern);

// A 32-bit image of a 16 x 16 pattern, each character scale x scale pixels: "K" and "#"
// black, "." and "w" white, the lower-case letters b g c r m y the dark and the upper-case
// B G C R M Y the bright primary and mixed colours, "l" light and "D" dark grey, as in
// the sixteen colours of the system palette. Transparent characters stay transparent;
// an inverting one has no colour form and is transparent as well.
IconImage colourIconImage(int scale, const char* pattern);

// The .ico file that holds the images, in the given order.
std::vector<uint8_t> iconFile(const std::vector<IconImage>& images);
