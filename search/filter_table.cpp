// filter_table.cpp: storage of the filter criteria.
#include "search/filter_table.h"

FilterCriterion FilterTable[12][3] = {};
