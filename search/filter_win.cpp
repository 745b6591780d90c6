// filter_win.cpp: the filter fields, the rotations switch and the search button.
#include <cstring>

#include "search/search_state.h"
#include "shell/window_state.h"

HANDLE searchThread = nullptr;
int searchSuspendCount = 0;

// Field parsing, the filter menu and the search itself come with the filter search.
void onFilterFieldChanged(int, int) {}
void clearAllFilters() {}
void turnFilters(int) {}
void startSearch(HWND) {}

bool isSearchRunning()
{
    char caption[20] = "";
    GetWindowTextA(controlWindows[slotSearch], caption, sizeof caption);
    return std::strcmp(caption, "Suche ...") == 0;
}

// The focused field is where a left click into a picture puts its cell.
void onFilterFieldFocus(int piece, int criterion, bool gained)
{
    focusedRow = gained ? piece : -1;
    focusedColumn = gained ? criterion : -1;
    SetWindowTextA(hintLabel, gained ? "Bitte Koordinaten in der Form \"x,y,z\" angeben. Oder "
                                       "wählen Sie rechts im Raumbild eine Position aus."
                                     : "");
}

void toggleRotations()
{
    withRotations = withRotations ? 0 : 1;
    criteriaChanged = 1;
    syncFilterControls();
}
