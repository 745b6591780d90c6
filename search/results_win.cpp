// results_win.cpp: the hit list beside its scrollbar: its scrollbar, the step buttons,
// clicks into it, its painting, and the batches of hits and the clear that the search
// thread sends. The list itself belongs to the caller.
#include <cstdio>

#include "search/search_win.h"

// The page is the number of whole lines that fit, from the last layout.
static void syncPage(const HitListView& hits)
{
    hits.list->page = hits.visibleLines;
}

static void invalidateList(const HitListView& hits)
{
    InvalidateRect(hits.window, &hits.rect, TRUE);
}

static void setHitStatus(const HitListView& hits, uint32_t total, uint32_t number)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u/%lu", unsigned(total), static_cast<unsigned long>(number));
    SetWindowTextA(hits.status, text);
}

// While batches arrive the status line and the scrollbar are only marked for painting:
// a static paints itself inside SetWindowText, and a scrollbar inside SetScrollInfo, which
// under Wine costs milliseconds a batch. The paint then comes once the batches pause.
static void setHitStatusDeferred(const HitListView& hits, uint32_t total, uint32_t number)
{
    SendMessageA(hits.status, WM_SETREDRAW, FALSE, 0);
    setHitStatus(hits, total, number);
    SendMessageA(hits.status, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hits.status, nullptr, TRUE);
}

static void setResultScrollbar(const HitListView& hits, BOOL redraw)
{
    syncPage(hits);
    const ResultList& list = *hits.list;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = int(list.total) - 1;
    info.nPage = UINT(list.page < 0 ? 0 : list.page);
    info.nPos = list.top;
    SetScrollInfo(hits.scrollbar, SB_CTL, &info, redraw);
    if (!redraw) InvalidateRect(hits.scrollbar, nullptr, FALSE);
}

// A batch is appended in order; the status line, the scrollbar and the list's repaint
// follow once for the whole batch, as they would have after its last hit.
void appendHitBatch(const HitListView& hits, const HitBatch& batch)
{
    syncPage(hits);
    ResultList& list = *hits.list;
    const uint32_t before = list.total;
    uint32_t lastNumber = 0;
    bool appended = false;
    for (uint32_t i = 0; i < batch.count && i < hitBatchCapacity; i++)
        if (appendEntry(list, batch.entries[i])) {
            appended = true;
            lastNumber = batch.entries[i] & resultNumberMask;
        }
    if (appended) {
        updateHitButtons(hits);
        setHitStatusDeferred(hits, list.total, lastNumber);
    }
    if (batch.count > 0) {
        setResultScrollbar(hits, FALSE);
        if (int64_t(list.top) + hits.visibleLines > int64_t(before)) invalidateList(hits);
    }
    if (batch.passEnded) {
        invalidateList(hits);
        setHitStatus(hits, list.total, batch.recordsRead);
    }
}

void clearHitList(const HitListView& hits)
{
    clearEntries(*hits.list);
    updateHitButtons(hits);
    SetWindowTextA(hits.status, "");
    hits.list->top = 0;
    updateResultScrollbar(hits);
}

void updateResultScrollbar(const HitListView& hits) { setResultScrollbar(hits, TRUE); }

static void setScrollPosition(const HitListView& hits)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = hits.list->top;
    SetScrollInfo(hits.scrollbar, SB_CTL, &info, TRUE);
}

void scrollResults(const HitListView& hits, int code, int thumb, HWND scrollbar)
{
    syncPage(hits);
    ResultList& list = *hits.list;
    // The thumb's 16-bit position in the message would cut long lists short; the
    // scrollbar's own tracking position is whole.
    int32_t track = thumb;
    if (code == scrollThumbPosition || code == scrollThumbTrack) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(scrollbar ? scrollbar : hits.scrollbar, SB_CTL, &info)) track = info.nTrackPos;
    }
    list.top = scrolledTop(code, list.top, list.page, list.total, track);
    setScrollPosition(hits);
    invalidateList(hits);
}

// The chosen hit goes into the solution number field, whose change handling loads it and
// clears the selection; only then is the hit marked.
static void chooseHit(const HitListView& hits, int32_t index)
{
    char text[sizeof hits.list->text];
    std::snprintf(text, sizeof text, "%s", entryText(*hits.list, uint32_t(index)));
    SetWindowTextA(hits.solutionNumber, text);
    hits.list->selected = index;
    invalidateList(hits);
}

void selectRelative(const HitListView& hits, int delta)
{
    syncPage(hits);
    const SelectionStep step = stepSelection(*hits.list, delta);
    if (!step.moves) return;
    if (step.top != hits.list->top) {
        hits.list->top = step.top;
        setScrollPosition(hits);
    }
    chooseHit(hits, step.index);
}

void selectAt(const HitListView& hits, int x, int y)
{
    syncPage(hits);
    const int32_t index = hitAtPoint(*hits.list, hits.geometry, x, y);
    if (index >= 0) chooseHit(hits, index);
}

void updateHitButtons(const HitListView& hits)
{
    EnableWindow(hits.previousHit, hits.list->total > 0);
    EnableWindow(hits.nextHit, hits.list->total > 0);
}

void paintResultList(HDC dc, const HitListView& hits)
{
    syncPage(hits);
    ResultList& list = *hits.list;
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < list.page; i++) {
        const int64_t index = int64_t(list.top) + i;
        const int lineTop = hits.geometry.listTop + i * hits.geometry.lineHeight;
        RECT line = {hits.geometry.paneWidth + 1, lineTop, hits.scrollLeft, lineTop + hits.geometry.lineHeight};
        const char* text = entryText(list, uint32_t(index));
        if (index == list.selected) {
            const COLORREF previous = SetTextColor(dc, RGB(255, 0, 0));
            DrawTextA(dc, text, -1, &line, DT_SINGLELINE | DT_VCENTER);
            SetTextColor(dc, previous);
        } else {
            DrawTextA(dc, text, -1, &line, DT_SINGLELINE | DT_VCENTER);
        }
    }
    SetBkMode(dc, previousMode);
}
