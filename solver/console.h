// console.h: the little the program needs from its console: German text in the right
// code page, whether a person watches (so the progress line may be redrawn in place),
// and a request to stop (Ctrl+C) that the search can poll.
#pragma once

#include <atomic>

// Sets the console up for the program's texts; restoreConsole undoes it.
void prepareConsole();
void restoreConsole();

bool standardOutputIsTerminal();

// Set from the interrupt handler; installStopHandler routes Ctrl+C and termination to it.
extern std::atomic<bool> stopRequested;
void installStopHandler();
