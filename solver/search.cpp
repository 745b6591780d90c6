// search.cpp: the ordered parallel run: worker threads solve the subtrees in any order,
// and the calling thread hands on their records in subtree order.
#include "solver/search.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "solver/depth_first.h"
#include "solver/task_split.h"

std::vector<SolutionRecord> solveAll(const SolverPuzzle& puzzle, const SearchPlan& plan,
                                     uint64_t* nodes)
{
    std::vector<SolutionRecord> records;
    const std::vector<std::vector<CandidateSet>> slotTables = slotTablesOfPlan(puzzle, plan);
    uint64_t made = 0;
    for (size_t r = 0; r < plan.roots.size(); r++)
        made += searchSubtree(puzzle, plan, slotTables[r], rootTask(puzzle, plan, int(r)), nullptr, records);
    if (nodes) *nodes = made + plan.roots.size();
    return records;
}

SearchOutcome runSearch(const SolverPuzzle& puzzle, const SearchPlan& plan, int threads,
                        const DeliverFn& deliver, const TickFn& tick,
                        const std::atomic<bool>* cancel, int tickMilliseconds)
{
    uint64_t prefixNodes = 0;
    const std::vector<std::vector<CandidateSet>> slotTables = slotTablesOfPlan(puzzle, plan);
    const std::vector<Task> tasks = makeTasks(puzzle, plan, slotTables, prefixNodes);
    const size_t n = tasks.size();
    std::vector<std::vector<SolutionRecord>> results(n);
    std::vector<char> done(n, 0);
    std::mutex lock;
    std::condition_variable finished;
    std::atomic<size_t> nextTask(0);
    std::atomic<bool> stop(false);
    size_t doneCount = 0;
    double doneShare = 0;
    uint64_t doneNodes = prefixNodes;

    // Each worker's time in its subtrees and the time of its end after the start, in
    // microseconds (a 32-bit count holds over an hour).
    const int workerCount = std::max(threads, 1);
    std::vector<std::atomic<uint32_t>> busyMicroseconds(static_cast<size_t>(workerCount));
    std::vector<std::atomic<uint32_t>> endMicroseconds(static_cast<size_t>(workerCount));
    const std::chrono::steady_clock::time_point workStart = std::chrono::steady_clock::now();
    auto microsecondsSince = [](std::chrono::steady_clock::time_point start) {
        return uint32_t(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
    };
    auto work = [&](int worker) {
        std::vector<SolutionRecord> found;
        for (;;) {
            const size_t i = nextTask.fetch_add(1);
            if (i >= n || stop.load()) break;
            found.clear();
            const std::chrono::steady_clock::time_point taskStart = std::chrono::steady_clock::now();
            const uint64_t made = searchSubtree(puzzle, plan, slotTables[size_t(tasks[i].root)], tasks[i], &stop, found);
            busyMicroseconds[size_t(worker)].fetch_add(microsecondsSince(taskStart));
            std::lock_guard<std::mutex> guard(lock);
            results[i].swap(found);
            done[i] = 1;
            doneCount++;
            doneShare += tasks[i].share;
            doneNodes += made;
            if (doneCount == n) finished.notify_one();
        }
        endMicroseconds[size_t(worker)] = microsecondsSince(workStart);
    };
    std::vector<std::thread> workers;
    for (int t = 0; t < workerCount; t++) workers.emplace_back(work, t);

    SearchStats stats = {0, 0, 0, n, 0};
    SearchEnd end = SearchEnd::complete;
    size_t delivered = 0;  // tasks whose records have been handed on
    std::vector<SolutionRecord> batch;
    for (;;) {
        batch.clear();
        {
            // One hand-over per tick keeps the writes few and large; the last subtree's
            // end wakes the wait at once.
            std::unique_lock<std::mutex> guard(lock);
            finished.wait_for(guard, std::chrono::milliseconds(tickMilliseconds),
                              [&]() { return doneCount == n; });
            while (delivered < n && done[delivered]) {
                batch.insert(batch.end(), results[delivered].begin(), results[delivered].end());
                std::vector<SolutionRecord>().swap(results[delivered]);
                delivered++;
            }
            stats.tasksDone = doneCount;
            stats.share = delivered == n ? 1.0 : doneShare;
            stats.nodes = doneNodes;
        }
        if (cancel && cancel->load()) {
            end = SearchEnd::cancelled;
            break;
        }
        if (!batch.empty()) {
            if (!deliver(batch)) {
                end = SearchEnd::refused;
                break;
            }
            stats.solutions += batch.size();
        }
        if (delivered == n) break;
        if (tick) tick(stats);
    }
    stop = true;
    for (std::thread& worker : workers) worker.join();
    {
        std::lock_guard<std::mutex> guard(lock);
        stats.tasksDone = doneCount;
        stats.share = delivered == n ? 1.0 : doneShare;
        stats.nodes = doneNodes;
    }
    if (tick) tick(stats);
    uint32_t runMicroseconds = 1;
    for (const std::atomic<uint32_t>& at : endMicroseconds) runMicroseconds = std::max(runMicroseconds, at.load());
    std::vector<double> idleShare;
    for (const std::atomic<uint32_t>& busy : busyMicroseconds)
        idleShare.push_back(std::max(0.0, 1.0 - double(busy.load()) / double(runMicroseconds)));
    return {end, stats, idleShare};
}
