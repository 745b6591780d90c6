// table_scan.h: reading a whole solution table, for the check (-p) and the statistics
// (--stats). Both open it the same way, check every record as it comes and report a missing
// or damaged table with the same texts; --stats gives its figures only for a table that -p
// accepts. Neither writes anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "model/placement.h"
#include "solver/table_check.h"

// Opens the table, or says why it cannot be read (and gives null).
std::FILE* openTableToRead(const std::string& path);

struct TableScan {
    TableChecker checker;
    uint64_t faultLines;
    uint64_t bytes;
    size_t tail;  // bytes of an incomplete record at the end
};

// Reads and checks every record of file, which it closes, prints the faults found (a
// thousand at most) and hands each record without a fault to sound. False, after the
// message, when reading failed.
bool scanTable(std::FILE* file, const std::string& path, TableScan& scan,
               const std::function<void(const SolutionRecord&)>& sound);

bool tableIsSound(const TableScan& scan);

// What -p says about the table as a whole; the verdict line only for a table at fault.
void printScanSummary(const TableScan& scan);
