// launch_win.h: the programs the viewer starts: the solver and the 3-D viewer command.
// The solver's process handle is kept (in launch_win.cpp) only to ask later whether it
// ended; main thread only.
#pragma once

#include <windows.h>

#include "model/current_solution.h"
#include "model/placement.h"

// unconditional: 0 asks before replacing an existing table (menu), else asks nothing. The
// boxes belong to owner; the shown solution's table file is closed before the start.
// solverRunning is the caller's flag of startSolverWith (solver_launch.h).
void startSolver(int unconditional, HWND owner, CurrentSolution& solution, int& solverRunning);
// START: writes the shown solution's placement file and starts the command that the
// viewer command field holds on it.
void exportPlacement(const CurrentSolution& solution, FlipOptions flips, HWND viewerCommandField);
