// launch_state.h: the programs the viewer starts: the solver and the 3-D viewer command.
// solverProcess and solverRunning are written by startSolver alone (main thread) and live
// as long as the program; the solver's handles are kept to ask later whether it ended.
#pragma once

#include <windows.h>

extern PROCESS_INFORMATION solverProcess;
extern int solverRunning;

// unconditional: 0 asks before replacing an existing table (menu), else asks nothing.
void startSolver(int unconditional);
// START: writes the shown solution's placement file and starts the viewer command on it.
void exportPlacement();
