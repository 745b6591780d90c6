// progress_line.cpp: drawing the progress line in place.
#include "solver/progress_line.h"

#include <cstdio>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

ProgressLine startProgressLine(bool enabled, ProgressKind kind)
{
    const Clock::time_point now = Clock::now();
    return {enabled, kind, now, now, false, 0};
}

void drawProgressLine(ProgressLine& progress, double share, uint64_t solutions, bool force)
{
    if (!progress.enabled) return;
    const Clock::time_point now = Clock::now();
    if (!force && progress.drawn && now - progress.lastDrawn < std::chrono::milliseconds(250)) return;
    progress.lastDrawn = now;
    progress.drawn = true;
    const double elapsed = std::chrono::duration<double>(now - progress.start).count();
    const double remaining = share > 0.02 && share < 1 ? elapsed * (1 - share) / share : -1;
    std::string line;
    for (const std::string& part : progressLineParts(progress.kind, share, solutions, elapsed, remaining))
        line += (line.empty() ? "" : ", ") + part;
    // Blanks over the rest of a longer line drawn before.
    const size_t length = line.size();
    if (length < progress.shownLength) line.append(progress.shownLength - length, ' ');
    progress.shownLength = length;
    std::printf("\r%s", line.c_str());
    std::fflush(stdout);
}

void clearProgressLine(ProgressLine& progress)
{
    if (!progress.enabled || !progress.shownLength) return;
    std::printf("\r%s\r", std::string(progress.shownLength, ' ').c_str());
    progress.shownLength = 0;
}

void finishProgressLine(const ProgressLine& progress)
{
    if (progress.enabled && progress.shownLength) std::printf("\n");
}
