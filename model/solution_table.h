// solution_table.h: the solution table file kubo_puzzle_erg.bin: headerless 24-byte
// records of twelve little-endian placement words, and the count of its records.
#pragma once

#include <cstdint>

#include "model/placement.h"
#include "model/solution_id.h"

constexpr const char* solutionTableName = "kubo_puzzle_erg.bin";

struct SolutionCount {
    bool ok;  // false when the table file does not exist
    uint32_t count;
};

// Number of whole records in the file, from its size alone (the file is not opened).
SolutionCount countSolutionsIn(const char* path);
SolutionCount countSolutions();

SolutionRecord decodeRecord(const unsigned char bytes[recordSize]);
void encodeRecord(const SolutionRecord& record, unsigned char bytes[recordSize]);
