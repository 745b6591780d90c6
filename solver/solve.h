// solve.h: the solve run: computes every solution and writes the solution table
// kubo_puzzle_erg.bin into the current folder.
#pragma once

// Returns the program's exit code.
int runSolve(int threads);
