// The viewer's state and its operations: reading the file named on the command line, the
// commands and what they ask of the window, the build-up as a user steps through it
// (leaving the explosion, the menu's ticks, the caption), the legend and picking.
#include <gtest/gtest.h>

#include <cstdio>

#include "rtd/caption.h"
#include "rtd/commands.h"
#include "rtd/viewer.h"
#include "tests/rtd/test_scenes.h"

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

// A real solution packed in the box, with its plans (solution 2: no one-cell moves into the
// box; solution 5: three).
RtdScene packedScene(size_t record = 1)
{
    SlpScene file;
    file.solids = solutionScene(realSolutions()[record]);
    file.noteCount = 0;
    return sceneOf(std::move(file));
}

}  // namespace

TEST(Viewer, LoadsTheWholeFileAndNotesWhatCannotBeRead)
{
    const std::string good = writeTemp("rtd_one.slp", oneTriangle);
    RtdScene loaded = loadScene(good);
    EXPECT_TRUE(loaded.usable);
    ASSERT_EQ(loaded.file.solids.size(), 1u);
    EXPECT_EQ(loaded.plans.free.moves.size(), 1u);
    EXPECT_EQ(loaded.file.noteCount, 0);

    // Missing: one note, nothing to draw (the size cap is the reader's, tested with it).
    const RtdScene bad = loadScene(good + ".missing");
    EXPECT_FALSE(bad.usable);
    ASSERT_EQ(bad.file.notes.size(), 1u);
    EXPECT_EQ(bad.file.notes[0].problem, SlpProblem::cannotOpen);
    loaded = loadScene("");
    EXPECT_FALSE(loaded.usable);
    EXPECT_TRUE(loaded.file.notes.empty());
    std::remove(good.c_str());
}

TEST(Viewer, ProblemLinesAndCaption)
{
    Options o;
    o.problem = OptionProblem::unknown;
    o.badOption = "-q";
    SlpScene s;
    s.noteCount = 0;
    EXPECT_EQ(problemTextFor(Language::german, o, s, 0),
              "Unbekannte Option '-q'.\n" + std::string(text(Language::german, Text::noFileGiven)));
    o = Options{};
    o.fileName = "x.slp";
    s.notes = {{SlpProblem::empty, 0, 0}};
    s.noteCount = 1;
    EXPECT_EQ(problemTextFor(Language::english, o, s, 0), "The file is empty.");

    EXPECT_EQ(captionFor({Language::german, "", "", "", ""}), "rtd - 3D-Ansicht");
    EXPECT_EQ(captionFor({Language::german, "a b.slp", "Aufbau 3 von 12 (frei)",
                          "Zeile 3: unbekannte Zeile.\nZeile 9: unbekannte Zeile.", "Bild gespeichert: b.png"}),
              "rtd - 3D-Ansicht - a b.slp - Aufbau 3 von 12 (frei) - Zeile 3: unbekannte Zeile. - Bild gespeichert: b.png");

    // --step is checked against the plan's steps, which leave out a solid without triangles.
    const RtdScene packed = packedScene();
    o.buildUpStep = 13;
    SlpScene withEmpty = packed.file;
    withEmpty.solids.push_back({"leer", {1, 1, 1}, false, {}});
    const RtdScene thirteen = sceneOf(withEmpty);
    RtdViewer v = startViewer(thirteen, o);
    EXPECT_EQ(v.buildUp.count, -1);
    EXPECT_EQ(viewerProblems(v, thirteen, o), "--step 13: es gibt nur die Schritte 0 bis 12.");
    o.buildUpStep = 12;
    v = startViewer(thirteen, o);
    EXPECT_EQ(v.buildUp.count, 12);
    EXPECT_EQ(viewerProblems(v, thirteen, o), "");

    // With --box it counts the steps into the box, also once M has left that mode.
    const RtdScene five = packedScene(4);
    o.buildUpStep = 15;
    v = startViewer(five, o);
    EXPECT_EQ(v.buildUp.count, -1);
    EXPECT_EQ(viewerProblems(v, five, o), "--step 15: es gibt nur die Schritte 0 bis 12.");
    o.box = true;
    v = startViewer(five, o);
    EXPECT_TRUE(v.boxMode);
    EXPECT_EQ(v.buildUp.count, 15);
    EXPECT_NE(viewerBuildUpLine(v, five).find("Schritt 15 von 15: "), std::string::npos);
    runCommand(v, five, commandBuildUpBox, 0);
    EXPECT_EQ(v.buildUp.count, 12);
    EXPECT_EQ(viewerProblems(v, five, o), "");
    o.buildUpStep = -1;  // --box alone: the box filled, M ticked
    v = startViewer(five, o);
    EXPECT_TRUE(v.boxMode);
    EXPECT_EQ(v.buildUp.count, -1);
}

