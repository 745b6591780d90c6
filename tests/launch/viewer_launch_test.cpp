// Tests of what START hands over: nothing without a loaded solution, the path and text of
// the placement file, and the viewer's command line within its buffers.
#include <gtest/gtest.h>

#include <string>

#include "launch/viewer_launch.h"

namespace {

CurrentSolution solutionOf(uint32_t number, int32_t variant, int loaded)
{
    CurrentSolution s = {};
    s.number = number;
    s.variant = variant;
    s.loaded = loaded;
    s.record.words[0] = 0x5000 | (2 << 4) | (1 << 2);  // piece 5 at (2, 1, 0), unturned
    s.record.words[1] = 0x0FFF;                        // piece number 0: no line
    s.record.words[2] = 0xE000;                        // piece number 14: no line
    return s;
}

TEST(ViewerLaunch, NothingIsExportedBeforeASolutionIsLoaded)
{
    const PlacementExport none = preparePlacementExport(solutionOf(17, 2, 0), {1, 1, 1});
    EXPECT_FALSE(none.wanted);
    EXPECT_EQ(none.path, "");
    EXPECT_EQ(none.text, "");
}

TEST(ViewerLaunch, TheShownSolutionGivesItsFileAndLines)
{
    const PlacementExport plain = preparePlacementExport(solutionOf(17, -1, 1), {0, 0, 0});
    ASSERT_TRUE(plain.wanted);
    EXPECT_EQ(plain.path, "loesungen\\kubo_puzzle_000017a.pos");
    EXPECT_EQ(plain.text, " 5    1  0  0  0  1  0  0  0  1  2  1  0\n");
    EXPECT_EQ(plain.path.compare(0, 10, std::string(placementFolder) + "\\"), 0);

    // Variant c: (x, y, z) -> (4 - x, y, 2 - z); piece 5 has no turn-over of its own.
    const PlacementExport turned = preparePlacementExport(solutionOf(17, 2, 1), {1, 1, 1});
    EXPECT_EQ(turned.path, "loesungen\\kubo_puzzle_000017c.pos");
    EXPECT_EQ(turned.text, " 5   -1  0  0  0  1  0  0  0 -1  2  1  2\n");
}

TEST(ViewerLaunch, CommandLineIsTheFieldABlankAndThePath)
{
    const std::string path = "loesungen\\kubo_puzzle_000017c.pos";
    std::string line;
    EXPECT_TRUE(viewerCommandLine("facetgen -d", path, line));
    EXPECT_EQ(line, "facetgen -d loesungen\\kubo_puzzle_000017c.pos");
    // An empty field still gives a line; starting it then fails quietly.
    EXPECT_TRUE(viewerCommandLine("", path, line));
    EXPECT_EQ(line, " " + path);

    // A field of 259 characters is taken whole, and the line stays within the 520-byte
    // buffer.
    const std::string longest = "viewer " + std::string(252, 'x');
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_TRUE(viewerCommandLine(longest, "loesungen\\kubo_puzzle_4294967295d.pos", line));
    EXPECT_EQ(line, longest + " loesungen\\kubo_puzzle_4294967295d.pos");
    EXPECT_LE(line.size(), size_t(viewerCommandLineLimit));
}

TEST(ViewerLaunch, ACommandThatDoesNotFitIsNotCutIntoAnother)
{
    // Cut after 259 characters, this one would lose its "-L-" and keep the SLP file.
    const std::string noViewer = "facetgen" + std::string(255, ' ') + "-L-";
    const std::string path = "loesungen\\kubo_puzzle_000017c.pos";
    std::string line;
    EXPECT_FALSE(viewerCommandLine(noViewer, path, line));
    EXPECT_FALSE(viewerCommandLine(std::string(260, 'x'), path, line));
    // A path that would push the line past 519 characters.
    EXPECT_FALSE(viewerCommandLine("facetgen -d", std::string(508, 'p'), line));
    EXPECT_TRUE(viewerCommandLine("facetgen -d", std::string(507, 'p'), line));
}

TEST(ViewerLaunch, FailureTextNamesThePath)
{
    EXPECT_EQ(exportFailureText("loesungen\\kubo_puzzle_000003a.pos"),
              "Datei 'loesungen\\kubo_puzzle_000003a.pos' konnte nicht angelegt werden!");
}

}  // namespace
