// solver_launch.cpp: the sequence of a solver start.
#include "launch/solver_launch.h"

bool filterSearchBlocks(int32_t idleAnnounced, int32_t searchFileOpen)
{
    return idleAnnounced == 0 || searchFileOpen != 0;
}

bool solverHasEnded(bool exitCodeKnown, uint32_t exitCode)
{
    return exitCodeKnown && exitCode != stillActiveExitCode;
}

// One pass of the check loop. Returns false when the user gave up, true when the pass
// showed no warning; retry says that a warning was answered with Retry and the loop must
// begin again from the first check.
static bool checkPass(int& solverRunning, const SolverLaunchPlatform& p, bool& retry)
{
    retry = false;
    if (p.filterSearchBusy(p.context)) {
        if (p.show(p.context, SolverNotice::filterSearchRunning) != SolverAnswer::retry) return false;
        retry = true;
    }
    if (solverRunning) {
        if (p.solverHasEnded(p.context)) {
            p.releaseSolver(p.context);
            solverRunning = 0;
        }
        if (solverRunning) {
            if (p.show(p.context, SolverNotice::solverStillRunning) != SolverAnswer::retry) return false;
            retry = true;
        }
    }
    return true;
}

void startSolverWith(int unconditional, int& solverRunning, const SolverLaunchPlatform& p)
{
    if (!unconditional && p.tableReadable(p.context) &&
        p.show(p.context, SolverNotice::askReplaceTable) != SolverAnswer::ok)
        return;
    for (bool retry = true; retry;)
        if (!checkPass(solverRunning, p, retry)) return;
    // The solver rewrites the table; the next load opens the new file.
    p.closeTable(p.context);
    if (p.createSolver(p.context)) {
        solverRunning = 1;
        p.show(p.context, SolverNotice::started);
    } else {
        p.show(p.context, SolverNotice::startFailed);
    }
}
