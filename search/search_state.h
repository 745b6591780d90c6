// search_state.h: the hit list and the filter search as the window sees them. The window
// procedure calls these for the hit list's controls, the filter fields and menu, and the
// search thread's commands; all run on the window thread. What the search thread shares
// with it stands in search_control.h.
#pragma once

#include <windows.h>

#include <cstdint>

#include "search/result_list.h"

// The one hit list. Its first visible hit and its highlighted hit (-1: none) are also
// known by these names, which the solution number field's handling clears.
extern ResultList resultList;
extern int32_t& resultTop;
extern int32_t& resultSelected;

void updateResultScrollbar();
void scrollResults(int code, int thumb, HWND scrollbar);
void selectRelative(int delta);
void selectAt(int x, int y);
void updateHitButtons();
void paintResultList(HDC dc);

void onFilterFieldFocus(int piece, int criterion, bool gained);
void onFilterFieldChanged(int piece, int criterion);
void clearAllFilters();
void turnFilters(int variant);
void toggleRotations();
void startSearch(HWND window);

// The search thread's commands 310 (a batch of hits), 311 (clear the list) and 312 (park
// me), sent synchronously; parameter is the command's lParam.
void onSearchThreadCommand(HWND window, int id, LPARAM parameter);

// Between the search's own glue files: the handling of 310 and 311 (results_win.cpp).
struct HitBatch;
void appendHitBatch(HWND window, const HitBatch& batch);
void clearHitList();

// A pass runs exactly while the search button reads "Suche ...".
bool isSearchRunning();
