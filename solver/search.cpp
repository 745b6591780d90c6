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

    auto work = [&]() {
        std::vector<SolutionRecord> found;
        for (;;) {
            const size_t i = nextTask.fetch_add(1);
            if (i >= n || stop.load()) break;
            found.clear();
            const uint64_t made = searchSubtree(puzzle, plan, slotTables[size_t(tasks[i].root)], tasks[i], &stop, found);
            std::lock_guard<std::mutex> guard(lock);
            results[i].swap(found);
            done[i] = 1;
            doneCount++;
            doneShare += tasks[i].share;
            doneNodes += made;
            if (doneCount == n) finished.notify_one();
        }
    };
    std::vector<std::thread> workers;
    for (int t = 0; t < std::max(threads, 1); t++) workers.emplace_back(work);

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
    return {end, stats};
}
