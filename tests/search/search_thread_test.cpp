// Tests of the search thread with a fake window thread: the test's own thread plays the
// window, handling the thread's synchronous requests one at a time between its own user
// actions, and parks the thread as a suspension would (it stays inside its request until
// resumed). Checked: the hits and their order against the reference, the batches, the
// status and captions, a restart during a pass, criteria cleared during a pass, and starts
// that the window handles while the thread is going idle. Also built under ThreadSanitizer.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "model/solution_table.h"
#include "search/record_match.h"
#include "search/search_control.h"
#include "search/search_thread.h"
#include "tests/search/chain_release.h"
#include "tests/search/record_reference.h"
#include "tests/support/table_file.h"

namespace {

enum RequestKind { noRequest, hitsRequest, clearRequest, suspendRequest, captionRequest };

struct FakeWindow {
    std::mutex mutex;
    std::condition_variable changed;
    // The one request in flight from the search thread (it waits for it).
    RequestKind pending = noRequest;
    const HitBatch* batch = nullptr;
    std::string captionArgument;
    bool handled = false;
    int osSuspensions = 0;  // the thread runs only while this is 0
    bool closing = false;

    // Window-side state, touched only by the test's thread.
    ResultList list;
    ChainRelease releaseList{list};
    std::string caption = "Suchen";
    uint32_t statusTotal = 0, statusRecords = 0;
    int passesEnded = 0, clears = 0, hitMessages = 0, largestBatch = 0, suspendCount = 0;
    int warnings = 0;
    std::function<void(RequestKind)> beforeHandling;  // a user action injected before a request

    std::thread thread;
    std::atomic<int32_t> stop{0};
    SearchThreadState* state = nullptr;
    SearchPort port = {};
    std::string tablePath;

    // ---- called on the search thread ----
    void request(RequestKind kind, const HitBatch* b, const char* caption)
    {
        std::unique_lock<std::mutex> lock(mutex);
        if (closing) return;
        pending = kind;
        batch = b;
        captionArgument = caption ? caption : "";
        handled = false;
        changed.notify_all();
        changed.wait(lock, [&] { return handled || closing; });
        // Parked inside the request, as a suspended thread stays inside SendMessage.
        changed.wait(lock, [&] { return osSuspensions == 0 || closing; });
    }

    // ---- called on the window (test) thread ----
    void handle(RequestKind kind)
    {
        if (beforeHandling) beforeHandling(kind);
        switch (kind) {
        case hitsRequest: {
            hitMessages++;
            largestBatch = std::max(largestBatch, int(batch->count));
            for (uint32_t i = 0; i < batch->count; i++) appendEntry(list, batch->entries[i]);
            if (batch->passEnded) {
                passesEnded++;
                statusTotal = list.total;
                statusRecords = batch->recordsRead;
            }
            break;
        }
        case clearRequest:
            clears++;
            clearEntries(list);
            break;
        case suspendRequest:
            if (suspensionAllowed()) {
                std::lock_guard<std::mutex> lock(mutex);
                osSuspensions++;
                suspendCount++;
            }
            break;
        case captionRequest: caption = captionArgument; break;
        case noRequest: break;
        }
    }

    // Handles the thread's requests until done() holds; false after the time limit.
    bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 60000)
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done()) {
            std::unique_lock<std::mutex> lock(mutex);
            if (!changed.wait_until(lock, limit, [&] { return pending != noRequest && !handled; })) return done();
            const RequestKind kind = pending;
            lock.unlock();
            handle(kind);
            lock.lock();
            pending = noRequest;
            handled = true;
            changed.notify_all();
        }
        return true;
    }

    bool parked()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return osSuspensions > 0;
    }

    // The window side of a press of the search button.
    void startSearch()
    {
        if (!anyCriterionActive(FilterTable)) {
            warnings++;
            return;
        }
        noteSearchStart();
        if (!thread.joinable()) thread = std::thread([this] { runSearchThread(*state, port, tablePath.c_str(), &stop); });
        std::lock_guard<std::mutex> lock(mutex);
        for (int resumes = resumesForStart(suspendCount); resumes > 0; resumes--)
            if (osSuspensions > 0) osSuspensions--;
        changed.notify_all();
    }

    ~FakeWindow()
    {
        stop = 1;
        {
            std::lock_guard<std::mutex> lock(mutex);
            closing = true;
            changed.notify_all();
        }
        if (thread.joinable()) thread.join();
    }
};

