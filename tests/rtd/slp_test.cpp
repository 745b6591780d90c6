// Reading SLP text: the converter's own form from the shipped piece meshes, the STL form,
// line ends, normals from the winding, repeated names, and damaged files of every kind.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "rtd/palette.h"
#include "rtd/slp.h"
#include "rtd/texts.h"
#include "tests/support/test_seed.h"
#include "tools/piece_mesh.h"

namespace {

SlpScene parse(const std::string& text) { return parseSlp(text.data(), text.size()); }

bool hasProblem(const SlpScene& s, SlpProblem p, int line = -1)
{
    for (const SlpNote& n : s.notes)
        if (n.problem == p && (line < 0 || n.line == line)) return true;
    return false;
}

std::string describeNoteForTest(const SlpNote& note) { return describeNote(Language::german, note, "x.slp"); }

std::string withoutCarriageReturns(std::string text)
{
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

const char* oneTriangleStl =
    "solid tri\n"
    "  facet normal 0 0 1\n"
    "    outer loop\n"
    "      vertex 0 0 0\n"
    "      vertex 1 0 0\n"
    "      vertex 0 1 0\n"
    "    endloop\n"
    "  endfacet\n"
    "endsolid tri\n";

}  // namespace

TEST(SlpReader, ReadsTheShippedPieceMeshesAsTheConverterWritesThem)
{
    for (int k = 0; k < pieceCount; k++) {
        const std::string text = pieceMeshText(k);
        const SlpScene s = parse(text);
        ASSERT_EQ(s.solids.size(), 1u) << "piece " << k;
        EXPECT_EQ(s.noteCount, 0) << "piece " << k;
        const SlpSolid& solid = s.solids[0];
        char name[32];
        std::snprintf(name, sizeof name, "baustein_%02d", k + 1);
        EXPECT_EQ(solid.name, name);
        EXPECT_TRUE(solid.hasColour);
        EXPECT_EQ(colourByte(solid.colour.x), pieceColours[k].r);
        EXPECT_EQ(colourByte(solid.colour.y), pieceColours[k].g);
        EXPECT_EQ(colourByte(solid.colour.z), pieceColours[k].b);
        const std::vector<MeshTriangle> expected = pieceTriangles(PieceCatalogue[k]);
        ASSERT_EQ(solid.triangles.size(), expected.size());
        for (size_t i = 0; i < expected.size(); i++) {
            for (int c = 0; c < 3; c++) {
                EXPECT_DOUBLE_EQ(solid.triangles[i].corner[c].x, expected[i].corner[c].x * 5.0);
                EXPECT_DOUBLE_EQ(solid.triangles[i].corner[c].z, expected[i].corner[c].z * 5.0);
                EXPECT_DOUBLE_EQ(solid.triangles[i].normal[c].y, double(expected[i].normal.y));
            }
        }
        // The same text with LF line ends reads the same.
        const SlpScene lf = parse(withoutCarriageReturns(text));
        ASSERT_EQ(lf.solids.size(), 1u);
        EXPECT_EQ(lf.noteCount, 0);
        EXPECT_EQ(lf.solids[0].triangles.size(), expected.size());
        EXPECT_EQ(lf.solids[0].name, name);
    }
}

TEST(SlpReader, StlFacetNormalsLoneCarriageReturnsAndMissingNormals)
{
    SlpScene s = parse(oneTriangleStl);
    ASSERT_EQ(s.solids.size(), 1u);
    ASSERT_EQ(s.solids[0].triangles.size(), 1u);
    EXPECT_EQ(s.noteCount, 0);
    EXPECT_FALSE(s.solids[0].hasColour);
    for (const Vec3& n : s.solids[0].triangles[0].normal) EXPECT_DOUBLE_EQ(n.z, 1.0);

    // Old Mac line ends, a normal of length 5 (made unit), mixed case keywords.
    s = parse("SOLID a\r  Facet Normal 0 5 0\r    outer loop\r      vertex 0 0 0\r      vertex 0 0 1\r"
              "      vertex 1 0 0\r    endloop\r  endfacet\rendsolid a\r");
    ASSERT_EQ(s.solids.size(), 1u);
    ASSERT_EQ(s.solids[0].triangles.size(), 1u);
    EXPECT_DOUBLE_EQ(s.solids[0].triangles[0].normal[2].y, 1.0);
    EXPECT_EQ(s.noteCount, 0);

    // No normal at all, a zero normal, and a NaN normal: all from the winding, which is
    // counter-clockwise seen from -z here.
    for (const char* normalLine : {"", "      normal 0 0 0\n      normal 0 0 0\n      normal 0 0 0\n",
                                   "  facet normal nan 0 0\n"}) {
        std::string text = "solid w\n";
        text += std::string(normalLine).find("facet") != std::string::npos ? normalLine : "  facet\n";
        if (std::string(normalLine).find("facet") == std::string::npos) text += normalLine;
        text += "    outer loop\n      vertex 0 0 0\n      vertex 0 1 0\n      vertex 1 0 0\n    endloop\n"
                "  endfacet\nendsolid w\n";
        s = parse(text);
        ASSERT_EQ(s.solids.size(), 1u) << normalLine;
        ASSERT_EQ(s.solids[0].triangles.size(), 1u) << normalLine;
        for (const Vec3& n : s.solids[0].triangles[0].normal) EXPECT_DOUBLE_EQ(n.z, -1.0) << normalLine;
    }
}

TEST(SlpReader, RepeatedNamesAreSeparateSolidsAndFacetsOutsideASolidGetOne)
{
    const std::string twice = std::string(oneTriangleStl) + "solid tri\n  color 0 0 1\n" +
                              std::string(oneTriangleStl).substr(10);
    SlpScene s = parse(twice);
    ASSERT_EQ(s.solids.size(), 2u);
    EXPECT_EQ(s.solids[0].name, "tri");
    EXPECT_EQ(s.solids[1].name, "tri");
    EXPECT_EQ(s.solids[1].triangles.size(), 1u);
    EXPECT_TRUE(s.solids[1].hasColour);
    EXPECT_DOUBLE_EQ(s.solids[1].colour.z, 1.0);
    // Solids without colour get distinct default colours.
    EXPECT_DOUBLE_EQ(s.solids[0].colour.x, defaultSolidColour(0).x);
    EXPECT_DOUBLE_EQ(s.solids[0].colour.y, defaultSolidColour(0).y);
    EXPECT_NE(colourByte(defaultSolidColour(0).y), colourByte(defaultSolidColour(1).y));

    s = parse("facet\n vertex 0 0 0\n vertex 1 0 0\n vertex 0 1 0\nendfacet\n");
    ASSERT_EQ(s.solids.size(), 1u);
    EXPECT_EQ(s.solids[0].name, "");
    EXPECT_EQ(s.solids[0].triangles.size(), 1u);

    // Colours written as 0..255 are scaled; values outside are clamped.
    s = parse("solid c\n color 255 128 0\n facet\n vertex 0 0 0\n vertex 1 0 0\n vertex 0 1 0\n endfacet\n"
              "endsolid c\nsolid d\n color -1 0.5 7\nendsolid d\n");
    ASSERT_EQ(s.solids.size(), 2u);
    EXPECT_EQ(colourByte(s.solids[0].colour.x), 255);
    EXPECT_EQ(colourByte(s.solids[0].colour.y), 128);
    EXPECT_NEAR(s.solids[1].colour.y, 0.5 / 255, 1e-9);
}

TEST(SlpReader, DamagedFilesAreNotedWithTheirLinesAndWhatCanBeKeptIsKept)
{
    struct Case {
        const char* what;
        std::string text;
        SlpProblem problem;
        int line;
        size_t triangles;  // kept
    };
    const std::string good = "solid s\n facet\n  vertex 0 0 0\n  vertex 1 0 0\n  vertex 0 1 0\n endfacet\n";
    const Case cases[] = {
        {"empty", "", SlpProblem::empty, 0, 0},
        {"binary", std::string("solid s\n\0\x01\x02", 11), SlpProblem::binary, 0, 0},
        {"only blanks", "  \r\n\t\n", SlpProblem::noFacets, 0, 0},
        {"NaN vertex", good + " facet\n  vertex nan 0 0\n  vertex 1 0 0\n  vertex 0 1 0\n endfacet\n",
         SlpProblem::badNumber, 8, 1},
        {"huge vertex", good + " facet\n  vertex 1e300 0 0\n  vertex 1 0 0\n  vertex 0 1 0\n endfacet\n",
         SlpProblem::badNumber, 8, 1},
        {"infinite vertex", good + " facet\n  vertex 0 inf 0\n  vertex 1 0 0\n  vertex 0 1 0\n endfacet\n",
         SlpProblem::badNumber, 8, 1},
        {"word for a number", good + " facet\n  vertex 0 x 0\n endfacet\n", SlpProblem::badNumber, 8, 1},
        {"missing number", good + " facet\n  vertex 0 0\n endfacet\n", SlpProblem::badNumber, 8, 1},
        {"two corners", good + " facet\n  vertex 0 0 0\n  vertex 1 0 0\n endfacet\n", SlpProblem::wrongCornerCount,
         7, 1},
        {"four corners (a fan)",
         good + " facet\n  vertex 0 0 0\n  vertex 1 0 0\n  vertex 1 1 0\n  vertex 0 1 0\n endfacet\n",
         SlpProblem::wrongCornerCount, 7, 3},
        {"long line", good + " facet\n  vertex 0 0 0" + std::string(120, ' ') + "\n  vertex 1 0 0\n  vertex 0 1 0\n"
                             " endfacet\n",
         SlpProblem::longLine, 8, 2},
        {"cut in a facet", good + " facet\n  vertex 0 0 0\n  vert", SlpProblem::truncated, 9, 1},
        {"cut after the corners", good + " facet\n  vertex 0 0 0\n  vertex 1 0 0\n  vertex 0 1 0\n",
         SlpProblem::truncated, 10, 2},
        {"no endsolid", good, SlpProblem::truncated, 6, 1},
        {"unknown line", good + "hello\nendsolid s\n", SlpProblem::unknownLine, 7, 1},
    };
    for (const Case& c : cases) {
        const SlpScene s = parse(c.text);
        EXPECT_TRUE(hasProblem(s, c.problem, c.line)) << c.what;
        size_t kept = 0;
        for (const SlpSolid& solid : s.solids) kept += solid.triangles.size();
        EXPECT_EQ(kept, c.triangles) << c.what;
        EXPECT_EQ(sceneIsEmpty(s), c.triangles == 0) << c.what;
        if (c.triangles == 0 && c.problem != SlpProblem::empty && c.problem != SlpProblem::binary) {
            EXPECT_TRUE(hasProblem(s, SlpProblem::noFacets)) << c.what;
        }
    }
}

TEST(SlpReader, KeepsAtMostTwentyNotesButCountsAll)
{
    std::string text = "solid s\n";
    for (int i = 0; i < 50; i++) text += "rubbish\n";
    const SlpScene s = parse(text);
    EXPECT_EQ(s.notes.size(), size_t(maxSlpNotes));
    EXPECT_EQ(s.noteCount, 52);  // 50 lines, no endsolid, no facet
    EXPECT_EQ(s.notes[0].line, 2);
}

TEST(SlpReader, SurvivesRandomAndMutatedInput)
{
    const unsigned seed = testSeed("SlpReader.SurvivesRandomAndMutatedInput");
    std::mt19937 random(seed);
    const std::string base = pieceMeshText(4);
    for (int round = 0; round < 300; round++) {
        std::string text = base.substr(0, random() % base.size());
        for (int k = 0; k < 20; k++) {
            const size_t at = random() % (text.size() + 1);
            const char pool[] = "0123456789.-+eE \r\nvertex normal facet solid nan inf";
            text.insert(at, 1, pool[random() % (sizeof pool - 1)]);
        }
        const SlpScene s = parseSlp(text.data(), text.size());
        for (const SlpSolid& solid : s.solids)
            for (const SlpTriangle& t : solid.triangles)
                for (int c = 0; c < 3; c++) {
                    ASSERT_TRUE(std::isfinite(t.corner[c].x) && std::fabs(t.corner[c].y) <= maxSlpCoordinate)
                        << "seed " << seed;
                    ASSERT_NEAR(length(t.normal[c]), 1.0, 1e-9) << "seed " << seed;
                }
    }
}

TEST(SlpReader, BoundsOfCornersTrianglesAndSolidsDropTheRestWithANote)
{
    const auto fan = [](int corners) {
        std::string text = " facet\n";
        for (int i = 0; i < corners; i++) text += "  vertex " + std::to_string(i % 7) + " " + std::to_string(i % 5) + " 1\n";
        return text + " endfacet\n";
    };
    // A facet beyond the corner bound is dropped whole, its neighbours are kept; one at the
    // bound is still a fan.
    SlpScene s = parse("solid a\n" + fan(maxSlpFacetCorners + 1) + fan(3) + fan(maxSlpFacetCorners));
    ASSERT_EQ(s.solids.size(), 1u);
    EXPECT_EQ(s.solids[0].triangles.size(), size_t(1 + maxSlpFacetCorners - 2));
    ASSERT_FALSE(s.notes.empty());
    EXPECT_EQ(s.notes[0].problem, SlpProblem::tooManyCorners);
    EXPECT_EQ(s.notes[0].line, 2);
    EXPECT_EQ(s.notes[0].detail, maxSlpFacetCorners + 1);
    EXPECT_EQ(describeNoteForTest(s.notes[0]), "Zeile 2: Facette mit 257 Ecken, mehr als 256: nicht dargestellt.");

    // Fans up to the triangle bound: the facet that would pass it and all after it are dropped.
    std::string text = "solid a\n";
    const int perFan = maxSlpFacetCorners - 2;
    const int fans = maxSlpTriangles / perFan;
    for (int i = 0; i < fans; i++) text += fan(maxSlpFacetCorners);
    const int lineOfNext = 2 + fans * (maxSlpFacetCorners + 2);
    text += fan(maxSlpFacetCorners) + "solid b\n" + fan(3);
    s = parse(text);
    ASSERT_EQ(s.solids.size(), 1u);
    EXPECT_EQ(long(s.solids[0].triangles.size()), long(fans) * perFan);
    EXPECT_TRUE(hasProblem(s, SlpProblem::tooManyTriangles, lineOfNext));
    EXPECT_EQ(s.noteCount, fans + 1);  // each fan has its corner count noted, then the bound

    text.clear();
    for (int i = 0; i <= maxSlpSolids; i++) text += "solid\n";
    s = parse(text + fan(3));
    EXPECT_EQ(s.solids.size(), size_t(maxSlpSolids));
    EXPECT_TRUE(hasProblem(s, SlpProblem::tooManySolids, maxSlpSolids + 1));
}

TEST(SlpReader, FilesOverTheSizeLimitAreRefusedAsTooLargeNotAsUnreadable)
{
    const std::string name = testing::TempDir() + "rtd_size_limit.slp";
    std::FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const std::string lines(1 << 20, '\n');
    for (long written = 0; written < maxSlpFileBytes; written += long(lines.size()))
        std::fwrite(lines.data(), 1, lines.size(), f);
    std::fclose(f);
    // Exactly at the limit the file is read: it only has nothing to show.
    SlpScene s = readSlpFile(name);
    EXPECT_FALSE(hasProblem(s, SlpProblem::tooLarge));
    EXPECT_TRUE(hasProblem(s, SlpProblem::noFacets));

    f = std::fopen(name.c_str(), "ab");
    ASSERT_NE(f, nullptr);
    std::fputc('\n', f);
    std::fclose(f);
    s = readSlpFile(name);
    ASSERT_EQ(s.notes.size(), 1u);
    EXPECT_EQ(s.noteCount, 1);
    EXPECT_EQ(s.notes[0].problem, SlpProblem::tooLarge);
    EXPECT_TRUE(s.solids.empty());
    EXPECT_EQ(describeNote(Language::german, s.notes[0], "gross.slp"),
              "Die Datei 'gross.slp' ist gr\xF6\xDF" "er als 64 MiB und wird nicht gelesen.");
    EXPECT_EQ(describeNote(Language::english, s.notes[0], "big.slp"), "The file 'big.slp' is larger than 64 MiB and is not read.");
    std::remove(name.c_str());

    // A missing file and a folder are unreadable.
    EXPECT_EQ(readSlpFile(name).notes.at(0).problem, SlpProblem::cannotOpen);
    EXPECT_EQ(readSlpFile(testing::TempDir()).notes.at(0).problem, SlpProblem::cannotOpen);
}
