// search_win.h: the hit list and the filter search on the window thread: the list's
// scrollbar, step buttons, clicks and painting, the search button and the search thread's
// commands. The shell owns the list and hands it over with the windows it shows in; what
// the search thread shares with the window thread stands in search_control.h.
#pragma once

#include <windows.h>

#include <cstdint>

#include "search/result_list.h"
#include "search/search_thread.h"

// The one hit list, the windows around it and where it lies in the main window.
struct HitListView {
    ResultList* list;
    HWND window;          // the main window, into which the list is painted
    HWND scrollbar, status, previousHit, nextHit;
    HWND solutionNumber;  // a chosen hit is written here
    ListGeometry geometry;
    int scrollLeft;       // the lines end at the scrollbar
    int visibleLines;     // the page: whole lines that fit
    RECT rect;            // the list's area, repainted on changes
};

void updateResultScrollbar(const HitListView& hits);
void scrollResults(const HitListView& hits, int code, int thumb, HWND scrollbar);
void selectRelative(const HitListView& hits, int delta);
void selectAt(const HitListView& hits, int x, int y);
void updateHitButtons(const HitListView& hits);
void paintResultList(HDC dc, const HitListView& hits);

// The search button: warns when no criterion is set, else starts a pass (and the thread
// on the first press). The thread sends its commands to window and sets the caption of
// searchButton.
void startSearch(HWND window, HWND searchButton);

// The search thread's commands 310 (a batch of hits), 311 (clear the list) and 312 (park
// me), sent synchronously; parameter is the command's lParam.
void onSearchThreadCommand(const HitListView& hits, int id, LPARAM parameter);

// Between the search's own glue files: the handling of 310 and 311 (results_win.cpp).
void appendHitBatch(const HitListView& hits, const HitBatch& batch);
void clearHitList(const HitListView& hits);
