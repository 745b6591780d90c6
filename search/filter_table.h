// filter_table.h: the criteria behind the 36 filter fields: for each piece up to three
// cells that it must cover. Written by the window thread, read whole by the search thread.
#pragma once

#include <cstdint>

struct FilterCriterion {
    int32_t x, y, z;
    int32_t active;  // 1: the piece must cover (x, y, z); 0: slot not in use
};

extern FilterCriterion FilterTable[12][3];
