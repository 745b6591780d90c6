// search_thread_win.cpp: the search thread as a Win32 thread. Its port sends the commands
// 310, 311 and 312 to the main window with SendMessageA and sets the search button's
// caption; the window side starts, parks and resumes it.
#include "model/solution_table.h"
#include "search/record_match.h"
#include "search/search_win.h"

// Written by the window thread before the thread is created, then only read by it.
static HWND threadTarget = nullptr;
static HWND threadSearchButton = nullptr;
static SearchThreadState threadState;

// Window thread only: the thread and its unbalanced suspensions.
static HANDLE searchThread = nullptr;
static DWORD searchThreadId = 0;
static int searchSuspendCount = 0;

static void sendCommand(int id, LPARAM parameter)
{
    SendMessageA(threadTarget, WM_COMMAND, WPARAM(id), parameter);
}

static void portDeliverHits(void*, const HitBatch& batch)
{
    sendCommand(searchCommandAddHits, reinterpret_cast<LPARAM>(&batch));
}
static void portClearHits(void*) { sendCommand(searchCommandClearHits, 0); }
static void portRequestSuspension(void*) { sendCommand(searchCommandSuspend, 0); }
static void portSetCaption(void*, const char* caption) { SetWindowTextA(threadSearchButton, caption); }
static void portPause(void*)
{
    SwitchToThread();
    Sleep(idlePauseMs);
}
static uint32_t portMilliseconds(void*) { return GetTickCount(); }

static const SearchPort threadPort = {nullptr,        portDeliverHits, portClearHits, portRequestSuspension,
                                      portSetCaption, portPause,       portMilliseconds};

static DWORD WINAPI searchThreadMain(void*)
{
    runSearchThread(threadState, threadPort, solutionTableName, nullptr);
    return 0;
}

void startSearch(HWND window, HWND searchButton)
{
    if (!anyCriterionActive(FilterTable)) {
        MessageBoxA(window,
                    "Es ist unsinnig eine Filtersuche zu starten, ohne eine Bauteilbeschränkung "
                    "eingegeben zu haben.\n\nSuche nicht gestartet!",
                    "Kein Grund zur Filtersuche", MB_ICONWARNING | MB_OK);
        return;
    }
    noteSearchStart();
    if (!searchThread) {
        threadTarget = window;
        threadSearchButton = searchButton;
        searchThread = CreateThread(nullptr, 0, searchThreadMain, nullptr, 0, &searchThreadId);
        if (!searchThread) return;
    }
    for (int resumes = resumesForStart(searchSuspendCount); resumes > 0; resumes--) ResumeThread(searchThread);
}

void onSearchThreadCommand(const HitListView& hits, int id, LPARAM parameter)
{
    switch (id) {
    case searchCommandAddHits:
        // Only the thread's own batch is taken; a stray command from elsewhere carries
        // no batch to read.
        if (parameter == reinterpret_cast<LPARAM>(&threadState.batch)) appendHitBatch(hits, threadState.batch);
        break;
    case searchCommandClearHits:
        clearHitList(hits);
        break;
    case searchCommandSuspend:
        if (searchThread && suspensionAllowed()) {
            SuspendThread(searchThread);
            searchSuspendCount++;
        }
        break;
    }
}
