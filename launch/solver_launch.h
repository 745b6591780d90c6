// solver_launch.h: starting the solver kubo_puzzle_erg. The order of the question, the two
// warnings of the check loop, closing the table and the start itself is decided here; the
// platform (file test, message boxes, the process) comes in through plain function
// pointers, so the whole sequence runs natively in tests with a scripted user.
#pragma once

#include <cstdint>

// The command line of the solver: no path, so the system looks for it as for any command.
constexpr const char solverCommandLine[] = "kubo_puzzle_erg";

// What a process's exit code reads while it still runs.
constexpr uint32_t stillActiveExitCode = 259;

// The message boxes of a solver start.
enum class SolverNotice {
    askReplaceTable,      // the table exists: really compute it anew? (OK / Cancel)
    filterSearchRunning,  // first check of the loop (Retry / Cancel)
    solverStillRunning,   // second check of the loop (Retry / Cancel)
    started,              // the solver runs now (OK)
    startFailed,          // the solver could not be started (OK)
};

enum class SolverAnswer { ok, cancel, retry };

// The filter search keeps the solver from starting while its thread has not yet reported
// itself idle, or while it holds the table open.
bool filterSearchBlocks(int32_t idleAnnounced, int32_t searchFileOpen);

// From GetExitCodeProcess: the solver has ended only when the call succeeded and the code
// is not the still-active value; a failed call counts as still running.
bool solverHasEnded(bool exitCodeKnown, uint32_t exitCode);

struct SolverLaunchPlatform {
    void* context;
    bool (*tableReadable)(void* context);     // the table passes the read-access test
    bool (*filterSearchBusy)(void* context);  // see filterSearchBlocks
    bool (*solverHasEnded)(void* context);    // asks about the last started solver
    SolverAnswer (*show)(void* context, SolverNotice notice);
    void (*closeTable)(void* context);        // closes the current solution's table file
    bool (*createSolver)(void* context);      // starts solverCommandLine; true on success
    // Lets go of the handles of the last started solver once it is found to have ended, so
    // that a later start does not leave them behind.
    void (*releaseSolver)(void* context);
};

// The menu's asking form (unconditional 0) and start-up's form without the question.
// solverRunning is 0 or 1: set by a successful start, cleared only here when the last
// solver is found to have ended, which also releases it. So a start never replaces a
// solver that is still held: the platform holds at most one.
void startSolverWith(int unconditional, int& solverRunning, const SolverLaunchPlatform& platform);
