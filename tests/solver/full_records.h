// full_records.h: a few genuine records of the full puzzle for the tests, taken from the
// start of a real search (which finds them in a fraction of a second).
#pragma once

#include <cstddef>
#include <vector>

#include "model/placement.h"

std::vector<SolutionRecord> firstFullRecords(std::size_t count);

// The record that describes the same filling turned by variant (1..3 for b..d).
SolutionRecord turnedRecord(const SolutionRecord& record, int variant);
