// check.cpp: the check run.
#include "solver/check.h"

#include <cstdio>

#include "solver/messages.h"
#include "solver/table_scan.h"

int runTableCheck(const std::string& path)
{
    const TableSource source = openTableOrSayWhy(path);
    if (!source.file) return 1;
    std::fputs(checkHeadingText(path).c_str(), stdout);
    std::fflush(stdout);
    TableScan scan;
    if (!scanTable(source, path, nullptr, scan, nullptr)) return 1;
    printScanSummary(scan);
    if (verdictOf(scan) != TableVerdict::sound) return 1;
    std::fputs(soundVerdictText().c_str(), stdout);
    return 0;
}
