// search_state.h: the result list and filter search as the window sees them. The window
// procedure calls these for the hit list's controls, the filter fields and menu, and the
// search thread's commands; all run on the window thread.
#pragma once

#include <windows.h>

// Result list position: the hit on the first visible line and the highlighted hit (-1).
extern int resultTop;
extern int resultSelected;
extern int resultTotal;

void clearResults();
void appendResult(unsigned long entry);
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

// A pass runs exactly while the search button reads "Suche ...".
bool isSearchRunning();

// The search thread and its unbalanced suspensions (command 312).
extern HANDLE searchThread;
extern int searchSuspendCount;
