// launch_state.h: the programs the viewer starts: the solver and the 3-D viewer command.
#pragma once

// unconditional: 0 asks before replacing an existing table (menu), else asks nothing.
void startSolver(int unconditional);
// START: writes the shown solution's placement file and starts the viewer command on it.
void exportPlacement();
