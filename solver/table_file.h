// table_file.h: writing the solution table. Records go to the file in whole multiples
// of 24 bytes through an unbuffered stream, so every write reaches the system at once
// and a reader that meanwhile takes the file's size sees only whole records. When a
// write fails, the file is cut back to the records known to be complete.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "model/placement.h"

struct TableWriter {
    std::FILE* file;
    uint64_t recordsWritten;
    int error;  // errno of the first failure, 0 while all is well
    bool busy;  // another solver writes the table; it was left alone
};

// Creates or empties the table, which this process then writes alone until it ends. On
// failure file is null and either busy is set or error says why.
TableWriter createTable(const char* path);

bool appendRecords(TableWriter& writer, const std::vector<SolutionRecord>& records);

// Closes the file; false when the last bytes could not be written.
bool closeTable(TableWriter& writer);

// True when path names an existing folder.
bool isFolder(const char* path);
