// The whole road of one solution to the 3-D viewer: START in the main window with the
// default viewer command "facetgen -d" converts the shown solution, opens rtd on it, and
// closing rtd makes the converter delete the SLP file.
#include <cstdio>
#include <string>

#include "shell/command_ids.h"
#include "tests/gui/harness.h"

SCENARIO(road_start_opens_rtd_and_closing_it_deletes_the_slp_file)
{
    const std::string folder = makeWorkFolder("road");
    writeTable(folder, 20);
    copyProgramData(runFolder, folder);
    // The converter runs "rtd NAME" through the command interpreter, which looks in the
    // current folder: the user's installation folder.
    copyFile(runFolder + "\\rtd.exe", folder + "\\rtd.exe");
    Program program;
    if (!startProgram(program, folder)) return endProgram(program);
    CHECK_EQ(editText(control(program, idViewerCommand)), std::string("facetgen -d"));
    typeChars(program, control(program, idSolutionNumber), "17c");
    PostMessageA(control(program, idStart), BM_CLICK, 0, 0);
    settle(program);

    HWND viewer = nullptr;
    for (int i = 0; i < 400 && !viewer; i++) {
        viewer = FindWindowA("rtd", nullptr);
        if (viewer && !IsWindowVisible(viewer)) viewer = nullptr;
        if (!viewer) Sleep(50);
    }
    REQUIRE(viewer != nullptr);
    const std::string slp = folder + "\\loesungen\\kubo_puzzle_000017c.slp";
    CHECK(windowText(viewer).find("loesungen\\kubo_puzzle_000017c.slp") != std::string::npos);
    CHECK(fileExists(folder + "\\loesungen\\kubo_puzzle_000017c.pos"));
    CHECK(fileExists(slp));
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    bool gone = false;
    for (int i = 0; i < 300 && !gone; i++) {
        gone = !fileExists(slp);
        if (!gone) Sleep(50);
    }
    CHECK(gone);
    CHECK(fileExists(folder + "\\loesungen\\kubo_puzzle_000017c.pos"));
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);
}
