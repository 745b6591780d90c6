// results_win.cpp: the hit list beside its scrollbar. For now the list stays empty: hits,
// scrolling and selection by click arrive with the filter search.
#include "search/search_state.h"
#include "shell/window_state.h"

int resultTop = 0;
int resultSelected = -1;
int resultTotal = 0;

void clearResults() {}
void appendResult(unsigned long) {}
void updateResultScrollbar() {}
void scrollResults(int, int, HWND) {}
void selectRelative(int) {}
void selectAt(int, int) {}
void paintResultList(HDC) {}

void updateHitButtons()
{
    EnableWindow(controlWindows[slotPreviousHit], resultTotal > 0);
    EnableWindow(controlWindows[slotNextHit], resultTotal > 0);
}