TEST(Viewer, EveryMenuEntryAndKeyDoesSomething)
{
    const RtdScene scene = packedScene();
    int count = 0;
    const MenuEntry* menu = menuEntries(count);
    for (int i = 0; i < count; i++) {
        if (menu[i].kind != MenuKind::command) continue;
        RtdViewer v = startViewer(scene, {});
        EXPECT_FALSE(runCommand(v, scene, menu[i].command, 0) == nothingToDo) << menu[i].command;
    }
    const KeyBinding* keys = keyBindings(count);
    for (int i = 0; i < count; i++) {
        RtdViewer v = startViewer(scene, {});
        EXPECT_FALSE(runCommand(v, scene, keys[i].command, 0) == nothingToDo) << keys[i].command;
    }
}

TEST(Viewer, CommandsChangeTheViewAndClearTheLastNote)
{
    SlpScene three;
    three.noteCount = 0;
    three.solids = {cubesMesh({{0, 0, 0}}, 10), cubesMesh({{1, 0, 0}}, 10), cubesMesh({{2, 0, 0}}, 10)};
    const RtdScene scene = sceneOf(three);
    RtdViewer v = startViewer(scene, {});
    v.statusText = "Bild gespeichert: a.png";
    const double zoom = v.camera.zoom;
    const Effects zoomed = runCommand(v, scene, commandZoomIn, 0);
    EXPECT_TRUE(zoomed.redraw);
    EXPECT_FALSE(zoomed.menusAndCaption);
    EXPECT_GT(v.camera.zoom, zoom);
    EXPECT_EQ(v.statusText, "Bild gespeichert: a.png");  // zooming keeps it, as dragging does
    EXPECT_TRUE(runCommand(v, scene, commandSolidFirst + 3, 0) == nothingToDo);  // no fourth solid
    EXPECT_EQ(v.statusText, "Bild gespeichert: a.png");
    EXPECT_TRUE(runCommand(v, scene, commandSolidFirst + 1, 0).menusAndCaption);
    EXPECT_TRUE(v.statusText.empty());
    EXPECT_FALSE(commandChecked(v, scene, commandSolidFirst + 1));
    EXPECT_TRUE(commandChecked(v, scene, commandSolidFirst + 2));

    for (int i = 0; i < maxExplodeStep + 3; i++) runCommand(v, scene, commandExplodeMore, 0);
    EXPECT_EQ(v.explodeStep, maxExplodeStep);
    runCommand(v, scene, commandExplodeOff, 0);
    runCommand(v, scene, commandExplodeLess, 0);
    EXPECT_EQ(v.explodeStep, 0);

    // A standard view resets the camera but keeps the projection kind.
    runCommand(v, scene, commandPerspective, 0);
    runCommand(v, scene, commandZoomIn, 0);
    runCommand(v, scene, commandViewFirst + int(StandardView::front), 0);
    EXPECT_EQ(v.camera, standardView(StandardView::front, true));
    runCommand(v, scene, commandEnglish, 0);
    EXPECT_TRUE(commandChecked(v, scene, commandEnglish));
    EXPECT_FALSE(commandChecked(v, scene, commandGerman));
    EXPECT_TRUE(runCommand(v, scene, commandSave, 0).savePicture);
    EXPECT_TRUE(runCommand(v, scene, commandHelp, 0).showHelp);
    EXPECT_TRUE(runCommand(v, scene, commandExit, 0).exitProgram);
    EXPECT_TRUE(runCommand(v, scene, 99999, 0) == nothingToDo);

    // Dragging turns with the left button, pans with the right one, and lets go.
    EXPECT_TRUE(buttonPressed(v, 1, 100, 100).captureMouse);
    const Camera before = v.camera;
    EXPECT_TRUE(mouseMoved(v, scene, 120, 90, 0).redraw);
    EXPECT_EQ(v.camera, orbit(before, 20, -10));
    EXPECT_TRUE(buttonReleased(v).releaseMouse);
    EXPECT_TRUE(mouseMoved(v, scene, 10, 10, 0) == nothingToDo);
    EXPECT_FALSE(buttonReleased(v).releaseMouse);
}

