// launch_harness.h: helpers for scenarios in which the program starts other programs: a
// working folder that holds its own copy of the program with a stand-in solver beside it
// (the system looks for the solver in the program's folder first), the stand-ins' logs,
// what a message box shows besides its text, and under Wine the host's shell for what a
// Windows program cannot make (a full disk, a FIFO).
#pragma once

#include <string>
#include <vector>

#include "tests/gui/harness.h"
#include "tests/gui/stand_in_table.h"

// Copies the program (and, when asked, the stand-in solver as kubo_puzzle_erg.exe) into
// workFolder and starts it there, so that its solver is the stand-in.
bool startProgramBeside(Program& program, const std::string& workFolder, bool withStandInSolver);
// The usual case: the program with the stand-in solver.
bool startProgramWithStandInSolver(Program& program, const std::string& workFolder);

void writeTextFile(const std::string& path, const std::string& text);
std::vector<std::string> readLines(const std::string& path);
// Waits until the file holds at least count lines; returns the lines it has then.
std::vector<std::string> waitForLines(const std::string& path, size_t count, int timeoutMs);

struct BoxFacts {
    std::string caption, text;
    std::string buttons;  // the ids of the buttons present, in order: "1 2", "4 2", "1"
    int defaultButton;    // id of the button with BS_DEFPUSHBUTTON, 0 if none
    std::string icon;     // "information", "question", "warning", "error", "none", "other"
    bool topmost;         // MB_SYSTEMMODAL shows as WS_EX_TOPMOST
    bool owned;           // the box has an owner window
};
BoxFacts boxFacts(HWND box);

// Waits for a box, reads it and answers it with buttonId (0: leave it open).
BoxFacts takeBox(Program& program, int buttonId, HWND* box = nullptr, int timeoutMs = 10000);
// True when no box of the program appears within ms.
bool noBoxFor(const Program& program, int ms);

// The processes that the program started (solvers, viewers) and that still run.
int runningChildren(const Program& program);
// Waits until none of them runs any more.
bool waitForChildrenEnd(const Program& program, int timeoutMs);
// Ends those that still run, so that a scenario leaves nothing behind.
void endChildren(const Program& program);

// Under Wine, the host system's path of a Windows path; empty on Windows, where the cases
// that need the host are left out.
std::string hostPathOf(const std::string& path);
// Runs a script in the host's shell (Wine starts host programs like its own) and waits
// for it; true when it ended with exit code 0. Its exit code passes through a file in
// folder.
bool runHostShell(const std::string& script, const std::string& folder);
