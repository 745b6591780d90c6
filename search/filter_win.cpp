// filter_win.cpp: the filter fields, the filter menu's clearing and turning, the rotations
// switch, and the search button's caption.
#include <cstring>

#include "search/filter_text.h"
#include "search/search_state.h"
#include "search/search_thread.h"
#include "shell/window_state.h"

bool isSearchRunning()
{
    char caption[20] = "";
    GetWindowTextA(controlWindows[slotSearch], caption, sizeof caption);
    return std::strcmp(caption, captionSearching) == 0;
}

// The criteria changed since the last pass began: the button says so, unless a pass runs
// (which picks the change up for the records after it).
static void noteCriteriaChanged()
{
    criteriaChanged = 1;
    if (!isSearchRunning()) SetWindowTextA(controlWindows[slotSearch], captionChanged);
}

// The focused field is where a left click into a picture puts its cell.
void onFilterFieldFocus(int piece, int criterion, bool gained)
{
    focusedRow = gained ? piece : -1;
    focusedColumn = gained ? criterion : -1;
    SetWindowTextA(hintLabel, gained ? hintFocus : "");
}

void onFilterFieldChanged(int piece, int criterion)
{
    char text[filterFieldReadLimit + 1] = "";
    GetWindowTextA(controlWindows[3 * piece + criterion], text, sizeof text);
    const FilterFieldMeaning meaning = parseFilterField(text);
    FilterCriterion& c = FilterTable[piece][criterion];
    if (meaning.active) {
        // The cell first: the search thread takes the slot up only once it is active.
        c.x = meaning.cell.x;
        c.y = meaning.cell.y;
        c.z = meaning.cell.z;
        c.active = 1;
    } else {
        c.active = 0;
    }
    SetWindowTextA(hintLabel, meaning.hint);
    noteCriteriaChanged();
}

void clearAllFilters()
{
    for (int piece = 0; piece < pieceCount; piece++)
        for (int criterion = 0; criterion < 3; criterion++) {
            SetWindowTextA(controlWindows[3 * piece + criterion], "");
            FilterTable[piece][criterion].active = 0;
        }
}

void turnFilters(int variant)
{
    for (int piece = 0; piece < pieceCount; piece++)
        for (int criterion = 0; criterion < 3; criterion++) {
            FilterCriterion& c = FilterTable[piece][criterion];
            if (!c.active) continue;
            const Cell turned = turnCell({c.x, c.y, c.z}, variant);
            c.x = turned.x;
            c.y = turned.y;
            c.z = turned.z;
            char text[40];
            formatCell(turned, text, sizeof text);
            SetWindowTextA(controlWindows[3 * piece + criterion], text);
        }
    noteCriteriaChanged();
}

void toggleRotations()
{
    withRotations = withRotations ? 0 : 1;
    criteriaChanged = 1;
    syncFilterControls();
}
