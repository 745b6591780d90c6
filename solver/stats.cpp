// stats.cpp: the statistics run: the table read and checked as by -p, each sound record's
// plans counted into the tally, and the figures printed for a sound table only.
#include "solver/stats.h"

#include <algorithm>
#include <cstdio>

#include "console/console.h"
#include "model/solution_table.h"
#include "solver/assembly_tally.h"
#include "solver/messages.h"
#include "solver/progress_line.h"
#include "solver/table_scan.h"

int runAssemblyStats(const std::string& path, bool showProgress)
{
    const TableSource source = openTableOrSayWhy(path);
    if (!source.file) return 1;
    writeConsoleText(stdout, statsHeadingText(path));
    std::fflush(stdout);

    const AssemblyGridMasks box = boxAssemblyGrid();
    AssemblyTally tally = {};
    // The share of the table read so far, against the records its size promises.
    const uint64_t total = source.size / recordSize;
    ProgressLine progress = startProgressLine(showProgress && total > 0, ProgressKind::read);
    const auto drawProgress = [&](bool force) {
        const double share = double(std::min(tally.solutions, total)) / double(total ? total : 1);
        drawProgressLine(progress, share, tally.solutions, force);
    };
    TableScan scan;
    const bool read = scanTable(source, path, &progress, scan, [&](const SolutionRecord& record) {
        CellMask masks[pieceCount];
        recordPieceMasks(box, record, masks);
        tallyAssembly(box, masks, tally);
        drawProgress(false);
    });
    if (!read) return 1;
    drawProgress(true);
    finishProgressLine(progress);
    // Figures over a damaged or incomplete table would count what is not a solution, or
    // one twice, or give shares of a part.
    if (verdictOf(scan) != TableVerdict::sound) {
        printScanSummary(scan);
        return 1;
    }
    writeConsoleText(stdout, statsFiguresText(tally));
    return 0;
}
