// Tests of a filter field's meaning: the scan against the C library's own "%d,%d,%d", the
// order of the checks with their hints, and turning with the variant group.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "search/filter_text.h"
#include "tests/support/test_seed.h"

namespace {

TEST(FilterText, ChecksAndHints)
{
    struct Case {
        const char* text;
        bool active;
        const char* hint;
    };
    const Case cases[] = {
        {"1,2", false, hintInvalidForm},       {"", false, hintInvalidForm},
        {"5,0,0", false, hintInvalidX},        {"4,3,2", true, ""},
        {"-1,0,0", false, hintInvalidForm},    {"0,4,0", false, hintInvalidY},
        {"0,0,3", false, hintInvalidZ},        {"5,4,3", false, hintInvalidX},
        {"5,0", false, hintInvalidForm},       {"9,9,-1", false, hintInvalidForm},
        {" 1, 2,\t0", true, ""},               {"1 ,2,0", false, hintInvalidForm},
        {"+1,+2,+0", true, ""},                {"-0,0,0", true, ""},
        {"0,0,0xyz", true, ""},                {"1,2,3,4", false, hintInvalidZ},
        {"a1,2,0", false, hintInvalidForm},    {"1;2;0", false, hintInvalidForm},
        {"99999999999,0,0", false, hintInvalidX}, {"-99999999999,0,0", false, hintInvalidForm},
        {"0,0,2147483648", false, hintInvalidZ},  {"00004,003,02", true, ""},
    };
    for (const Case& c : cases) {
        const FilterFieldMeaning m = parseFilterField(c.text);
        EXPECT_EQ(m.active, c.active) << c.text;
        EXPECT_STREQ(m.hint, c.hint) << c.text;
    }
    const FilterFieldMeaning m = parseFilterField(" 4,3,2");
    EXPECT_EQ(m.cell, (Cell{4, 3, 2}));
    // The hints, byte for byte as the line under the fields shows them.
    EXPECT_EQ(std::string(hintInvalidForm), "Koordinate ist (noch) ung\u00fcltig. Bitte Form \"x,y,z\" einhalten.");
    EXPECT_EQ(std::string(hintInvalidZ), "Koordinate ist ung\u00fcltig. Bitte z-Wert zwischen 0 und 2 einhalten.");
}

// Random texts of digits, signs, commas, blanks and letters, with numbers short enough
// that the C library's result is defined.
TEST(FilterText, ScanAgreesWithTheCLibrary)
{
    const unsigned seed = testSeed("FilterText.ScanAgreesWithTheCLibrary");
    std::mt19937 random(seed);
    const char alphabet[] = "0123456789012345,,,,+- \t\nx.";
    for (int round = 0; round < 200000; round++) {
        std::string text;
        const int length = int(random() % 12);
        int digitsInARow = 0;
        for (int i = 0; i < length; i++) {
            char c = alphabet[random() % (sizeof alphabet - 1)];
            if (c >= '0' && c <= '9' && ++digitsInARow > 6) c = ',';
            if (!(c >= '0' && c <= '9')) digitsInARow = 0;
            text += c;
        }
        int x = -1, y = -1, z = -1;
        int count = std::sscanf(text.c_str(), "%d,%d,%d", &x, &y, &z);
        if (count == EOF) count = 0;
        const ScannedCell s = scanCellText(text.c_str());
        ASSERT_EQ(s.count, count) << "seed " << seed << " text [" << text << "]";
        ASSERT_EQ(s.x, x) << "seed " << seed << " text [" << text << "]";
        ASSERT_EQ(s.y, y) << "seed " << seed << " text [" << text << "]";
        ASSERT_EQ(s.z, z) << "seed " << seed << " text [" << text << "]";
    }
}

TEST(FilterText, FormatAndTurn)
{
    char text[40];
    formatCell({4, 3, 0}, text, sizeof text);
    EXPECT_STREQ(text, "4,3,0");
    // Turning by b maps (4,3,0) onto (0,0,0) (and back), by c onto (0,3,2), by d onto (4,0,2).
    EXPECT_EQ(turnCell({4, 3, 0}, 1), (Cell{0, 0, 0}));
    EXPECT_EQ(turnCell({4, 3, 0}, 2), (Cell{0, 3, 2}));
    EXPECT_EQ(turnCell({4, 3, 0}, 3), (Cell{4, 0, 2}));
    for (int v = 1; v < 4; v++)
        for (int x = 0; x < boxSizeX; x++)
            for (int y = 0; y < boxSizeY; y++)
                for (int z = 0; z < boxSizeZ; z++) {
                    const Cell c = {x, y, z};
                    const Cell t = turnCell(c, v);
                    // Every cell stays in the box, and turning twice gives it back.
                    EXPECT_TRUE(t.x >= 0 && t.x < boxSizeX && t.y >= 0 && t.y < boxSizeY && t.z >= 0 &&
                                t.z < boxSizeZ);
                    EXPECT_EQ(turnCell(t, v), c);
                    // Turning by u then by v is turning by the third variant (a group).
                    for (int u = 1; u < 4; u++)
                        if (u != v) {
                            EXPECT_EQ(turnCell(turnCell(c, u), v), turnCell(c, u ^ v));
                        }
                }
}

}  // namespace
