// progress_line.cpp: drawing the progress line in place.
#include "solver/progress_line.h"

#include <algorithm>
#include <cstdio>

#include "console/console.h"

using Clock = std::chrono::steady_clock;

ProgressLine startProgressLine(bool enabled, ProgressKind kind)
{
    const Clock::time_point now = Clock::now();
    return {enabled, kind, now, now, false, 0};
}

void restartProgressLine(ProgressLine& line, ProgressKind kind)
{
    line.kind = kind;
    line.start = Clock::now();
}

std::string fitProgressLine(const ProgressTexts& texts, int columns)
{
    const int room = columns - 1;
    const std::string* const choices[][4] = {
        {&texts.done, &texts.solutions, &texts.elapsed, &texts.remaining},
        {&texts.done, &texts.solutions, &texts.remaining, nullptr},
        {&texts.done, &texts.remaining, nullptr, nullptr},
    };
    for (const auto& parts : choices) {
        std::string line;
        for (const std::string* part : parts)
            if (part && !part->empty()) line += (line.empty() ? "" : ", ") + *part;
        if (textColumns(line) <= room) return line;
    }
    std::string line;
    for (size_t end = 0; end != std::string::npos;) {
        end = texts.done.find(' ', end + 1);
        const std::string words = texts.done.substr(0, end);
        if (textColumns(words) > room) break;
        line = words;
    }
    return line;
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
    // The console is asked every time: its window may have been made narrower meanwhile.
    const int width = consoleColumns(stdout);
    std::string line = fitProgressLine(progressTexts(progress.kind, share, solutions, elapsed, remaining), width);
    // Blanks over the rest of a longer line drawn before, as far as the console reaches.
    const int columns = textColumns(line);
    const int blanks = std::min(progress.shownColumns, width - 1) - columns;
    if (blanks > 0) line.append(size_t(blanks), ' ');
    progress.shownColumns = columns;
    std::printf("\r%s", line.c_str());
    std::fflush(stdout);
}

void clearProgressLine(ProgressLine& progress)
{
    if (!progress.enabled || !progress.shownColumns) return;
    // No further than the console reaches now, or the blanks would wrap onto a line of their own.
    const int blanks = std::min(progress.shownColumns, consoleColumns(stdout) - 1);
    std::printf("\r%s\r", std::string(size_t(std::max(blanks, 0)), ' ').c_str());
    progress.shownColumns = 0;
}

void finishProgressLine(const ProgressLine& progress)
{
    if (progress.enabled && progress.shownColumns) std::printf("\n");
}
