// search_thread.cpp: the search thread's loop over the solution table, its batches of
// hits, and the window side's rules for starting, parking and resuming it.
#include "search/search_thread.h"

#include "model/solution_table.h"
#include "search/record_match.h"
#include "search/search_control.h"

static void flushHits(SearchThreadState& state, const SearchPort& port, bool passEnded)
{
    if (state.batch.count == 0 && !passEnded) return;
    state.batch.passEnded = passEnded ? 1 : 0;
    state.batch.recordsRead = state.recordsRead;
    port.deliverHits(port.context, state.batch);
    state.batch.count = 0;
}

static void addHit(SearchThreadState& state, const SearchPort& port, ResultEntry entry)
{
    if (state.batch.count == 0) state.batchStartedAt = port.milliseconds(port.context);
    state.batch.entries[state.batch.count++] = entry;
    if (state.batch.count == hitBatchCapacity) flushHits(state, port, false);
}

static void closeSearchFile(SearchThreadState& state)
{
    if (!state.file) return;
    std::fclose(state.file);
    state.file = nullptr;
    searchFileOpen.store(0);
}

static void beginPass(SearchThreadState& state, const SearchPort& port, const char* tablePath)
{
    searchIdleAnnounced.store(0);
    searchRestartRequested.store(0);
    searchIdle.store(0);
    flushHits(state, port, false);  // the old pass's last hits go before the clear
    port.clearHits(port.context);
    state.recordsRead = 0;
    closeSearchFile(state);
    state.file = std::fopen(tablePath, "rb");
    if (!state.file) {
        searchRunning.store(0);
        searchIdle.store(1);
        return;
    }
    searchFileOpen.store(1);
    std::setvbuf(state.file, state.fileBuffer, _IOFBF, sizeof state.fileBuffer);
    // Running before the change flag is cleared: a change from now on leaves the caption
    // to the pass's end, which then finds the flag set.
    searchRunning.store(1);
    criteriaChanged.store(0);
    port.setCaption(port.context, captionSearching);
}

static void endPass(SearchThreadState& state, const SearchPort& port)
{
    flushHits(state, port, true);
    closeSearchFile(state);
    searchIdle.store(1);
    searchRunning.store(0);
    port.setCaption(port.context, criteriaChanged.load() ? captionChanged : captionUnchanged);
}

static void testRecord(SearchThreadState& state, const SearchPort& port, const SolutionRecord& record)
{
    const uint32_t n = ++state.recordsRead;
    for (int v = 0;; v++) {
        const bool rotations = withRotations.load(std::memory_order_relaxed) != 0;
        if (v >= (rotations ? 4 : 1)) break;
        if (recordMatches(record, FilterTable, v)) addHit(state, port, makeResultEntry(n, v, rotations));
    }
    if (state.batch.count > 0 &&
        port.milliseconds(port.context) - state.batchStartedAt >= hitBatchMaxAgeMs)
        flushHits(state, port, false);
}

static void idle(SearchThreadState& state, const SearchPort& port)
{
    flushHits(state, port, false);
    closeSearchFile(state);
    if (searchIdleAnnounced.load() == 0) {
        searchIdleAnnounced.store(1);
        port.requestSuspension(port.context);
    }
    // A start that was refused the parking, or that resumed us, need not wait.
    if (!searchRestartRequested.load()) port.pauseWhileIdle(port.context);
}

void searchThreadStep(SearchThreadState& state, const SearchPort& port, const char* tablePath)
{
    // A start comes first, also when the thread has just gone idle: a start that the
    // window thread handled while a pass was ending must not be lost under the idle state
    // that the end of the pass sets.
    if (searchRestartRequested.load()) {
        beginPass(state, port, tablePath);
        return;
    }
    if (searchIdle.load() || !state.file) {
        idle(state, port);
        return;
    }
    unsigned char bytes[recordSize];
    if (std::fread(bytes, 1, recordSize, state.file) == size_t(recordSize))
        testRecord(state, port, decodeRecord(bytes));
    else
        endPass(state, port);
}

void runSearchThread(SearchThreadState& state, const SearchPort& port, const char* tablePath,
                     const std::atomic<int32_t>* stop)
{
    while (!stop || !stop->load()) searchThreadStep(state, port, tablePath);
}

void noteSearchStart()
{
    searchRestartRequested.store(1);
    searchIdle.store(0);
}

bool suspensionAllowed()
{
    return searchRestartRequested.load() == 0 && searchIdle.load() != 0;
}

int resumesForStart(int& suspendCount)
{
    const int resumes = suspendCount > 1 ? suspendCount : 1;
    suspendCount = 0;
    return resumes;
}
