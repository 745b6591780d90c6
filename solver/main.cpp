// main.cpp: kubo_puzzle_erg, the console program that computes the solution table
// kubo_puzzle_erg.bin in the current folder, or checks an existing one (-p).
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
#include "solver/search.h"
#include "solver/table_check.h"
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

// Detail lines of the check beyond this many are only counted: a table of one record
// repeated would otherwise print a line for each of its copies.
constexpr uint64_t maxFaultLines = 1000;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The progress line, redrawn in place on a terminal at most four times a second.
struct ProgressLine {
    bool enabled;
    Clock::time_point start;
    Clock::time_point lastDrawn;
    size_t drawnLength;

    void draw(const SearchStats& stats, bool force)
    {
        if (!enabled) return;
        const Clock::time_point now = Clock::now();
        if (!force && drawnLength && now - lastDrawn < std::chrono::milliseconds(250)) return;
        lastDrawn = now;
        const double share = stats.share;
        const double elapsed = secondsSince(start);
        std::string line = formatShare(share) + " durchsucht, " + formatCount(stats.solutions) +
                           " Lösungen, " + formatClock(elapsed) + " vergangen";
        if (share > 0.02 && share < 1) line += ", noch etwa " + formatClock(elapsed * (1 - share) / share);
        const size_t length = line.size();
        if (length < drawnLength) line.append(drawnLength - length, ' ');
        drawnLength = length;
        std::printf("\r%s", line.c_str());
        std::fflush(stdout);
    }

    void finish()
    {
        if (enabled && drawnLength) std::printf("\n");
    }
};

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
    ProgressLine progress = {standardOutputIsTerminal(), Clock::now(), Clock::now(), 0};
    const SearchOutcome outcome = runSearch(
        puzzle, plan, threads,
        [&](const std::vector<SolutionRecord>& records) { return appendRecords(writer, records); },
        [&](const SearchStats& stats) { progress.draw(stats, false); }, &stopRequested);
    const double elapsed = secondsSince(progress.start);
    if (outcome.end == SearchEnd::complete) progress.draw(outcome.stats, true);
    progress.finish();

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

int runCheck(const std::string& path)
{
    if (isFolder(path.c_str())) {
        std::fprintf(stderr, "Fehler: Die Lösungstabelle \"%s\" kann nicht gelesen werden: %s.\n",
                     path.c_str(), fileErrorText(EISDIR).c_str());
        return 1;
    }
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(stderr, "Fehler: Die Lösungstabelle \"%s\" kann nicht gelesen werden: %s.\n",
                     path.c_str(), fileErrorText(errno ? errno : EIO).c_str());
        return 1;
    }
    std::printf("Prüfe die Lösungstabelle %s\n", path.c_str());
    std::fflush(stdout);

    TableChecker checker = makeTableChecker();
    uint64_t faultLines = 0;
    std::vector<unsigned char> buffer(size_t(recordSize) * 4096);
    size_t held = 0;  // bytes in buffer not yet checked
    uint64_t bytes = 0;
    for (;;) {
        const size_t got = std::fread(&buffer[held], 1, buffer.size() - held, file);
        bytes += got;
        held += got;
        const size_t whole = held / recordSize * recordSize;
        for (size_t at = 0; at < whole; at += recordSize)
            for (const CheckFault& fault : checkNextRecord(checker, decodeRecord(&buffer[at])))
                if (++faultLines <= maxFaultLines) std::printf("%s\n", faultText(fault).c_str());
        std::copy(buffer.begin() + long(whole), buffer.begin() + long(held), buffer.begin());
        held -= whole;
        if (got == 0) break;
    }
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) {
        std::fprintf(stderr, "Fehler: Die Lösungstabelle \"%s\" konnte nicht ganz gelesen werden.\n",
                     path.c_str());
        return 1;
    }

    if (faultLines > maxFaultLines)
        std::printf("... und %s weitere Befunde, die hier nicht einzeln aufgeführt sind.\n",
                    formatCount(faultLines - maxFaultLines).c_str());
    std::printf("%s Datensätze (%s Bytes).\n", formatCount(checker.records).c_str(),
                formatCount(bytes).c_str());
    if (held)
        std::printf("Am Ende der Datei stehen %s Bytes eines unvollständigen Datensatzes.\n",
                    formatCount(held).c_str());
    const bool ok = !held && checker.faultyRecords == 0 && checker.variantPairs == 0 &&
                    checker.records > 0;
    if (ok) {
        std::printf("Ergebnis: in Ordnung. Jeder Datensatz füllt die Schachtel mit allen zwölf "
                    "Teilen,\nund keine zwei sind Varianten voneinander.\n");
        return 0;
    }
    std::string summary = "Ergebnis: fehlerhaft";
    if (checker.records == 0) summary += "; die Tabelle enthält keinen Datensatz";
    if (checker.faultyRecords)
        summary += "; " + formatCount(checker.faultyRecords) + " Datensätze sind keine Lösung";
    if (checker.variantPairs)
        summary += "; " + formatCount(checker.variantPairs) + " Paare sind Varianten voneinander";
    if (held) summary += "; am Ende steht ein unvollständiger Datensatz";
    std::printf("%s.\n", summary.c_str());
    return 1;
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
        exitCode = runCheck(options.checkPath);
        break;
    case RunMode::solve:
        exitCode = runSolve(options.threads);
        break;
    }
    if (standardOutputFailed()) exitCode = 1;
    restoreConsole();
    return exitCode;
}
