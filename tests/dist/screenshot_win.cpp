// screenshot_win.cpp: takes the README's pictures from the real programs.
//   kubo_screenshot.exe FOLDER NUMBER MAIN.bmp [VIEWER.bmp [BUILDUP.bmp]]
// FOLDER holds the programs, their data files and a solution table. The viewer is started
// there, NUMBER is typed into its solution field and its window is copied from the screen.
// With VIEWER.bmp, solution NUMBER also goes through facetgen into the 3-D viewer rtd, whose
// window is copied the same way with its colour legend on; with BUILDUP.bmp once more,
// halfway through its build-up into the box. Exit code 0 when every picture was written.
#include <windows.h>

#include <cstdio>
#include <string>

#include "launch/placement_file.h"
#include "model/solution_table.h"
#include "shell/command_ids.h"
#include "tests/gui/screen_capture.h"
#include "tests/support/window_support.h"

namespace {

const char mainClass[] = "tamrik's kubo-Puzzle-select";
// Fixed client sizes, so that a renewed picture differs only where the program changed.
const int mainWidth = 1000, mainHeight = 660;
const int viewerWidth = 640, viewerHeight = 480;

bool start(const std::string& commandLine, const std::string& folder, PROCESS_INFORMATION& process)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                       &process))
        return true;
    std::fprintf(stderr, "screenshot: cannot start %s\n", commandLine.c_str());
    return false;
}

void finish(PROCESS_INFORMATION& process, HWND window)
{
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

// Puts the window at the screen's corner with the given client size.
void place(HWND window, int width, int height)
{
    RECT outer = {}, inner = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    SetWindowPos(window, HWND_TOP, 0, 0, width + (outer.right - outer.left) - inner.right,
                 height + (outer.bottom - outer.top) - inner.bottom, SWP_SHOWWINDOW);
}

std::string editText(HWND edit)
{
    char text[64] = "";
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

bool shoot(HWND window, const std::string& path)
{
    Sleep(800);  // the last repaint
    Capture capture;
    if (!captureScreen(windowRectOnScreen(window), capture) || !writeBmp(path, capture)) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("screenshot: %s, %d x %d\n", path.c_str(), capture.width, capture.height);
    return true;
}

bool mainWindowPicture(const std::string& folder, const std::string& number, const std::string& path)
{
    PROCESS_INFORMATION process = {};
    if (!start("\"" + folder + "\\kubo_puzzle_select.exe\"", folder, process)) return false;
    HWND window = waitForWindow(process.dwProcessId, mainClass, 30000);
    bool ok = window != nullptr;
    if (ok) {
        place(window, mainWidth, mainHeight);
        HWND field = GetDlgItem(window, idSolutionNumber);
        for (unsigned char c : number) PostMessageA(field, WM_CHAR, c, 1);
        const DWORD begin = GetTickCount();
        while (editText(field) != number && GetTickCount() - begin < 5000) Sleep(20);
        ok = editText(field) == number;
        if (!ok) std::fprintf(stderr, "screenshot: the solution field shows \"%s\"\n", editText(field).c_str());
        ok = ok && shoot(window, path);
    } else {
        std::fprintf(stderr, "screenshot: no main window appeared\n");
    }
    finish(process, window);
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

bool slpFile(const std::string& folder, const std::string& number)
{
    CurrentSolution solution = {};
    const std::string table = folder + "\\" + solutionTableName;
    loadSolution(solution, number.c_str(), table.c_str());
    const std::string text = placementFileText(solution, FlipOptions{0, 0, 0});
    closeSolutionTable(solution);
    if (text.empty()) {
        std::fprintf(stderr, "screenshot: solution %s is not in %s\n", number.c_str(), table.c_str());
        return false;
    }
    std::FILE* pos = std::fopen((folder + "\\bild.pos").c_str(), "w");
    if (!pos) return false;
    std::fputs(text.c_str(), pos);
    std::fclose(pos);

    PROCESS_INFORMATION process = {};
    if (!start("\"" + folder + "\\facetgen.exe\" -L- bild.pos", folder, process)) return false;
    finish(process, nullptr);
    return true;
}

// rtd on bild.slp with the arguments, the keys pressed, its window copied.
bool viewerPicture(const std::string& folder, const std::string& arguments, const char* keys, const std::string& path)
{
    PROCESS_INFORMATION process = {};
    if (!start("\"" + folder + "\\rtd.exe\" " + arguments + " bild.slp", folder, process)) return false;
    HWND window = waitForWindow(process.dwProcessId, nullptr, 30000);
    bool ok = window != nullptr;
    if (ok) {
        place(window, viewerWidth, viewerHeight);
        press(window, keys);
        ok = shoot(window, path);
    } else {
        std::fprintf(stderr, "screenshot: no window of rtd appeared\n");
    }
    finish(process, window);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: kubo_screenshot FOLDER NUMBER MAIN.bmp [VIEWER.bmp]\n");
        return 2;
    }
    const std::string folder = argv[1], number = argv[2];
    bool ok = mainWindowPicture(folder, number, argv[3]);
    if (argc > 4) ok = slpFile(folder, number) && viewerPicture(folder, "", "F", argv[4]) && ok;
    // Into the box (M) after seven of its twelve steps, the legend on (F).
    if (argc > 5) ok = viewerPicture(folder, "--step 7", "MF", argv[5]) && ok;
    return ok ? 0 : 1;
}
