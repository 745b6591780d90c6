// Tests of the converter's parsers and arithmetic, called directly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "facetgen/cli.h"
#include "facetgen/convert.h"
#include "facetgen/map_file.h"
#include "facetgen/text_scan.h"
#include "tests/support/child_process.h"

namespace {

constexpr FloatTransform identity = {{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}};

std::string transformed(const std::string& piece, const FloatTransform& r, float scale = 1)
{
    std::string out;
    transformMeshPiece(piece.c_str(), piece.size(), scale, r, out);
    return out;
}

TEST(MapLine, AcceptsOnlyFourteenNumbersAndAName)
{
    struct Case {
        const char* line;
        MapLine result;
    } cases[] = {
        {"3 1 0 0 0 1 0 0 0 1 0 0 0 10 teil.slp\n", MapLine::accepted},
        {"  0\t1 0 0 0 1 0 0 0 1 0 0 0 10 teil.slp", MapLine::accepted},
        {"-4 1 0 0 0 1 0 0 0 1 0 0 0 10 teil.slp\r\n", MapLine::accepted},
        {"3 1 0 0 0 1 0 0 0 1 0 0 0 10\n", MapLine::ignored},
        {"3 1 0 0 0 1 0 0 0 1 0 0 0 10 \r\n", MapLine::ignored},
        {"3 1 0 0 0 1 zwei 0 0 1 0 0 0 10 teil.slp\n", MapLine::ignored},
        {"Baustein 3 1 0 0 0 1 0 0 0 1 0 0 0 10 teil.slp\n", MapLine::ignored},
        {"\n", MapLine::ignored},
        {"", MapLine::ignored},
        {"3 1 0 0 0 nan 0 0 0 1 0 0 0 10 teil.slp\n", MapLine::outOfRange},
        {"3 1 0 0 0 1 0 0 0 1 0 -inf 0 10 teil.slp\n", MapLine::outOfRange},
        {"3 1 0 0 0 1 0 0 0 1 0 0 0 1e39 teil.slp\n", MapLine::outOfRange},
        {"3 1 0 0 0 1 0 0 0 1 0 0 0 1e-39 teil.slp\n", MapLine::accepted},
        {"3 1 0 0 0 nan 0 0 0 1 0 0 0 10\n", MapLine::ignored},
    };
    for (const Case& c : cases) {
        MapLineFields f;
        EXPECT_EQ(parseMapLine(c.line, f), c.result) << c.line;
    }
    MapLineFields f;
    ASSERT_EQ(parseMapLine("7 0 1 0 -1 0 0 0 0 1 2.5 3 4 12.5 mesh/a.slp", f), MapLine::accepted);
    EXPECT_EQ(f.pieceNumber, 7);
    const float expected[12] = {0, 1, 0, -1, 0, 0, 0, 0, 1, 2.5f, 3, 4};
    for (int k = 0; k < 12; k++) EXPECT_EQ(f.transform.e[k], expected[k]) << k;
    EXPECT_EQ(f.gridScale, 12.5f);
    EXPECT_STREQ(f.meshFileName, "mesh/a.slp");
}

TEST(MapLine, MeshNameLongerThanTheBufferIsRefusedNotCut)
{
    const std::string numbers = "1 1 0 0 0 1 0 0 0 1 0 0 0 10 ";
    MapLineFields f;
    EXPECT_EQ(parseMapLine((numbers + std::string(259, 'n')).c_str(), f), MapLine::accepted);
    EXPECT_EQ(std::strlen(f.meshFileName), 259u);
    EXPECT_EQ(parseMapLine((numbers + std::string(260, 'n')).c_str(), f), MapLine::nameTooLong);
}

class MapFile : public ::testing::Test {
protected:
    void SetUp() override { folder = makeScratchFolder(); }
    void TearDown() override
    {
        clearMapTable();
        removeTree(folder);
    }
    std::string folder;
};

TEST_F(MapFile, LaterLinesWinAndRemarksAreSkipped)
{
    const std::string path = folder + "/test.map";
    writeFile(path,
              "Bemerkung: Nummer, Transformation, Raster, Datei\n"
              "3 1 0 0 0 1 0 0 0 1 0 0 0 10 erste.slp\n"
              "\n"
              "4 1 0 0 0 1 0 0 0 1 0 0 0 10 vier.slp\n"
              "3 1 0 0 0 1 0 0 0 1 0 0 0 20 zweite.slp\r\n");
    ASSERT_EQ(readMapFile(path.c_str()), 0);
    const MapEntry* e = findMapEntry(3);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->meshFileName, "zweite.slp");
    EXPECT_EQ(e->gridScale, 20.0f);
    EXPECT_NE(findMapEntry(4), nullptr);
    EXPECT_EQ(findMapEntry(5), nullptr);
    EXPECT_EQ(readMapFile((folder + "/fehlt.map").c_str()), -1);
    EXPECT_EQ(readMapFile(folder.c_str()), -1);
}

