// check.cpp: the check run.
#include "solver/check.h"

#include <cstdio>

#include "console/console.h"
#include "solver/messages.h"
#include "solver/table_scan.h"

int runTableCheck(const std::string& path)
{
    const TableSource source = openTableOrSayWhy(path);
    if (!source.file) return 1;
    writeConsoleText(stdout, checkHeadingText(path));
    std::fflush(stdout);
    TableScan scan;
    if (!scanTable(source, path, nullptr, scan, nullptr)) return 1;
    printScanSummary(scan);
    if (verdictOf(scan) != TableVerdict::sound) return 1;
    writeConsoleText(stdout, soundVerdictText());
    return 0;
}
