// results_win.cpp: the hit list beside its scrollbar: the one list of the window thread,
// its scrollbar, the step buttons, clicks into it, its painting, and the batches of hits
// and the clear that the search thread sends.
#include <cstdio>

#include "search/search_state.h"
#include "search/search_thread.h"
#include "shell/window_state.h"

ResultList resultList;
int32_t& resultTop = resultList.top;
int32_t& resultSelected = resultList.selected;

// The page is the number of whole lines that fit, from the last layout.
static void syncPage()
{
    resultList.page = layout.visibleLines;
}

static void setHitStatus(uint32_t total, uint32_t number)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u/%lu", unsigned(total), static_cast<unsigned long>(number));
    SetWindowTextA(controlWindows[slotHitStatus], text);
}

// While batches arrive the status line and the scrollbar are only marked for painting:
// a static paints itself inside SetWindowText, and a scrollbar inside SetScrollInfo, which
// under Wine costs milliseconds a batch. The paint then comes once the batches pause.
static void setHitStatusDeferred(uint32_t total, uint32_t number)
{
    HWND status = controlWindows[slotHitStatus];
    SendMessageA(status, WM_SETREDRAW, FALSE, 0);
    setHitStatus(total, number);
    SendMessageA(status, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(status, nullptr, TRUE);
}

static void setResultScrollbar(BOOL redraw)
{
    syncPage();
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = int(resultList.total) - 1;
    info.nPage = UINT(resultList.page < 0 ? 0 : resultList.page);
    info.nPos = resultList.top;
    SetScrollInfo(controlWindows[slotHitScrollbar], SB_CTL, &info, redraw);
    if (!redraw) InvalidateRect(controlWindows[slotHitScrollbar], nullptr, FALSE);
}

static void clearResults()
{
    clearEntries(resultList);
    updateHitButtons();
    SetWindowTextA(controlWindows[slotHitStatus], "");
}

// A batch is appended in order; the status line, the scrollbar and the list's repaint
// follow once for the whole batch, as they would have after its last hit.
void appendHitBatch(HWND window, const HitBatch& batch)
{
    syncPage();
    const uint32_t before = resultList.total;
    uint32_t lastNumber = 0;
    bool appended = false;
    for (uint32_t i = 0; i < batch.count && i < hitBatchCapacity; i++)
        if (appendEntry(resultList, batch.entries[i])) {
            appended = true;
            lastNumber = batch.entries[i] & resultNumberMask;
        }
    if (appended) {
        updateHitButtons();
        setHitStatusDeferred(resultList.total, lastNumber);
    }
    if (batch.count > 0) {
        setResultScrollbar(FALSE);
        if (int64_t(resultList.top) + layout.visibleLines > int64_t(before)) invalidate(window, layout.listRect);
    }
    if (batch.passEnded) {
        invalidate(window, layout.listRect);
        setHitStatus(resultList.total, batch.recordsRead);
    }
}

void clearHitList()
{
    clearResults();
    resultTop = 0;
    updateResultScrollbar();
}

void updateResultScrollbar() { setResultScrollbar(TRUE); }

static void setScrollPosition()
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = resultList.top;
    SetScrollInfo(controlWindows[slotHitScrollbar], SB_CTL, &info, TRUE);
}

void scrollResults(int code, int thumb, HWND scrollbar)
{
    syncPage();
    // The thumb's 16-bit position in the message would cut long lists short; the
    // scrollbar's own tracking position is whole.
    int32_t track = thumb;
    if (code == scrollThumbPosition || code == scrollThumbTrack) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(scrollbar ? scrollbar : controlWindows[slotHitScrollbar], SB_CTL, &info))
            track = info.nTrackPos;
    }
    resultList.top = scrolledTop(code, resultList.top, resultList.page, resultList.total, track);
    setScrollPosition();
    invalidate(mainWindow, layout.listRect);
}

// The chosen hit goes into the solution number field, whose change handling loads it and
// clears the selection; only then is the hit marked.
static void chooseHit(int32_t index)
{
    char text[sizeof resultList.text];
    std::snprintf(text, sizeof text, "%s", entryText(resultList, uint32_t(index)));
    SetWindowTextA(controlWindows[slotSolutionNumber], text);
    resultList.selected = index;
    invalidate(mainWindow, layout.listRect);
}

void selectRelative(int delta)
{
    syncPage();
    const SelectionStep step = stepSelection(resultList, delta);
    if (!step.moves) return;
    if (step.top != resultList.top) {
        resultList.top = step.top;
        setScrollPosition();
    }
    chooseHit(step.index);
}

void selectAt(int x, int y)
{
    syncPage();
    const ListGeometry geometry = {layout.paneWidth, layout.viewLeft, layout.listTop, layout.lineHeight};
    const int32_t index = hitAtPoint(resultList, geometry, x, y);
    if (index >= 0) chooseHit(index);
}

void updateHitButtons()
{
    EnableWindow(controlWindows[slotPreviousHit], resultList.total > 0);
    EnableWindow(controlWindows[slotNextHit], resultList.total > 0);
}

void paintResultList(HDC dc)
{
    syncPage();
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < resultList.page; i++) {
        const int64_t index = int64_t(resultList.top) + i;
        RECT line = {layout.paneWidth + 1, layout.listTop + i * layout.lineHeight, layout.scrollLeft,
                     layout.listTop + (i + 1) * layout.lineHeight};
        const char* text = entryText(resultList, uint32_t(index));
        if (index == resultList.selected) {
            const COLORREF previous = SetTextColor(dc, RGB(255, 0, 0));
            DrawTextA(dc, text, -1, &line, DT_SINGLELINE | DT_VCENTER);
            SetTextColor(dc, previous);
        } else {
            DrawTextA(dc, text, -1, &line, DT_SINGLELINE | DT_VCENTER);
        }
    }
    SetBkMode(dc, previousMode);
}
