// table_file.h: solution tables written by the tests, byte for byte as the solver writes
// them (portable: the native tests and the Windows GUI tests share it).
#pragma once

#include <string>
#include <vector>

#include "model/solution_table.h"

// The records as the table file holds them, one after the other.
std::string tableBytes(const std::vector<SolutionRecord>& records);

// Record n (1-based) of a made-up table: word w holds piece w + 1 and the low twelve bits
// of n, so that every record differs from its neighbours.
SolutionRecord numberedRecord(int n);
std::vector<SolutionRecord> numberedRecords(int count);

// Writes the records to path, followed by tail (say, the bytes of a torn last record).
bool writeTableFile(const std::string& path, const std::vector<SolutionRecord>& records,
                    const std::string& tail = "");
