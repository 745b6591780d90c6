// Tests of the icon files written for the programs' resources: read back the way the
// system reads them (directory, bottom-up rows padded to four bytes, mask after colour).
#include <gtest/gtest.h>

#include <string>

#include "tools/icon_file.h"

namespace {

uint32_t at16(const std::vector<uint8_t>& d, size_t i) { return uint32_t(d[i] | d[i + 1] << 8); }
uint32_t at32(const std::vector<uint8_t>& d, size_t i) { return at16(d, i) | at16(d, i + 2) << 16; }

// A pattern whose first row differs from its mirror image and from the rows below it.
std::string lopsidedPattern()
{
    std::string p(256, ' ');
    p.replace(0, 4, "K./K");
    p.replace(16 * 15, 2, "..");
    return p;
}

TEST(IconFile, MonochromeImagesReadBackAsTheirPattern)
{
    const std::string pattern = lopsidedPattern();
    const std::vector<uint8_t> ico = iconFile({monochromeIconImage(32, 32, 2, 2, pattern.c_str()),
                                               monochromeIconImage(16, 16, 1, 1, pattern.c_str())});
    ASSERT_EQ(at16(ico, 2), 1u);
    ASSERT_EQ(at16(ico, 4), 2u);
    for (int i = 0; i < 2; i++) {
        const size_t entry = 6 + 16 * size_t(i);
        const int size = i == 0 ? 32 : 16, scale = size / 16;
        EXPECT_EQ(ico[entry], size);
        EXPECT_EQ(ico[entry + 2], 2);            // two colours
        EXPECT_EQ(at16(ico, entry + 6), 1u);     // one bit per pixel
        const size_t image = at32(ico, entry + 12);
        ASSERT_EQ(at32(ico, entry + 8), 40u + 8u + 2u * 4u * size_t(size)) << size;
        ASSERT_LE(image + at32(ico, entry + 8), ico.size());
        EXPECT_EQ(at32(ico, image + 8), uint32_t(2 * size));  // colour plane and mask
        const size_t colour = image + 48, mask = colour + 4 * size_t(size);
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++) {
                const size_t byte = size_t(size - 1 - y) * 4 + size_t(x / 8);
                const int bit = 7 - x % 8;
                const char c = pattern[size_t((y / scale) * 16 + x / scale)];
                const int wantMask = c == 'K' || c == '.' ? 0 : 1;
                const int wantColour = c == '.' || c == '/' ? 1 : 0;
                ASSERT_EQ(ico[mask + byte] >> bit & 1, wantMask) << size << ": " << x << "," << y;
                ASSERT_EQ(ico[colour + byte] >> bit & 1, wantColour) << size << ": " << x << "," << y;
            }
    }
}

TEST(IconFile, ColourImagesAreOpaqueOnlyWhereThePatternDraws)
{
    std::string pattern(256, ' ');
    pattern.replace(0, 3, "RK/");
    pattern[16 * 15 + 15] = 'b';
    const std::vector<uint8_t> ico = iconFile({colourIconImage(2, pattern.c_str())});
    EXPECT_EQ(at16(ico, 6 + 6), 32u);
    const size_t pixels = at32(ico, 6 + 12) + 40;
    auto pixel = [&](int x, int y) { return at32(ico, pixels + 4 * size_t((31 - y) * 32 + x)); };
    EXPECT_EQ(pixel(0, 0), 0xFFFF0000u);   // red, opaque (BGRA read as one number)
    EXPECT_EQ(pixel(3, 1), 0xFF000000u);   // black
    EXPECT_EQ(pixel(5, 0) >> 24, 0u);      // the inverting character has no colour form
    EXPECT_EQ(pixel(6, 0) >> 24, 0u);      // blank
    EXPECT_EQ(pixel(31, 31), 0xFF000080u); // dark blue, bottom right
    const size_t mask = pixels + 32 * 32 * 4;
    EXPECT_EQ(ico[mask + 31 * 4] >> 7 & 1, 0);  // top left drawn
    EXPECT_EQ(ico[mask + 31 * 4] >> 1 & 1, 1);  // x = 6 transparent
}

}  // namespace