TEST(Viewer, BuildUpBringsEachPieceToItsPlaceInTheBoxWithTicksThatFollowIt)
{
    const RtdScene scene = packedScene();
    RtdViewer v = startViewer(scene, {});
    v.client = {900, 700};
    for (int i = 0; i < 3; i++) runCommand(v, scene, commandExplodeMore, 0);
    const Effects e = runCommand(v, scene, commandBuildUpNext, 1.0);
    EXPECT_TRUE(e.startTimer);
    EXPECT_EQ(v.explodeStep, 0);  // the explosion is left
    const int first = currentPlan(v, scene).moves[0].solids[0];
    // On its way in the piece is away from its place; once in, exactly at it.
    FrameView f = frameView(v, scene, v.client, 1.0 + slideSeconds / 2);
    EXPECT_GT(length(f.offsets[size_t(first)]), 1);
    EXPECT_FALSE(timerTicked(v, 1.0 + slideSeconds / 2).stopTimer);
    EXPECT_TRUE(timerTicked(v, 1.0 + slideSeconds).stopTimer);
    f = frameView(v, scene, v.client, 5);
    EXPECT_EQ(f.offsets[size_t(first)], (Vec3{0, 0, 0}));
    for (size_t i = 0; i < 12; i++) EXPECT_EQ(f.drawn[i], int(i) == first) << i;

    // The menu ticks what is drawn; solids not yet in cannot be toggled.
    const int other = (first + 1) % 12;
    EXPECT_TRUE(commandChecked(v, scene, commandSolidFirst + first));
    EXPECT_FALSE(commandChecked(v, scene, commandSolidFirst + other));
    EXPECT_FALSE(commandEnabled(v, scene, commandSolidFirst + other));
    EXPECT_TRUE(runCommand(v, scene, commandSolidFirst + other, 5) == nothingToDo);
    EXPECT_TRUE(v.shown[size_t(other)]);
    runCommand(v, scene, commandSolidFirst + first, 5);  // hidden stays hidden in the build-up
    EXPECT_FALSE(frameView(v, scene, v.client, 5).drawn[size_t(first)]);
    runCommand(v, scene, commandSolidFirst + first, 5);

    // The caption says the step and the mode; M switches it and the ticks follow the plan.
    const std::string caption = viewerCaption(v, scene, {});
    EXPECT_NE(caption.find("Teil 1 von 12: Baustein " + std::to_string(first + 1) + " von "), std::string::npos);
    EXPECT_NE(caption.find("(frei)"), std::string::npos);
    runCommand(v, scene, commandForKey('M', false, false), 6);
    EXPECT_NE(viewerCaption(v, scene, {}).find("(in die Schachtel)"), std::string::npos);
    const int firstInBox = currentPlan(v, scene).moves[0].solids[0];
    EXPECT_TRUE(commandChecked(v, scene, commandSolidFirst + firstInBox));
    EXPECT_FALSE(slideRunning(v.buildUp, 6));  // a switch jumps

    // Ending the build-up ticks and draws everything again; the caption loses its line.
    runCommand(v, scene, commandBuildUpEnd, 7);
    EXPECT_TRUE(commandChecked(v, scene, commandSolidFirst + other));
    EXPECT_EQ(frameView(v, scene, v.client, 7).drawn, std::vector<bool>(12, true));
    EXPECT_EQ(viewerCaption(v, scene, {}).find("von 12"), std::string::npos);
}

TEST(Viewer, LegendNamesEachColourAndOnlyThisKeepsThePieceUnderTheMouse)
{
    const RtdScene scene = packedScene();
    RtdViewer v = startViewer(scene, {});
    v.client = {800, 600};
    EXPECT_TRUE(overlayContent(v, scene, "", frameView(v, scene, v.client, 0)).legend.empty());
    EXPECT_TRUE(keyPressed(v, scene, 'F', false, false, 0).menusAndCaption);
    EXPECT_TRUE(commandChecked(v, scene, commandLegend));
    runCommand(v, scene, commandSolidFirst + 2, 0);
    OverlayContent c = overlayContent(v, scene, "", frameView(v, scene, v.client, 0));
    ASSERT_EQ(c.legend.size(), 12u);
    for (size_t i = 0; i < 12; i++) {
        EXPECT_EQ(c.legend[i].label, std::to_string(i + 1));
        EXPECT_EQ(c.legend[i].colour, pieceColours[placementPieceIndex(realSolutions()[1].words[i])]);
        EXPECT_EQ(c.legend[i].drawn, i != 2);
    }

    // Nothing under the mouse: nothing changes; the middle of the window: one solid is left.
    runCommand(v, scene, commandShowAll, 0);
    v.mouseX = v.mouseY = 2;
    runCommand(v, scene, commandOnlyThis, 0);
    EXPECT_EQ(v.shown, std::vector<bool>(12, true));
    v.mouseX = 400;
    v.mouseY = 300;
    const int picked = solidUnderMouse(v, scene, 0);
    ASSERT_GE(picked, 0);
    runCommand(v, scene, commandOnlyThis, 0);
    for (size_t i = 0; i < 12; i++) EXPECT_EQ(v.shown[i], int(i) == picked);
}
