// solve.cpp: the solve run: the table taken as its only writer, the search run on the
// worker threads with its records appended as they come, and the outcome reported.
#include "solver/solve.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "console/console.h"
#include "model/solution_table.h"
#include "solver/messages.h"
#include "solver/platform.h"
#include "solver/progress_line.h"
#include "solver/search.h"
#include "solver/standard_output.h"
#include "solver/table_file.h"

int runSolve(int threads)
{
    const std::string where = currentFolder() + folderSeparator + solutionTableName;
    writeConsoleText(stdout, solveHeadingText(threads, where));
    // Nobody would learn how the run went: better not to replace a table then.
    if (standardOutputFailed()) return 1;

    TableWriter writer = createTable(solutionTableName);
    if (writer.busy) {
        writeConsoleText(stderr, tableBusyText(where));
        return 1;
    }
    if (!writer.file) {
        writeConsoleText(stderr, tableNotCreatedText(where, writer.error));
        return 1;
    }
    installStopHandler();

    const SolverPuzzle puzzle = fullPuzzle();
    const SearchPlan plan = planOnePerOrbit(puzzle);
    ProgressLine progress = startProgressLine(isTerminal(stdout), ProgressKind::searched);
    const SearchOutcome outcome = runSearch(
        puzzle, plan, threads,
        [&](const std::vector<SolutionRecord>& records) { return appendRecords(writer, records); },
        [&](const SearchStats& stats) { drawProgressLine(progress, stats.share, stats.solutions, false); },
        &stopRequested);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - progress.start).count();
    if (outcome.end == SearchEnd::complete)
        drawProgressLine(progress, outcome.stats.share, outcome.stats.solutions, true);
    finishProgressLine(progress);

    const bool closed = closeTable(writer);
    if (outcome.end == SearchEnd::refused || !closed) {
        writeConsoleText(stderr, tableNotWrittenText(where, writer.error, writer.recordsWritten));
        return 1;
    }
    if (outcome.end == SearchEnd::cancelled) {
        writeConsoleText(stderr, solveCancelledText(writer.recordsWritten));
        return 1;
    }
    writeConsoleText(stdout, solveFinishedText(writer.recordsWritten, elapsed, outcome.stats.nodes));
    return 0;
}
