// main.cpp: kubo_puzzle_erg, the console program that computes the solution table
// kubo_puzzle_erg.bin in the current folder, or checks an existing one (-p), or counts how
// its solutions go together (--stats).
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "model/solution_table.h"
#include "solver/command_line.h"
#include "solver/console.h"
#include "solver/progress_line.h"
#include "solver/search.h"
#include "solver/stats.h"
#include "solver/table_file.h"
#include "solver/texts.h"

namespace {

#ifdef _WIN32
const char folderSeparator = '\\';
#else
const char folderSeparator = '/';
#endif

using Clock = std::chrono::steady_clock;

// Standard output that cannot be written (a full disk behind a redirection) is reported
// once on the standard error stream, and the run ends with exit code 1.
bool outputFailureReported = false;

bool standardOutputFailed()
{
    errno = 0;
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (failed && !outputFailureReported) {
        std::fprintf(stderr, "Fehler: Die Standardausgabe kann nicht geschrieben werden: %s.\n",
                     fileErrorText(errno ? errno : EIO).c_str());
        outputFailureReported = true;
    }
    return failed;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int runSolve(int threads)
{
    const std::string where = currentFolder() + folderSeparator + solutionTableName;
    std::printf("Berechne alle Lösungen des kubo-Puzzles (12 Teile in der Schachtel 5 x 4 x 3,\n"
                "jede Lösung in einer ihrer vier Lagen a bis d) mit %d Thread%s und schreibe sie nach\n"
                "%s\n",
                threads, threads == 1 ? "" : "s", where.c_str());
    // Nobody would learn how the run went: better not to replace a table then.
    if (standardOutputFailed()) return 1;

    TableWriter writer = createTable(solutionTableName);
    if (writer.busy) {
        std::fprintf(stderr,
                     "Fehler: In die Lösungstabelle \"%s\" schreibt gerade ein anderes Programm "
                     "(läuft schon ein kubo_puzzle_erg in diesem Ordner?).\nDiese Berechnung wird "
                     "nicht gestartet; die Tabelle bleibt, wie sie ist.\n",
                     where.c_str());
        return 1;
    }
    if (!writer.file) {
        std::fprintf(stderr, "Fehler: Die Lösungstabelle \"%s\" kann nicht angelegt werden: %s.\n",
                     where.c_str(), fileErrorText(writer.error).c_str());
        return 1;
    }
    installStopHandler();

    const SolverPuzzle puzzle = fullPuzzle();
    const SearchPlan plan = planOnePerOrbit(puzzle);
    ProgressLine progress = startProgressLine(standardOutputIsTerminal());
    const SearchOutcome outcome = runSearch(
        puzzle, plan, threads,
        [&](const std::vector<SolutionRecord>& records) { return appendRecords(writer, records); },
        [&](const SearchStats& stats) { drawProgressLine(progress, "durchsucht", stats.share, stats.solutions, false); }, &stopRequested);
    const double elapsed = secondsSince(progress.start);
    if (outcome.end == SearchEnd::complete)
        drawProgressLine(progress, "durchsucht", outcome.stats.share, outcome.stats.solutions, true);
    finishProgressLine(progress);

    const bool closed = closeTable(writer);
    const std::string written = formatCount(writer.recordsWritten);
    if (outcome.end == SearchEnd::refused || !closed) {
        std::fprintf(stderr, "Fehler: In die Lösungstabelle \"%s\" kann nicht geschrieben werden: %s.\n",
                     where.c_str(), fileErrorText(writer.error).c_str());
        if (writer.recordsWritten)
            std::fprintf(stderr, "Sie enthält nur die ersten %s Lösungen und ist unvollständig.\n",
                         written.c_str());
        else
            std::fprintf(stderr, "Sie enthält keine Lösung.\n");
        return 1;
    }
    if (outcome.end == SearchEnd::cancelled) {
        std::fprintf(stderr,
                     "Abgebrochen. Die Lösungstabelle enthält die ersten %s Lösungen und ist "
                     "unvollständig.\n",
                     written.c_str());
        return 1;
    }
    const double perSecond = elapsed > 0 ? double(outcome.stats.nodes) / elapsed / 1e6 : 0;
    std::printf("Fertig: %s Lösungen in %s berechnet und geschrieben (%s Suchknoten, %s Mio. pro "
                "Sekunde).\n",
                written.c_str(), formatSeconds(elapsed).c_str(),
                formatCount(outcome.stats.nodes).c_str(), formatDecimal(perSecond).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    prepareConsole();
    const unsigned cores = std::thread::hardware_concurrency();
    const int defaultThreads = cores == 0 ? 1 : int(cores > unsigned(maxThreads) ? maxThreads : cores);
    const Options options = parseCommandLine(argc, argv, defaultThreads);
    int exitCode = 0;
    switch (options.mode) {
    case RunMode::help:
        std::printf("%s", usageText(defaultThreads).c_str());
        break;
    case RunMode::invalid:
        std::fprintf(stderr, "Fehler: %s\n\n%s", options.error.c_str(),
                     usageText(defaultThreads).c_str());
        exitCode = 1;
        break;
    case RunMode::check:
        exitCode = runTableCheck(options.checkPath);
        break;
    case RunMode::stats:
        exitCode = runAssemblyStats(options.checkPath, standardOutputIsTerminal());
        break;
    case RunMode::solve:
        exitCode = runSolve(options.threads);
        break;
    }
    if (standardOutputFailed()) exitCode = 1;
    restoreConsole();
    return exitCode;
}
