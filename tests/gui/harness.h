// harness.h: drives the real kubo_puzzle_select.exe from outside, as a user would: starts it
// in a fresh working folder, finds its windows, types, clicks, reads texts and pixels, and
// answers its message boxes. Scenarios register themselves and report what differed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "shell/window_names.h"
#include "tests/gui/screen_capture.h"
#include "tests/support/window_support.h"

// ---- checks -------------------------------------------------------------------------------

void recordFailure(const std::string& what, const char* file, int line);

template <typename A, typename B>
void checkEqual(const A& actual, const B& expected, const char* actualText, const char* file, int line)
{
    if (actual == expected) return;
    std::ostringstream s;
    s << actualText << ": got [" << actual << "], expected [" << expected << "]";
    recordFailure(s.str(), file, line);
}

#define CHECK(cond) \
    ((cond) ? (void)0 : recordFailure(std::string("not true: ") + #cond, __FILE__, __LINE__))
#define CHECK_EQ(actual, expected) checkEqual((actual), (expected), #actual, __FILE__, __LINE__)
// Ends the scenario when a precondition for the rest fails.
#define REQUIRE(cond)                                                            \
    do {                                                                         \
        if (!(cond)) {                                                           \
            recordFailure(std::string("required: ") + #cond, __FILE__, __LINE__); \
            return;                                                              \
        }                                                                        \
    } while (0)

// ---- scenarios ----------------------------------------------------------------------------

using ScenarioFunction = void (*)();
struct ScenarioRegistration {
    ScenarioRegistration(const char* name, ScenarioFunction run);
};
#define SCENARIO(name)                                           \
    static void scenario_##name();                               \
    static ScenarioRegistration registration_##name(#name, scenario_##name); \
    static void scenario_##name()

// ---- the program under test ---------------------------------------------------------------

extern std::string runFolder;  // holds the programs and their data files

// The folder of the driver, where the probe and the stand-ins are built.
std::string testProgramFolder();

struct Program {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    std::string workFolder;
    HANDLE probePipe = INVALID_HANDLE_VALUE;
    long markerNumber = 0;
};

// A new empty folder for one scenario's run, removed again by endProgram.
std::string makeWorkFolder(const char* tag);

// Writes count records (each word: piece number in the top nibble, low bits from the
// record number) as kubo_puzzle_erg.bin into folder.
void writeTable(const std::string& folder, int count, int extraBytes = 0);

// Starts the program of runFolder in workFolder, waits for its main window and loads the
// probe; endProgram removes workFolder.
bool startProgram(Program& program, const std::string& workFolder);
// The same with the copy of the program that lies in programFolder.
bool startProgramFrom(Program& program, const std::string& programFolder, const std::string& workFolder);
// Posts WM_CLOSE and waits; returns the exit code, or -1 when it did not end in time.
long closeProgram(Program& program);
// Ends the program if still running and removes the working folder that it was started in
// by startProgram or startProgramWith (launchProgram leaves it).
void endProgram(Program& program);

// One request to the probe inside the program (see probe_protocol.h).
std::string probe(Program& program, const std::string& request);
std::string windowHex(HWND window);
// Waits until everything posted to the program so far has been handled.
bool settle(Program& program);

// ---- windows, texts, input ----------------------------------------------------------------

HWND control(const Program& program, int id);
// Posts the menu or accelerator command id to the program's window, as a menu choice does.
void command(Program& program, int id);
std::string windowText(HWND window);  // buttons, statics, top-level windows
std::string editText(HWND edit);      // edit controls of another process need WM_GETTEXT
std::string className(HWND window);
RECT clientRectIn(HWND child, HWND parent);  // a child's rectangle in parent client coords
SIZE clientSize(HWND window);
// Resizes the top-level window so that its client area has the given size.
bool setClientSize(Program& program, int width, int height);
// Shows the top-level window on top at the screen's corner with the given client size
// (nothing waits for the program to take it).
void placeWindow(HWND window, int width, int height);

// Types each character as WM_CHAR at the caret, as the keyboard would.
void typeChars(Program& program, HWND edit, const std::string& text);
void clickAt(Program& program, int x, int y, bool right = false);

// A message box of the program's process, or null after timeoutMs.
HWND findMessageBox(const Program& program, int timeoutMs);
std::string messageBoxText(HWND box);
bool answerMessageBox(HWND box, int buttonId);
bool waitUntilGone(HWND window, int timeoutMs);

// Reads one pixel of the screen, or of a window's client area (polls past stale reads).
// The window must not be covered.
COLORREF screenPixelAt(int x, int y);
COLORREF pixelAt(HWND window, int x, int y);

// ---- console programs ---------------------------------------------------------------------

struct ConsoleRun {
    long exitCode;  // -1 when it did not end in time
    std::string out, err;
};

// Starts a console program in a console of its own, its output and error streams going to
// the inheritable handles given, without waiting for it.
bool startConsoleProgram(const std::string& commandLine, const std::string& folder, HANDLE out, HANDLE err,
                         PROCESS_INFORMATION& process);

// Runs a console program in a console of its own with its output streams captured.
ConsoleRun runConsole(const std::string& commandLine, const std::string& folder, int timeoutMs = 20000);

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
bool copyFile(const std::string& from, const std::string& to);
// True while another process holds the file open: then it cannot be opened exclusively.
bool heldOpenElsewhere(const std::string& path);

// ---- screen captures ----------------------------------------------------------------------

// Captures the client area once two captures in a row agree (reads right after a repaint
// can be stale). The window must not be covered.
Capture captureClient(HWND window);
// Writes the whole screen as a 24-bit BMP file, for looking at a scenario by eye.
bool saveScreenBmp(const std::string& path);

// ---- other windowed programs ----------------------------------------------------------------

// Starts commandLine in workFolder, waits for its visible top-level window of windowClass
// and loads the probe into it; endProgram removes workFolder.
bool startProgramWith(Program& program, const std::string& commandLine, const std::string& workFolder,
                      const char* windowClass);
// Starts commandLine in workFolder and waits for its visible top-level window of
// windowClass (any but a message box when null), without the probe; workFolder stays the
// caller's. For programs that are only looked at, and for the release tools.
bool launchProgram(Program& program, const std::string& commandLine, const std::string& workFolder,
                   const char* windowClass);
