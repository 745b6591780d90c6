// screenshot_win.cpp: takes the README's pictures from the real programs.
//   kubo_screenshot.exe FOLDER NUMBER MAIN.bmp [VIEWER.bmp [BUILDUP.bmp]]
// FOLDER holds the programs, their data files and a solution table. The viewer is started
// there, NUMBER is typed into its solution field and its window is copied from the screen.
// With VIEWER.bmp, solution NUMBER also goes through facetgen into the 3-D viewer rtd, whose
// window is copied the same way with its colour legend on; with BUILDUP.bmp once more, in
// its build-up into the box after a step that pushes pieces sideways: of solution NUMBER,
// or of the first one after it whose plan has such a step. Exit code 0 when every picture
// was written.
// The programs are started and ended with the GUI tests' harness, without its probe.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "launch/placement_file.h"
#include "model/solution_table.h"
#include "rtd/viewer.h"
#include "shell/command_ids.h"
#include "tests/gui/harness.h"

// What the harness finds wrong is told on the error stream; the picture at hand then fails.
void recordFailure(const std::string& what, const char*, int)
{
    std::fprintf(stderr, "screenshot: %s\n", what.c_str());
}

namespace {

// Fixed client sizes, so that a renewed picture differs only where the program changed.
const int mainWidth = 1000, mainHeight = 660;
const int viewerWidth = 640, viewerHeight = 480;
// The build-up's caption names its step in full: "... eine Zelle nach rechts (in die Schachtel)".
const int buildUpWidth = 900;

bool shoot(HWND window, const std::string& path)
{
    Sleep(800);  // the last repaint
    Capture capture;
    if (!captureScreen(windowRectOnScreen(window), capture) || !writeBmp(path, capture)) {
        recordFailure("cannot write " + path, __FILE__, __LINE__);
        return false;
    }
    std::printf("screenshot: %s, %d x %d\n", path.c_str(), capture.width, capture.height);
    return true;
}

// Asks the program to close and ends it if it does not; the folder stays.
void finish(Program& program)
{
    if (program.window) closeProgram(program);
    endProgram(program);
}

bool mainWindowPicture(const std::string& folder, const std::string& number, const std::string& path)
{
    Program program;
    bool ok = launchProgram(program, "\"" + folder + "\\kubo_puzzle_select.exe\"", folder, mainWindowClass);
    if (ok) {
        placeWindow(program.window, mainWidth, mainHeight);
        // Typed as the keyboard would; without the probe the field's text tells when it is in.
        HWND field = control(program, idSolutionNumber);
        for (unsigned char c : number) PostMessageA(field, WM_CHAR, c, 1);
        const DWORD begin = GetTickCount();
        while (editText(field) != number && GetTickCount() - begin < 5000) Sleep(20);
        ok = editText(field) == number;
        if (!ok) recordFailure("the solution field shows \"" + editText(field) + "\"", __FILE__, __LINE__);
        ok = ok && shoot(program.window, path);
    }
    finish(program);
    return ok;
}

// rtd's keys as a user presses them, each handled before the next.
void press(HWND window, const char* keys)
{
    for (const char* k = keys; *k; k++) {
        PostMessageA(window, WM_KEYDOWN, WPARAM((unsigned char)*k), 1);
        PostMessageA(window, WM_KEYUP, WPARAM((unsigned char)*k), 1 | (1u << 30) | (1u << 31));
        Sleep(100);
    }
}

// Solution NUMBER through facetgen into bild.slp.
bool slpFile(const std::string& folder, const std::string& number)
{
    CurrentSolution solution = {};
    const std::string table = folder + "\\" + solutionTableName;
    loadSolution(solution, number.c_str(), table.c_str());
    const std::string text = placementFileText(solution, FlipOptions{0, 0, 0});
    closeSolutionTable(solution);
    if (text.empty()) {
        recordFailure("solution " + number + " is not in " + table, __FILE__, __LINE__);
        return false;
    }
    std::FILE* pos = std::fopen((folder + "\\bild.pos").c_str(), "w");
    if (!pos) return false;
    std::fputs(text.c_str(), pos);
    std::fclose(pos);

    const ConsoleRun converted = runConsole("\"" + folder + "\\facetgen.exe\" -L- bild.pos", folder, 30000);
    if (converted.exitCode != 0) {
        recordFailure("facetgen did not convert bild.pos: " + converted.err, __FILE__, __LINE__);
        return false;
    }
    return true;
}

// rtd on bild.slp with the arguments, the keys pressed, its window copied.
bool viewerPicture(const std::string& folder, const std::string& arguments, const char* keys, const std::string& path,
                   int width = viewerWidth)
{
    Program program;
    bool ok = launchProgram(program, "\"" + folder + "\\rtd.exe\" " + arguments + " bild.slp", folder, nullptr);
    if (ok) {
        placeWindow(program.window, width, viewerHeight);
        press(program.window, keys);
        ok = shoot(program.window, path);
    }
    finish(program);
    return ok;
}

// From solution number on, the first whose build-up into the box pushes pieces sideways,
// and its last such step; its bild.slp stays for the picture. False when none of the next
// fifty has one.
bool sidewaysStep(const std::string& folder, unsigned& number, int& step)
{
    for (unsigned n = number; n < number + 50; n++) {
        if (!slpFile(folder, std::to_string(n))) return false;
        const BuildUpPlan& plan = loadScene(folder + "\\bild.slp").plans.box;
        for (size_t k = plan.moves.size(); k-- > 0;) {
            const Vec3 shift = plan.moves[k].shift;
            if (shift.y == 0 && (shift.x != 0 || shift.z != 0)) {
                number = n;
                step = int(k) + 1;
                return true;
            }
        }
    }
    recordFailure("no build-up into the box with a sideways step", __FILE__, __LINE__);
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: kubo_screenshot FOLDER NUMBER MAIN.bmp [VIEWER.bmp [BUILDUP.bmp]]\n");
        return 2;
    }
    const std::string folder = argv[1], number = argv[2];
    bool ok = mainWindowPicture(folder, number, argv[3]);
    if (argc > 4) ok = slpFile(folder, number) && viewerPicture(folder, "", "F", argv[4]) && ok;
    // Into the box after a step that pushes pieces sideways, the legend on (F).
    if (argc > 5) {
        unsigned solution = unsigned(std::strtoul(number.c_str(), nullptr, 10));
        int step = 0;
        const bool found = sidewaysStep(folder, solution, step);
        if (found) std::printf("screenshot: the build-up into the box of solution %u after step %d\n", solution, step);
        ok = found && viewerPicture(folder, "--box --step " + std::to_string(step), "F", argv[5], buildUpWidth) && ok;
    }
    return ok ? 0 : 1;
}
