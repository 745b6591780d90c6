// filter_table.cpp: storage of the filter criteria and of the search control values that
// both threads share, and the window thread's way of changing a criterion.
#include "search/filter_table.h"

#include "search/search_control.h"

FilterCriteria FilterTable = {};

std::atomic<int32_t> withRotations{0};
std::atomic<int32_t> criteriaChanged{0};
std::atomic<int32_t> searchRunning{0};
std::atomic<int32_t> searchIdle{0};
std::atomic<int32_t> searchIdleAnnounced{1};
std::atomic<int32_t> searchRestartRequested{0};
std::atomic<int32_t> searchFileOpen{0};

void resetCriteria()
{
    for (auto& piece : FilterTable)
        for (FilterCriterion& criterion : piece) writeCriterion(criterion, {false, {0, 0, 0}});
}

const char* noteCriteriaChanged()
{
    criteriaChanged = 1;
    return searchRunning.load() ? nullptr : captionChanged;
}

const char* setCriterion(int piece, int criterion, Criterion value)
{
    if (piece < 0 || piece >= pieceCount || criterion < 0 || criterion >= criteriaPerPiece) return nullptr;
    writeCriterion(FilterTable[piece][criterion], value);
    return noteCriteriaChanged();
}

void toggleRotations()
{
    withRotations = withRotations ? 0 : 1;
    criteriaChanged = 1;
}
