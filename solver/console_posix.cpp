// console_posix.cpp: the console on Linux. Texts are UTF-8 as the terminal expects.
#include "solver/console.h"

#include <unistd.h>

#include <csignal>

std::atomic<bool> stopRequested(false);

void prepareConsole() {}
void restoreConsole() {}

bool standardOutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

static void onStopSignal(int) { stopRequested = true; }

void installStopHandler()
{
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}
