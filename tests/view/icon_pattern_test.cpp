// Tests of the icon pattern walk.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "view/icon_pattern.h"

namespace {

struct Planes {
    int stride;
    std::vector<uint8_t> mask, image;
    PatternBits at(int x, int y) const
    {
        const int byte = y * stride + x / 8;
        const int shift = 7 - x % 8;
        return {uint8_t((mask[byte] >> shift) & 1), uint8_t((image[byte] >> shift) & 1)};
    }
};

Planes draw(int w, int h, int xs, int ys, const char* pattern)
{
    Planes p;
    p.stride = iconPlaneStride(w);
    p.mask.assign(size_t(h * p.stride), 0);
    p.image.assign(size_t(h * p.stride), 0);
    drawIconPattern(w, h, xs, ys, pattern, p.mask.data(), p.image.data());
    return p;
}

TEST(Icon, PlaneRowsStartOnWordBoundaries)
{
    EXPECT_EQ(iconPlaneStride(32), 4);
    EXPECT_EQ(iconPlaneStride(16), 2);
    EXPECT_EQ(iconPlaneStride(8), 2);
    EXPECT_EQ(iconPlaneStride(17), 4);
    EXPECT_EQ(iconPlaneStride(1), 2);
}

TEST(Icon, LargeIconIsThePatternDoubled)
{
    ASSERT_EQ(std::strlen(iconPattern), 256u);
    const Planes big = draw(32, 32, 2, 2, iconPattern);
    const Planes small = draw(16, 16, 1, 1, iconPattern);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            const char c = iconPattern[(y / 2) * 16 + x / 2];
            const PatternBits expected = c == 'K' ? PatternBits{0, 0}
                                         : c == '.' ? PatternBits{0, 1}
                                                    : PatternBits{1, 0};
            EXPECT_EQ(big.at(x, y).mask, expected.mask) << x << "," << y;
            EXPECT_EQ(big.at(x, y).image, expected.image) << x << "," << y;
            EXPECT_EQ(small.at(x / 2, y / 2).mask, expected.mask);
            EXPECT_EQ(small.at(x / 2, y / 2).image, expected.image);
        }
    // Top two pattern rows and the bottom one are transparent.
    for (int x = 0; x < 32; x++) {
        for (int y : {0, 1, 2, 3, 30, 31}) EXPECT_EQ(big.at(x, y).mask, 1) << x << "," << y;
        EXPECT_EQ(big.at(x, 4).mask, 0);
    }
}

TEST(Icon, ShortPatternLeavesTheRestTransparent)
{
    // 5 characters for a 4 x 3 icon: row 0 takes "K.w/", row 1 starts with "#", then NUL.
    const Planes p = draw(4, 3, 1, 1, "K.w/#");
    const PatternBits expected[3][4] = {
        {{0, 0}, {0, 1}, {0, 1}, {1, 1}},
        {{0, 0}, {1, 0}, {1, 0}, {1, 0}},
        {{1, 0}, {1, 0}, {1, 0}, {1, 0}},
    };
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) {
            EXPECT_EQ(p.at(x, y).mask, expected[y][x].mask) << x << "," << y;
            EXPECT_EQ(p.at(x, y).image, expected[y][x].image) << x << "," << y;
        }
    // Padding bits beyond the width stay clear.
    EXPECT_EQ(p.mask[0] & 0x0F, 0);
    EXPECT_EQ(p.mask[1], 0);
}

TEST(Icon, ScalingRepeatsCharactersAndRows)
{
    // Width 6 with xScale 3 takes two characters per row group; yScale 2 repeats the group.
    const Planes p = draw(6, 4, 3, 2, "K.K.");
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 6; x++) EXPECT_EQ(p.at(x, y).image, x < 3 ? 0 : 1) << x << "," << y;
}

TEST(Icon, AlphabetCoversEveryListedCharacter)
{
    for (char c : std::string("K#")) EXPECT_EQ(patternBits(c).mask + patternBits(c).image, 0);
    for (char c : std::string(".wbgcrmylDBGCRMY")) {
        EXPECT_EQ(patternBits(c).mask, 0) << c;
        EXPECT_EQ(patternBits(c).image, 1) << c;
    }
    for (char c : std::string(" \0xLWkd", 7)) {
        EXPECT_EQ(patternBits(c).mask, 1) << int(c);
        EXPECT_EQ(patternBits(c).image, 0) << int(c);
    }
    EXPECT_EQ(patternBits('/').mask + patternBits('/').image, 2);
}

}  // namespace