void portHits(void* c, const HitBatch& b) { static_cast<FakeWindow*>(c)->request(hitsRequest, &b, nullptr); }
void portClear(void* c) { static_cast<FakeWindow*>(c)->request(clearRequest, nullptr, nullptr); }
void portSuspend(void* c) { static_cast<FakeWindow*>(c)->request(suspendRequest, nullptr, nullptr); }
void portCaption(void* c, const char* text) { static_cast<FakeWindow*>(c)->request(captionRequest, nullptr, text); }
void portPause(void*) { std::this_thread::sleep_for(std::chrono::milliseconds(2)); }
uint32_t portMs(void*)
{
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

std::vector<SolutionRecord> randomTable(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<SolutionRecord> table(static_cast<size_t>(count));
    for (SolutionRecord& r : table)
        for (int i = 0; i < 12; i++) r.words[i] = PlacementWord(((i + 1) << 12) | (random() & 0x0FFF));
    return table;
}

std::string writeTableFile(const std::vector<SolutionRecord>& table, const char* name)
{
    const std::string path = testing::TempDir() + name;
    EXPECT_TRUE(writeTableFile(path, table)) << path;
    return path;
}

std::vector<ResultEntry> expectedHits(const std::vector<SolutionRecord>& table, const PlainCriterion* c, int count,
                                      bool rotations)
{
    std::vector<ResultEntry> hits;
    for (size_t n = 0; n < table.size(); n++)
        for (int v = 0; v < (rotations ? 4 : 1); v++)
            if (referenceMatches(table[n], c, count, v)) hits.push_back(makeResultEntry(uint32_t(n + 1), v, rotations));
    return hits;
}

std::vector<ResultEntry> listed(ResultList& list)
{
    std::vector<ResultEntry> entries;
    ResultEntry e;
    for (uint32_t i = 0; i < list.total; i++)
        if (entryAt(list, i, e)) entries.push_back(e);
    return entries;
}

class SearchThread : public testing::Test {
protected:
    SearchThreadState state;
    std::unique_ptr<FakeWindow> window;

    void SetUp() override
    {
        searchIdle = 0;
        searchIdleAnnounced = 1;
        searchRestartRequested = 0;
        searchFileOpen = 0;
        searchRunning = 0;
        criteriaChanged = 0;
        withRotations = 0;
        loadCriteria(FilterTable, nullptr, 0);
        window.reset(new FakeWindow);
        window->state = &state;
        window->port = {window.get(), portHits, portClear, portSuspend, portCaption, portPause, portMs};
    }
    void TearDown() override { window.reset(); }

    void use(const std::vector<SolutionRecord>& table, const char* name) { window->tablePath = writeTableFile(table, name); }

    // Until the thread has ended a pass and is parked.
    bool untilParked(int passes)
    {
        return window->pumpUntil([&] { return window->passesEnded >= passes && window->parked(); });
    }
};

TEST_F(SearchThread, PassFindsTheReferenceHitsWithAndWithoutRotations)
{
    const std::vector<SolutionRecord> table = randomTable(3000, 7);
    use(table, "pass.bin");
    const PlainCriterion criteria[] = {{0, 0, {1, 1, 0}}, {3, 1, {2, 1, 1}}};
    loadCriteria(FilterTable, criteria, 1);
    // Some records meet the criterion in some variant; the test sees that the search finds
    // exactly these.
    for (int rotations = 0; rotations < 2; rotations++) {
        withRotations = rotations;
        criteriaChanged = 1;
        window->startSearch();
        ASSERT_TRUE(untilParked(rotations + 1));
        const std::vector<ResultEntry> expected = expectedHits(table, criteria, 1, rotations);
        ASSERT_GT(expected.size(), 10u);
        EXPECT_EQ(listed(window->list), expected);
        EXPECT_EQ(window->statusTotal, expected.size());
        EXPECT_EQ(window->statusRecords, 3000u);
        EXPECT_EQ(window->clears, rotations + 1);
        EXPECT_EQ(window->caption, "Suchen");  // nothing changed since the pass began
        EXPECT_EQ(criteriaChanged.load(), 0);
        EXPECT_EQ(searchFileOpen.load(), 0);
        EXPECT_EQ(searchIdleAnnounced.load(), 1);
        EXPECT_EQ(window->suspendCount, 1);
    }
    // Two criteria of two pieces.
    loadCriteria(FilterTable, criteria, 2);
    window->startSearch();
    ASSERT_TRUE(untilParked(3));
    EXPECT_EQ(listed(window->list), expectedHits(table, criteria, 2, true));
}

TEST_F(SearchThread, CriteriaClearedDuringAPassMakeEveryLaterRecordAHit)
{
    const int records = 20000;
    use(randomTable(records, 11), "all.bin");
    const PlainCriterion criteria[] = {{5, 2, {4, 3, 2}}};
    loadCriteria(FilterTable, criteria, 1);
    withRotations = 1;
    // The criterion is dropped as soon as the pass has begun: from then on every record is
    // a hit in all four variants, delivered in batches.
    window->beforeHandling = [&](RequestKind kind) {
        if (kind == captionRequest && window->captionArgument == captionSearching) {
            // A pass runs, so the entry point leaves the caption to the pass's end.
            EXPECT_EQ(setCriterion(5, 2, {false, {0, 0, 0}}), nullptr);
        }
    };
    window->startSearch();
    ASSERT_TRUE(untilParked(1));
    const std::vector<ResultEntry> hits = listed(window->list);
    ASSERT_GE(hits.size(), size_t(4 * (records - 1)));
    // The tail of the list is every record in every variant, in order.
    const size_t tail = size_t(4 * (records - 100));
    for (size_t k = 0; k < tail; k++) {
        const size_t i = hits.size() - tail + k;
        const uint32_t n = uint32_t(records - tail / 4 + 1 + k / 4);
        ASSERT_EQ(hits[i], makeResultEntry(n, int(k % 4), true)) << "hit " << i;
    }
    EXPECT_LE(window->largestBatch, int(hitBatchCapacity));
    EXPECT_GE(window->hitMessages, int(hits.size() / hitBatchCapacity));
    EXPECT_LE(window->hitMessages, int(hits.size() / 64));  // batches, not one message per hit
    EXPECT_EQ(window->caption, "Suchen!");                  // the criteria changed during the pass
    EXPECT_EQ(window->statusRecords, uint32_t(records));
}

TEST_F(SearchThread, SecondStartDuringAPassBeginsAgainFromTheFirstRecord)
{
    const std::vector<SolutionRecord> table = randomTable(60000, 13);
    use(table, "restart.bin");
    const PlainCriterion criteria[] = {{2, 0, {0, 1, 0}}};
    loadCriteria(FilterTable, criteria, 1);
    withRotations = 1;
    window->startSearch();
    ASSERT_TRUE(window->pumpUntil([&] { return window->list.total >= 50; }));
    EXPECT_EQ(searchFileOpen.load(), 1);
    EXPECT_EQ(searchIdleAnnounced.load(), 0);
    EXPECT_EQ(window->caption, captionSearching);
    EXPECT_EQ(searchRunning.load(), 1);
    window->startSearch();
    ASSERT_TRUE(untilParked(1));
    EXPECT_EQ(searchRunning.load(), 0);
    EXPECT_EQ(window->clears, 2);
    EXPECT_EQ(window->passesEnded, 1);  // the first pass was cut short
    EXPECT_EQ(listed(window->list), expectedHits(table, criteria, 1, true));
    EXPECT_EQ(window->statusRecords, 60000u);
    EXPECT_EQ(searchFileOpen.load(), 0);
}

// A start that the window handles while the thread is going idle, at each point of the way
// there, must lead to a new pass without another press.
TEST_F(SearchThread, StartWhileTheThreadGoesIdleIsNotLost)
{
    const std::vector<SolutionRecord> table = randomTable(500, 17);
    use(table, "race.bin");
    const PlainCriterion criteria[] = {{1, 0, {0, 0, 0}}};
    loadCriteria(FilterTable, criteria, 1);
    struct Moment {
        const char* name;
        std::function<bool(RequestKind)> is;
    };
    FakeWindow& w = *window;
    const Moment moments[] = {
        // before the thread has set idle (its last batch of the pass)
        {"last batch", [&](RequestKind k) { return k == hitsRequest && w.batch->passEnded; }},
        // idle set, the end caption going out
        {"end caption", [&](RequestKind k) { return k == captionRequest && w.captionArgument != captionSearching; }},
        // idle announced, its request to be parked not yet handled
        {"park request", [&](RequestKind k) { return k == suspendRequest; }},
    };
    int passes = 0;
    for (const Moment& moment : moments) {
        bool injected = false;
        w.beforeHandling = [&](RequestKind kind) {
            if (!injected && passes > 0 && moment.is(kind)) {
                injected = true;
                w.startSearch();
            }
        };
        w.startSearch();
        passes++;
        ASSERT_TRUE(untilParked(passes)) << moment.name;
        // The injected start ran a pass of its own, to the end, and the thread is parked.
        ASSERT_TRUE(injected) << moment.name;
        passes++;
        ASSERT_TRUE(untilParked(passes)) << moment.name << ": the start was lost";
        EXPECT_EQ(listed(w.list), expectedHits(table, criteria, 1, false)) << moment.name;
        EXPECT_EQ(w.suspendCount, 1) << moment.name;
        EXPECT_EQ(searchRestartRequested.load(), 0) << moment.name;
        w.beforeHandling = nullptr;
    }
}

TEST_F(SearchThread, NoCriterionWarnsAndAMissingTableIdlesQuietly)
{
    window->tablePath = testing::TempDir() + "no_such_table.bin";
    std::remove(window->tablePath.c_str());
    window->startSearch();
    EXPECT_EQ(window->warnings, 1);
    EXPECT_FALSE(window->thread.joinable());
    writeCriterion(FilterTable[0][0], {true, {0, 0, 0}});
    window->caption = "Suchen!";
    window->startSearch();
    ASSERT_TRUE(window->pumpUntil([&] { return window->parked(); }));
    EXPECT_EQ(window->clears, 1);
    EXPECT_EQ(window->passesEnded, 0);
    EXPECT_EQ(window->caption, "Suchen!");  // the caption keeps its last text
    EXPECT_EQ(searchFileOpen.load(), 0);
    EXPECT_EQ(searchIdleAnnounced.load(), 1);
}

}  // namespace

