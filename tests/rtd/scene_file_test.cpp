// Reading the file named on the command line, and the problem lines and caption the
// window shows about the call and the file.
#include <gtest/gtest.h>

#include <cstdio>

#include "rtd/caption.h"
#include "rtd/scene_file.h"

namespace {

std::string writeTemp(const char* name, const std::string& content)
{
    const std::string path = ::testing::TempDir() + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    return path;
}

const char oneTriangle[] = "solid a\n facet normal 0 0 1\n  outer loop\n   vertex 0 0 0\n   vertex 1 0 0\n"
                           "   vertex 0 1 0\n  endloop\n endfacet\nendsolid a\n";

}  // namespace

TEST(SceneFile, ReadsTheWholeFileAndNotesWhatCannotBeRead)
{
    const std::string good = writeTemp("rtd_one.slp", oneTriangle);
    LoadedScene loaded = loadScene(good);
    EXPECT_TRUE(loaded.usable);
    ASSERT_EQ(loaded.scene.solids.size(), 1u);
    EXPECT_EQ(loaded.buildOrder, std::vector<int>{0});
    EXPECT_GT(loaded.fit.radius, 0);
    EXPECT_EQ(loaded.scene.noteCount, 0);

    // Missing: one note, nothing to draw (the size cap is the reader's, tested with it).
    for (const LoadedScene& bad : {loadScene(good + ".missing")}) {
        EXPECT_FALSE(bad.usable);
        ASSERT_EQ(bad.scene.notes.size(), 1u);
        EXPECT_EQ(bad.scene.notes[0].problem, SlpProblem::cannotOpen);
        EXPECT_EQ(bad.scene.noteCount, 1);
    }
    loaded = loadScene("");
    EXPECT_FALSE(loaded.usable);
    EXPECT_TRUE(loaded.scene.notes.empty());
    std::remove(good.c_str());
}

TEST(SceneFile, ProblemLinesAndCaption)
{
    Options o;
    o.problem = OptionProblem::unknown;
    o.badOption = "-q";
    SlpScene s;
    s.noteCount = 0;
    EXPECT_EQ(problemTextFor(Language::german, o, s),
              "Unbekannte Option '-q'.\n" + std::string(text(Language::german, Text::noFileGiven)));
    o = Options{};
    o.fileName = "x.slp";
    s.notes = {{SlpProblem::empty, 0, 0}};
    s.noteCount = 1;
    EXPECT_EQ(problemTextFor(Language::english, o, s), "The file is empty.");

    ViewState v;
    v.visibility = allShown(12);
    EXPECT_EQ(captionFor(v, "", 0, ""), "rtd - 3D-Ansicht");
    v.visibility.buildUpCount = 3;
    v.statusText = "Bild gespeichert: b.bmp";
    EXPECT_EQ(captionFor(v, "a b.slp", 12, "Zeile 3: unbekannte Zeile.\nZeile 9: unbekannte Zeile."),
              "rtd - 3D-Ansicht - a b.slp - Aufbau 3 von 12 - Zeile 3: unbekannte Zeile. - Bild gespeichert: b.bmp");
}
