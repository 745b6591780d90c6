// progress_line.h: the line that tells how far a long run has come ("30,1 % durchsucht,
// 12.345 Lösungen, 0:05 vergangen, noch etwa 0:12"), redrawn in place on a terminal at
// most four times a second, and never wider than the terminal, so that it never breaks
// onto a second line. The solve and the table statistics both show it.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "solver/messages.h"

struct ProgressLine {
    bool enabled;  // only on a terminal: a file or pipe gets no carriage returns
    ProgressKind kind;
    std::chrono::steady_clock::time_point start, lastDrawn;
    bool drawn;        // once drawn, a line waits its turn
    int shownColumns;  // of the line on the screen, 0 when none is
};

ProgressLine startProgressLine(bool enabled, ProgressKind kind);
// A second stage of the same run: the line goes on in place, its time counted anew.
void restartProgressLine(ProgressLine& line, ProgressKind kind);
// Skipped within 250 ms of the last line unless forced.
void drawProgressLine(ProgressLine& line, double share, uint64_t solutions, bool force);
// Takes the line off the screen, so that a line of text can be printed in its place; the
// next draw puts it back below.
void clearProgressLine(ProgressLine& line);
// Ends the line, so that what follows starts on a line of its own.
void finishProgressLine(const ProgressLine& line);

// The line that fits into a console of the given columns, less one (a line as wide as the
// console would move the cursor onto the next line, where the next redraw would start):
// its parts joined by ", ", and where they do not fit, without the time gone, then without
// the solutions, then without the time left; where not even the share done fits, as many
// of its words as do.
std::string fitProgressLine(const ProgressTexts& texts, int columns);
