// filter_win.cpp: the filter fields, the rotations switch and the search button.
#include "search/search_state.h"
#include "shell/window_state.h"

HANDLE searchThread = nullptr;
int searchSuspendCount = 0;

// Field parsing, the filter menu and the search itself come with the filter search.
void onFilterFieldFocus(int, int, bool) {}
void onFilterFieldChanged(int, int) {}
void clearAllFilters() {}
void turnFilters(int) {}
void startSearch(HWND) {}

void toggleRotations()
{
    withRotations = withRotations ? 0 : 1;
    criteriaChanged = 1;
    syncFilterControls();
}
