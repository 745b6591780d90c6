// table_scan.h: reading a whole solution table, for the check (-p) and the statistics
// (--stats). Both open it the same way, check every record as it comes and report a
// missing, damaged or incomplete table with the same texts; --stats gives its figures only
// for a table that -p accepts. Neither writes anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "model/placement.h"
#include "solver/progress_line.h"
#include "solver/table_check.h"

// The records of a complete table: one for each filling of the box up to the box's half
// turns, as the solve finds them.
constexpr uint64_t completeTableRecords = 409963;

// A table open for reading, and its size when it was opened.
struct TableSource {
    std::FILE* file;
    uint64_t size;
};

// Opens the table, or says why it cannot be read and gives a null file: it is missing, a
// folder or no regular file, or a solver is still writing it.
TableSource openTableOrSayWhy(const std::string& path);

struct TableScan {
    TableChecker checker;
    uint64_t faultLines;
    uint64_t bytes;
    size_t tail;  // bytes of an incomplete record at the end
};

// Reads and checks every record of the table, which it closes, prints the faults found (a
// thousand at most; progress, when given, is cleared for each) and hands each record
// without a fault to sound. False, after the message, when reading failed or the file
// changed its size meanwhile.
bool scanTable(TableSource source, const std::string& path, ProgressLine* progress, TableScan& scan,
               const std::function<void(const SolutionRecord&)>& sound);

// sound: every record of a complete table fills the box, none twice; incomplete: what
// there is is sound, but records are missing; faulty: anything else.
enum class TableVerdict { sound, incomplete, faulty };
TableVerdict verdictOf(const TableScan& scan);

// What -p says about the table as a whole; the verdict line only for a table that is not
// sound.
void printScanSummary(const TableScan& scan);