TEST_F(MapFile, LinesLongerThanTheBufferAreReadInPieces)
{
    // 519 characters make the first piece; the rest is a line of its own and is accepted.
    const std::string path = folder + "/long.map";
    std::string first = "1 1 0 0 0 1 0 0 0 1 0 0 0 10 eins.slp";
    first += std::string(519 - first.size(), ' ');
    writeFile(path, first + "2 1 0 0 0 1 0 0 0 1 0 0 0 10 zwei.slp\n");
    ASSERT_EQ(readMapFile(path.c_str()), 0);
    EXPECT_NE(findMapEntry(1), nullptr);
    EXPECT_NE(findMapEntry(2), nullptr);
}

TEST(ComposeFloat, AppliesTheRightOperandFirst)
{
    // b: quarter turn about z, then (1, 2, 3); a: half turn about x, then (10, 0, 0).
    const FloatTransform b = {{0, 1, 0, -1, 0, 0, 0, 0, 1, 1, 2, 3}};
    const FloatTransform a = {{1, 0, 0, 0, -1, 0, 0, 0, -1, 10, 0, 0}};
    const FloatTransform r = composeFloat(a, b);
    const float expected[12] = {0, -1, 0, -1, 0, 0, 0, 0, -1, 11, -2, -3};
    for (int k = 0; k < 12; k++) EXPECT_EQ(r.e[k], expected[k]) << k;
    // The sums are formed wider and rounded once: in single precision the 1.5 would be
    // lost against 1e8 before -1e8 is added.
    const FloatTransform wide = {{1.5f, 0, 0, 1e8f, 0, 0, -1e8f, 0, 0, 0, 0, 0}};
    const FloatTransform ones = {{1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1}};
    EXPECT_EQ(composeFloat(wide, ones).e[9], 1.5f);
}

TEST(MeshPiece, RewritesNormalsAndVerticesWithCrLf)
{
    const FloatTransform turn = {{0, 1, 0, -1, 0, 0, 0, 0, 1, 7, 8, 9}};
    EXPECT_EQ(transformed("      normal 0 0 1\n", turn),
              "      normal 0.000000e+00 0.000000e+00 1.000000e+00\r\n");
    const FloatTransform shift = {{1, 0, 0, 0, 1, 0, 0, 0, 1, 2, 0, 1}};
    EXPECT_EQ(transformed("      vertex 1 2 3\r\n", shift, 10),
              "      vertex 2.100000e+01 2.000000e+00 1.300000e+01\r\n");
    // Normals are turned only, never moved or scaled.
    EXPECT_EQ(transformed("      normal 1.0e0 0 0", turn, 10),
              "      normal 0.000000e+00 1.000000e+00 0.000000e+00\r\n");
    EXPECT_EQ(transformed("      vertex -1.5 0 0\n", identity),
              "      vertex -1.500000e+00 0.000000e+00 0.000000e+00\r\n");
}

TEST(MeshPiece, EverythingElseIsCopiedByteForByte)
{
    const std::string copied[] = {
        "     normal 0 0 1\n",       // five blanks
        "       vertex 1 2 3\r\n",   // seven blanks
        "\tvertex 1 2 3\n",          // a tab
        "      Normal 0 0 1\n",      // compared case-sensitively
        "  facet\n",
        "solid x\r\n",
        "      vertex 1 2\n",        // fewer than three numbers: no made-up third
        "      normal\n",
        "      vertex 1 2 drei\r\n",
        "      vertex ",
    };
    for (const std::string& line : copied) EXPECT_EQ(transformed(line, identity, 5), line);
    const std::string withNul("  color 1\0 2 3\n", 15);
    EXPECT_EQ(transformed(withNul, identity), withNul);
}

TEST(MeshPiece, SumsAreWiderThanTheSinglePrecisionInputs)
{
    // In single precision 1.5 + 1e8 loses the 1.5 before -1e8 is added.
    const FloatTransform r = {{1.5f, 0, 0, 1e8f, 0, 0, -1e8f, 0, 0, 0, 0, 0}};
    EXPECT_EQ(transformed("      normal 1 1 1\n", r),
              "      normal 1.500000e+00 0.000000e+00 0.000000e+00\r\n");
    // 16777217 is read as the float 16777216.
    const FloatTransform diff = {{1, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0}};
    EXPECT_EQ(transformed("      vertex 16777217 16777216 0\n", diff),
              "      vertex 0.000000e+00 0.000000e+00 0.000000e+00\r\n");
}

