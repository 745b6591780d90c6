// icon_pattern.cpp: the icon pattern and the walk that turns it into mask and image bits.
#include "view/icon_pattern.h"

const char iconPattern[257] =
    "                "
    "                "
    "KKKKKKKKKKKKKKKK"
    "K..K..K..K..K..K"
    "K..K..K..K..K..K"
    "KKKKKKK..K..KKKK"
    "K.....K..K.....K"
    "K.....K..K.....K"
    "K..KKKKKKK..KKKK"
    "K..K.....K..K..K"
    "K..K.....K..K..K"
    "K..KKKKKKK..KKKK"
    "K.....K..K.....K"
    "K.....K..K.....K"
    "KKKKKKKKKKKKKKKK"
    "                ";

int iconPlaneStride(int width)
{
    int stride = (width + 7) / 8;
    if (stride % 2) stride++;
    return stride;
}

void drawIconPattern(int width, int height, int xScale, int yScale, const char* pattern,
                     uint8_t* mask, uint8_t* image)
{
    const int stride = iconPlaneStride(width);
    int rowStart = 0;
    int rowsLeft = yScale;
    for (int y = 0; y < height; y++) {
        int j = rowStart;
        int columnsLeft = xScale;
        for (int x = 0; x < width; x++) {
            const PatternBits bits = patternBits(pattern[j]);
            const int byte = y * stride + x / 8;
            const uint8_t bit = uint8_t(0x80 >> (x % 8));
            if (bits.mask) mask[byte] |= bit;
            if (bits.image) image[byte] |= bit;
            if (--columnsLeft == 0) {
                columnsLeft = xScale;
                if (pattern[j]) j++;
            }
        }
        if (--rowsLeft == 0) {
            rowsLeft = yScale;
            rowStart = j;
        }
    }
}