namespace {

// The window thread rewrites a criterion while the search thread reads it: every reading
// is one of the two edits whole, never the x of one with the z of the other.
TEST(FilterCriterion, AReaderSeesEachCriterionWhole)
{
    // Beyond the box too: random placements in the tests reach out of it.
    for (int active = 0; active < 2; active++)
        for (int x = -8; x < 12; x++)
            for (int y = -8; y < 12; y++)
                for (int z = -8; z < 12; z++) {
                    const Criterion c = unpackCriterion(packCriterion({active != 0, {x, y, z}}));
                    ASSERT_EQ(c.active, active != 0);
                    ASSERT_EQ(c.cell, (Cell{x, y, z}));
                }
    const Criterion a = {true, {1, 2, 0}}, b = {true, {4, 0, 2}};  // apart in every coordinate
    FilterCriterion& slot = FilterTable[7][2];
    writeCriterion(slot, a);
    std::atomic<int32_t> done{0};
    std::thread writer([&] {
        for (int i = 0; i < 200000; i++) writeCriterion(slot, i % 2 ? a : b);
        done = 1;
    });
    long reads = 0, mixed = 0;
    while (!done.load()) {
        const Criterion c = readCriterion(slot);
        reads++;
        if (!(c.active && (c.cell == a.cell || c.cell == b.cell))) mixed++;
    }
    writer.join();
    EXPECT_EQ(mixed, 0) << "of " << reads << " readings";
    writeCriterion(slot, {false, {0, 0, 0}});
}

}  // namespace
