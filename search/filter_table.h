// filter_table.h: the criteria behind the 36 filter fields: for each piece up to three
// cells that it must cover. Written by the window thread, read by the search thread field
// by field, so every field is a 32-bit atomic.
#pragma once

#include <atomic>
#include <cstdint>

struct FilterCriterion {
    std::atomic<int32_t> x, y, z;
    std::atomic<int32_t> active;  // 1: the piece must cover (x, y, z); 0: slot not in use
};

extern FilterCriterion FilterTable[12][3];
