// search_thread.h: the body of the search thread and its protocol with the window thread,
// without any window: the thread reaches the window only through the port of functions
// below, which the glue fills with synchronous window messages and the tests with a fake
// window thread. The criteria, the rotations switch and the control values of
// search_control.h are read afresh for every record and variant.
//
// Hits go over in batches: one synchronous delivery takes a whole batch (when it is full,
// when its first hit waits 20 ms, and always before a clear, at the end of a pass and
// before the thread idles), because one message per hit would bind the search to the
// speed of cross-thread messages.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>

#include "search/result_list.h"
#include "search/search_control.h"

// The commands by which the glue's port reaches the main window (WM_COMMAND ids).
constexpr int searchCommandAddHits = 310, searchCommandClearHits = 311, searchCommandSuspend = 312;

constexpr uint32_t hitBatchCapacity = 4096;
constexpr uint32_t hitBatchMaxAgeMs = 20;
constexpr uint32_t idlePauseMs = 350;

struct HitBatch {
    uint32_t count;
    // Set on the last batch of a pass: the status line then shows the total of hits and
    // the number of records read.
    int32_t passEnded;
    uint32_t recordsRead;
    ResultEntry entries[hitBatchCapacity];
};

// Everything the thread asks of the window side. Each call returns when the window
// thread has done it.
struct SearchPort {
    void* context;
    void (*deliverHits)(void* context, const HitBatch& batch);  // append, status, repaint
    void (*clearHits)(void* context);                          // empty the list
    // Asks to be parked until the next search start; returns at once when the window
    // thread refuses because a start is already pending.
    void (*requestSuspension)(void* context);
    void (*setCaption)(void* context, const char* caption);
    void (*pauseWhileIdle)(void* context);  // yield, then sleep idlePauseMs
    uint32_t (*milliseconds)(void* context);
};

struct SearchThreadState {
    std::FILE* file = nullptr;
    uint32_t recordsRead = 0;
    uint32_t batchStartedAt = 0;
    HitBatch batch = {};
    char fileBuffer[1 << 16];
};

// One turn of the thread's loop: idle (announce, park, pause), or begin a requested pass,
// or test the next record, or end the pass.
void searchThreadStep(SearchThreadState& state, const SearchPort& port, const char* tablePath);

// The loop; it ends only when stop is given and becomes non-zero (tests).
void runSearchThread(SearchThreadState& state, const SearchPort& port, const char* tablePath,
                     const std::atomic<int32_t>* stop);

// Window side, on a search start: ask for a pass from the first record.
void noteSearchStart();

// Window side, on the thread's request to be parked: false while a search start is
// pending. The window thread handles starts and this request one after the other, so a
// start that came in after the thread announced itself idle is seen here, and the thread
// is not parked with a restart waiting for the next press of the button.
bool suspensionAllowed();

// Window side: the resumes that a start issues for an unbalanced count of suspensions; at
// least one, so that a running thread stays running. The count ends at 0.
int resumesForStart(int& suspendCount);
