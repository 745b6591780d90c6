// main.cpp: kubo_puzzle_erg, the console program that computes the solution table
// kubo_puzzle_erg.bin in the current folder, or checks an existing one (-p), or counts how
// its solutions go together (--stats).
#include <cstdio>
#include <thread>

#include "console/console.h"
#include "solver/check.h"
#include "solver/command_line.h"
#include "solver/messages.h"
#include "solver/solve.h"
#include "solver/standard_output.h"
#include "solver/stats.h"

int main(int argc, char** argv)
{
    switchConsoleTo1252();
    const unsigned cores = std::thread::hardware_concurrency();
    const int defaultThreads = cores == 0 ? 1 : int(cores > unsigned(maxThreads) ? maxThreads : cores);
    const Options options = parseCommandLine(argc, argv, defaultThreads);
    int exitCode = 0;
    switch (options.mode) {
    case RunMode::help:
        writeConsoleText(stdout, usageText(defaultThreads, maxThreads));
        break;
    case RunMode::invalid:
        writeConsoleText(stderr, invalidCallText(options.error, defaultThreads, maxThreads));
        exitCode = 1;
        break;
    case RunMode::check:
        exitCode = runTableCheck(options.checkPath);
        break;
    case RunMode::stats:
        exitCode = runAssemblyStats(options.checkPath, isTerminal(stdout));
        break;
    case RunMode::solve:
        exitCode = runSolve(options.threads);
        break;
    }
    if (standardOutputFailed()) exitCode = 1;
    // Started in a console of its own (as the viewer starts it), the program would take
    // its error message with it as the console closes.
    if (exitCode != 0 && consoleClosesWithProgram()) {
        writeConsoleText(stderr, pressKeyText());
        waitForKey(60);
    }
    restoreConsole();
    return exitCode;
}