TEST_F(MapFile, MeshStreamTakesLongLinesInPiecesOf99)
{
    const std::string meshPath = folder + "/m.slp";
    const std::string outPath = folder + "/o.slp";
    // A vertex line of exactly 99 characters with its line feed, and a longer one whose
    // third number is split after the 99th character.
    const std::string padded = "      vertex 1 2 3" + std::string(80, ' ') + "\n";
    const std::string split = "      vertex 1 2 " + std::string(80, ' ') + "345\n";
    writeFile(meshPath, "solid s\n" + padded + split + "endsolid s");
    std::FILE* out = std::fopen(outPath.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    writeTransformedMesh(out, 1, meshPath.c_str(), identity);
    writeTransformedMesh(out, 1, (folder + "/fehlt.slp").c_str(), identity);
    std::fclose(out);
    EXPECT_EQ(readFile(outPath),
              "solid s\n"
              "      vertex 1.000000e+00 2.000000e+00 3.000000e+00\r\n"
              "      vertex 1.000000e+00 2.000000e+00 3.400000e+01\r\n"
              "5\n"
              "endsolid s");
}

TEST(PlacementLine, NeedsANonNegativeNumberAndTwelveMore)
{
    PlacementLine p;
    EXPECT_EQ(parsePlacementLine(" 5    1  0  0  0  1  0  0  0  1  2  1  0\r\n", p),
              PlacementLineKind::placement);
    EXPECT_EQ(p.pieceNumber, 5);
    EXPECT_EQ(p.placement.e[9], 2.0f);
    EXPECT_EQ(p.placement.e[11], 0.0f);
    EXPECT_EQ(parsePlacementLine("1 0.5 0 0 0 1 0 0 0 1 -2 -1e1 3", p), PlacementLineKind::placement);
    EXPECT_EQ(p.placement.e[0], 0.5f);
    EXPECT_EQ(p.placement.e[10], -10.0f);

    const char* skipped[] = {"", "\n", "Baustein 5 1 0 0 0 1 0 0 0 1 0 0 0", "-1 1 0 0 0 1 0 0 0 1 0 0 0",
                             "- 5", "+-3 1 0 0 0 1 0 0 0 1 0 0 0"};
    for (const char* line : skipped) {
        EXPECT_EQ(parsePlacementLine(line, p), PlacementLineKind::skipped) << line;
        EXPECT_EQ(p.pieceNumber, -1) << line;
    }
    EXPECT_EQ(parsePlacementLine("3 1 0 0 0 1 0 0 0 1 0 0", p), PlacementLineKind::incomplete);
    EXPECT_EQ(parsePlacementLine("3 1 0 0 0 1 0 0 0 1 0 0 x", p), PlacementLineKind::incomplete);
    EXPECT_EQ(parsePlacementLine("3", p), PlacementLineKind::incomplete);
    for (const char* number : {"nan", "inf", "-INFINITY", "1e39", "-1e39", "nan(7)"})
        EXPECT_EQ(parsePlacementLine(("3 1 0 0 0 1 0 0 0 1 0 " + std::string(number) + " 0").c_str(), p),
                  PlacementLineKind::outOfRange)
            << number;
    EXPECT_EQ(parsePlacementLine("3 1 0 0 0 1 0 0 0 1 0 nan", p), PlacementLineKind::incomplete);
    EXPECT_EQ(parsePlacementLine("3 3.4e38 0 0 0 1 0 0 0 1 0 0 1e-45", p), PlacementLineKind::placement);
    // A number beyond int32 is clamped rather than wrapped into a small piece number.
    EXPECT_EQ(parsePlacementLine("4294967297 1 0 0 0 1 0 0 0 1 0 0 0", p), PlacementLineKind::placement);
    EXPECT_EQ(p.pieceNumber, INT32_MAX);
}

TEST(ComposeFloat, AProductBeyondSinglePrecisionBecomesAnInfinity)
{
    FloatTransform big = identity;
    big.e[0] = 1e30f;
    big.e[9] = -1e30f;
    const FloatTransform r = composeFloat(big, big);
    EXPECT_EQ(r.e[0], HUGE_VALF);
    EXPECT_EQ(r.e[9], -HUGE_VALF);
    EXPECT_EQ(r.e[4], 1.0f);
}

TEST(MeshPiece, NonFiniteNumbersAreCopiedUnchanged)
{
    for (const char* line : {"      vertex nan 0 0\n", "      normal 0 1e39 0\r\n", "      vertex 0 0 -inf\n"})
        EXPECT_EQ(transformed(line, identity, 10), line);
}

TEST(ViewerCommand, TheNameIsOneArgumentForEitherInterpreter)
{
    struct Case {
        const char* viewer;
        const char* name;
        const char* posix;
        const char* cmd;  // nullptr: refused
    } cases[] = {
        {"rtd", "a.slp", "rtd 'a.slp'", "\"rtd \"a.slp\"\""},
        {"rtd", "my file.slp", "rtd 'my file.slp'", "\"rtd \"my file.slp\"\""},
        {"rtd", "a;touch X;.slp", "rtd 'a;touch X;.slp'", "\"rtd \"a;touch X;.slp\"\""},
        {"rtd", "a&echo Y&rem .slp", "rtd 'a&echo Y&rem .slp'", "\"rtd \"a&echo Y&rem .slp\"\""},
        {"rtd", "it's.slp", "rtd 'it'\\''s.slp'", "\"rtd \"it's.slp\"\""},
        {"rtd", "''.slp", "rtd ''\\'''\\''.slp'", "\"rtd \"''.slp\"\""},
        {"\"C:\\Program Files\\rtd.exe\"", "loesungen\\a^(b).slp",
         "\"C:\\Program Files\\rtd.exe\" 'loesungen\\a^(b).slp'",
         "\"\"C:\\Program Files\\rtd.exe\" \"loesungen\\a^(b).slp\"\""},
        {"rtd", "a\"b.slp", "rtd 'a\"b.slp'", nullptr},
        {"rtd", "100%.slp", "rtd '100%.slp'", nullptr},
        {"rtd", "%PATH%.slp", "rtd '%PATH%.slp'", nullptr},
        {"rtd", "hallo!.slp", "rtd 'hallo!.slp'", nullptr},
        {"rtd", "zeile\nzwei.slp", "rtd 'zeile\nzwei.slp'", nullptr},
        {"rtd", "\xE4rger.slp", "rtd '\xE4rger.slp'", "\"rtd \"\xE4rger.slp\"\""},
    };
    for (const Case& c : cases) {
        std::string command;
        ASSERT_TRUE(formViewerCommand(c.viewer, c.name, CommandInterpreter::posixShell, command));
        EXPECT_EQ(command, c.posix);
        EXPECT_EQ(formViewerCommand(c.viewer, c.name, CommandInterpreter::cmd, command),
                  c.cmd != nullptr)
            << c.name;
        if (c.cmd) {
            EXPECT_EQ(command, c.cmd);
        }
    }
}

TEST(SlpName, ReplacesPosInAnyCaseAndNeverReusesTheInputName)
{
    struct Case {
        const char* name;
        const char* slp;
    } cases[] = {
        {"a.pos", "a.slp"},
        {"A.POS", "A.slp"},
        {"x.Pos", "x.slp"},
        {"loesungen\\kubo_puzzle_000017c.pos", "loesungen\\kubo_puzzle_000017c.slp"},
        {".pos", ".pos.slp"},
        {"a.txt", "a.txt.slp"},
        {"a.slp", "a.slp.slp"},
        {"pos", "pos.slp"},
        {"", ".slp"},
    };
    for (const Case& c : cases) {
        char slp[nameBufferSize];
        ASSERT_TRUE(formSlpName(c.name, slp)) << c.name;
        EXPECT_STREQ(slp, c.slp);
    }
    char slp[nameBufferSize];
    EXPECT_TRUE(formSlpName((std::string(255, 'n') + ".pos").c_str(), slp));
    EXPECT_FALSE(formSlpName((std::string(256, 'n') + ".pos").c_str(), slp));
    EXPECT_TRUE(formSlpName(std::string(255, 'n').c_str(), slp));
    EXPECT_FALSE(formSlpName(std::string(256, 'n').c_str(), slp));
}

TEST(TextScan, IntegersAndWordsStayWithinTheirLimits)
{
    const char* p = "  -2147483649 x";
    int32_t v = 0;
    ASSERT_TRUE(scanInt(p, v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_FALSE(scanInt(p, v));
    char word[4];
    EXPECT_EQ(scanWord(p, word, sizeof word), WordScan::ok);
    EXPECT_STREQ(word, "x");
    const char* longWord = " abcd efg";
    EXPECT_EQ(scanWord(longWord, word, sizeof word), WordScan::tooLong);
    EXPECT_EQ(scanWord(longWord, word, sizeof word), WordScan::ok);
    EXPECT_STREQ(word, "efg");
    EXPECT_EQ(scanWord(longWord, word, sizeof word), WordScan::none);
}

}  // namespace
