// stats.cpp: the statistics run: the table read and checked as by -p, then the plans of its
// solutions counted on every core, and the figures printed for a sound table only.
#include "solver/stats.h"

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

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
    // The share of the table read so far, against the records its size promises.
    const uint64_t total = source.size / recordSize;
    ProgressLine progress = startProgressLine(showProgress && total > 0, ProgressKind::read);
    std::vector<CellMask> masks;
    masks.reserve(size_t(std::min<uint64_t>(total, completeTableRecords)) * pieceCount);
    uint64_t read = 0;
    TableScan scan;
    const bool readWhole = scanTable(source, path, &progress, scan, [&](const SolutionRecord& record) {
        masks.resize(masks.size() + pieceCount);
        recordPieceMasks(box, record, &masks[masks.size() - pieceCount]);
        read++;
        drawProgressLine(progress, double(std::min(read, total)) / double(total ? total : 1), read, false);
    });
    if (!readWhole) return 1;
    // Figures over a damaged or incomplete table would count what is not a solution, or
    // one twice, or give shares of a part.
    if (verdictOf(scan) != TableVerdict::sound) {
        finishProgressLine(progress);
        printScanSummary(scan);
        return 1;
    }
    restartProgressLine(progress, ProgressKind::planned);
    const uint64_t solutions = masks.size() / pieceCount;
    const AssemblyTally tally = tallyOnThreads(box, masks, std::thread::hardware_concurrency(), [&](uint32_t done) {
        drawProgressLine(progress, double(done) / double(solutions ? solutions : 1), done, false);
    });
    drawProgressLine(progress, 1, tally.solutions, true);
    finishProgressLine(progress);
    writeConsoleText(stdout, statsFiguresText(tally));
    return 0;
}
