// filter_table.cpp: storage of the filter criteria and of the search control values that
// both threads share.
#include "search/filter_table.h"
#include "search/search_control.h"

FilterCriterion FilterTable[12][3] = {};

std::atomic<int32_t> withRotations{0};
std::atomic<int32_t> criteriaChanged{0};
std::atomic<int32_t> searchIdle{0};
std::atomic<int32_t> searchIdleAnnounced{1};
std::atomic<int32_t> searchRestartRequested{0};
std::atomic<int32_t> searchFileOpen{0};
