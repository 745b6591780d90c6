// icon_file.cpp: writes the icon images as the system reads them back: a 40-byte bitmap
// header with twice the height (colour plane and mask), rows padded to four bytes.
#include "tools/icon_file.h"

#include <cstddef>

#include "view/icon_pattern.h"

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

int rowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

void putHeader(std::vector<uint8_t>& out, int width, int height, int bitsPerPixel)
{
    const uint32_t planeBytes = uint32_t(rowBytes(width, bitsPerPixel) + rowBytes(width, 1)) * uint32_t(height);
    put32(out, 40);
    put32(out, uint32_t(width));
    put32(out, uint32_t(2 * height));  // the colour plane and the mask one above the other
    put16(out, 1);
    put16(out, uint32_t(bitsPerPixel));
    put32(out, 0);  // no compression
    put32(out, planeBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
}

// Copies a plane of rows that start on 16-bit boundaries (as CreateIcon takes them) into
// the bitmap's bottom-up rows of four-byte multiples.
void putPlane(std::vector<uint8_t>& out, const std::vector<uint8_t>& plane, int width, int height)
{
    const int from = iconPlaneStride(width);
    const int to = rowBytes(width, 1);
    for (int y = height - 1; y >= 0; y--)
        for (int i = 0; i < to; i++) out.push_back(i < from ? plane[size_t(y * from + i)] : 0);
}

struct Rgb {
    uint8_t r, g, b;
};

bool colourOf(char c, Rgb& rgb)
{
    switch (c) {
    case 'K': case '#': rgb = {0, 0, 0}; return true;
    case '.': case 'w': rgb = {255, 255, 255}; return true;
    case 'b': rgb = {0, 0, 128}; return true;
    case 'g': rgb = {0, 128, 0}; return true;
    case 'c': rgb = {0, 128, 128}; return true;
    case 'r': rgb = {128, 0, 0}; return true;
    case 'm': rgb = {128, 0, 128}; return true;
    case 'y': rgb = {128, 128, 0}; return true;
    case 'l': rgb = {192, 192, 192}; return true;
    case 'D': rgb = {128, 128, 128}; return true;
    case 'B': rgb = {0, 0, 255}; return true;
    case 'G': rgb = {0, 255, 0}; return true;
    case 'C': rgb = {0, 255, 255}; return true;
    case 'R': rgb = {255, 0, 0}; return true;
    case 'M': rgb = {255, 0, 255}; return true;
    case 'Y': rgb = {255, 255, 0}; return true;
    default: return false;
    }
}

}  // namespace

IconImage monochromeIconImage(int width, int height, int xScale, int yScale, const char* pattern)
{
    const size_t planeSize = size_t(iconPlaneStride(width) * height);
    std::vector<uint8_t> mask(planeSize, 0), image(planeSize, 0);
    drawIconPattern(width, height, xScale, yScale, pattern, mask.data(), image.data());
    IconImage icon = {width, height, 1, {}};
    putHeader(icon.bitmap, width, height, 1);
    put32(icon.bitmap, 0x000000);  // colour 0: black
    put32(icon.bitmap, 0xFFFFFF);  // colour 1: white
    putPlane(icon.bitmap, image, width, height);
    putPlane(icon.bitmap, mask, width, height);
    return icon;
}

IconImage colourIconImage(int scale, const char* pattern)
{
    const int size = 16 * scale;
    // The mask comes from the same walk as the monochrome icons' masks.
    const size_t planeSize = size_t(iconPlaneStride(size) * size);
    std::vector<uint8_t> mask(planeSize, 0), image(planeSize, 0);
    drawIconPattern(size, size, scale, scale, pattern, mask.data(), image.data());
    IconImage icon = {size, size, 32, {}};
    putHeader(icon.bitmap, size, size, 32);
    for (int y = size - 1; y >= 0; y--)
        for (int x = 0; x < size; x++) {
            const char c = pattern[(y / scale) * 16 + x / scale];
            Rgb rgb = {0, 0, 0};
            const bool opaque = patternBits(c).mask == 0 && colourOf(c, rgb);
            icon.bitmap.push_back(rgb.b);
            icon.bitmap.push_back(rgb.g);
            icon.bitmap.push_back(rgb.r);
            icon.bitmap.push_back(opaque ? 255 : 0);
        }
    putPlane(icon.bitmap, mask, size, size);
    return icon;
}

std::vector<uint8_t> iconFile(const std::vector<IconImage>& images)
{
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // an icon, not a cursor
    put16(out, uint32_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (const IconImage& image : images) {
        out.push_back(uint8_t(image.width >= 256 ? 0 : image.width));
        out.push_back(uint8_t(image.height >= 256 ? 0 : image.height));
        out.push_back(uint8_t(image.bitsPerPixel < 8 ? 1 << image.bitsPerPixel : 0));
        out.push_back(0);
        put16(out, 1);
        put16(out, uint32_t(image.bitsPerPixel));
        put32(out, uint32_t(image.bitmap.size()));
        put32(out, offset);
        offset += uint32_t(image.bitmap.size());
    }
    for (const IconImage& image : images) out.insert(out.end(), image.bitmap.begin(), image.bitmap.end());
    return out;
}
