// search.cpp: puzzle set-up, search plans, the depth-first search and the ordered
// parallel run.
#include "solver/search.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>


static PuzzleResult makePuzzleOf(PuzzleBox box, const std::vector<int>& pieces,
                                 const std::vector<PieceCells>& shapes)
{
    PuzzleResult result = {false, {}};
    SolverPuzzle& p = result.puzzle;
    if (!boxIsUsable(box) || pieces.empty() || pieces.size() > size_t(pieceCount)) return result;
    int cells = 0;
    for (size_t i = 0; i < pieces.size(); i++) {
        if (pieces[i] < 0 || pieces[i] >= pieceCount) return result;
        if (std::count(pieces.begin(), pieces.end(), pieces[i]) != 1) return result;
        if (shapes[i].cellCount < 1 || shapes[i].cellCount > maxPieceCells) return result;
        cells += shapes[i].cellCount;
    }
    if (cells != boxCellTotal(box)) return result;

    p.box = box;
    p.symmetry = boxSymmetry(box);
    p.slotCount = int(pieces.size());
    p.smallestShape = maxPieceCells;
    for (int s = 0; s < p.slotCount; s++) {
        p.pieceOfSlot[s] = pieces[s];
        p.shapeOfSlot[s] = shapes[size_t(s)];
        p.smallestShape = std::min(p.smallestShape, int(shapes[size_t(s)].cellCount));
        p.placements[s] = shapePlacements(box, shapes[size_t(s)], pieces[s]);
    }
    const int n = boxCellTotal(box);
    const size_t lists = size_t(n) * lookaheadStates;
    const size_t stride = size_t(p.slotCount + 1);
    p.firstOf.assign(lists * stride, 0);
    p.slotsOf.assign(lists, 0);
    p.longestList = 1;  // never an empty buffer
    for (int c = 0; c < n; c++) {
        for (uint32_t state = 0; state < uint32_t(lookaheadStates); state++) {
            const size_t list = size_t(c) * lookaheadStates + state;
            const uint64_t filledAhead = (uint64_t(state) << c) << 1;
            const size_t begin = p.cellMasks.size();
            for (int s = 0; s < p.slotCount; s++) {
                p.firstOf[list * stride + size_t(s)] = uint32_t(p.cellMasks.size());
                for (size_t i = 0; i < p.placements[s].size(); i++) {
                    const uint64_t mask = p.placements[s][i].mask;
                    if (__builtin_ctzll(mask) != c || (mask & filledAhead)) continue;
                    p.cellMasks.push_back(mask);
                    p.cellPlacement.push_back(uint16_t(i));
                    p.slotsOf[list] |= uint32_t(1) << s;
                }
            }
            p.firstOf[list * stride + size_t(p.slotCount)] = uint32_t(p.cellMasks.size());
            p.longestList = std::max(p.longestList, int(p.cellMasks.size() - begin));
        }
    }

    result.ok = true;
    return result;
}

PuzzleResult makePuzzle(PuzzleBox box, const std::vector<int>& pieces)
{
    std::vector<PieceCells> shapes;
    for (int piece : pieces)
        shapes.push_back(piece >= 0 && piece < pieceCount ? PieceCatalogue[piece] : PieceCells{});
    return makePuzzleOf(box, pieces, shapes);
}

PuzzleResult makePuzzleOfShapes(PuzzleBox box, const std::vector<PieceCells>& shapes)
{
    std::vector<int> pieces;
    for (size_t i = 0; i < shapes.size(); i++) pieces.push_back(int(i));
    return makePuzzleOf(box, pieces, shapes);
}

SolverPuzzle fullPuzzle()
{
    std::vector<int> all;
    for (int i = 0; i < pieceCount; i++) all.push_back(i);
    return makePuzzle(fullBox, all).puzzle;
}

// The placement's orbit: canonical when no image is smaller, with the half turns that
// leave it in place.
static bool canonicalRoot(const SolverPuzzle& puzzle, uint64_t mask, std::vector<int>& stabiliser)
{
    stabiliser.clear();
    for (int v = 1; v < 4; v++) {
        const uint64_t image = turnMask(puzzle.symmetry, v, mask);
        if (image < mask) return false;
        if (image == mask) stabiliser.push_back(v);
    }
    return true;
}

SearchPlan planOnePerOrbit(const SolverPuzzle& puzzle)
{
    // The piece with the fewest placements up to the half turns goes first. In the full
    // puzzle that is the plus sign (piece 10), and placed first it also makes the fastest
    // search of all pieces tried: an obstacle in the middle of the box that the filling
    // from the low end has to fit around.
    SearchPlan best = {-1, {}};
    for (int s = 0; s < puzzle.slotCount; s++) {
        SearchPlan plan = {s, {}};
        std::vector<int> stabiliser;
        for (size_t i = 0; i < puzzle.placements[s].size(); i++)
            if (canonicalRoot(puzzle, puzzle.placements[s][i].mask, stabiliser))
                plan.roots.push_back({int(i), stabiliser});
        if (best.rootSlot < 0 || plan.roots.size() < best.roots.size()) best = plan;
    }
    return best;
}

SearchPlan planAllFillings(const SolverPuzzle& puzzle)
{
    SearchPlan plan = {0, {}};
    for (size_t i = 0; i < puzzle.placements[0].size(); i++) plan.roots.push_back({int(i), {}});
    return plan;
}

SearchPlan planFixedPlacement(const SolverPuzzle& puzzle, int slot, int placement)
{
    (void)puzzle;
    return {slot, {{placement, {}}}};
}

Filling fillingOfRecord(const SolverPuzzle& puzzle, const SolutionRecord& record)
{
    Filling filling = {};
    for (PlacementWord word : record.words) {
        const int piece = placementPieceIndex(word);
        for (int s = 0; s < puzzle.slotCount; s++)
            if (puzzle.pieceOfSlot[s] == piece)
                filling[size_t(piece)] = placedMask(puzzle.box, puzzle.shapeOfSlot[s], word);
    }
    return filling;
}

namespace {

// A subtree: the state after its first placements, in the search's own order.
struct Task {
    uint64_t occupied;
    uint32_t freeSlots;
    int root;
    int16_t chosen[pieceCount];
    // Share of the whole search, guessed as if every node's subtrees were alike: a
    // subtree gets its parent's share divided by the parent's number of subtrees. Far
    // closer to the real work than counting subtrees, for the progress line.
    double share;
};

// Masks for moving a set of cells one step along each axis without wrapping.
struct StepMasks {
    uint64_t notLastZ, notFirstZ, notLastY, notFirstY;
    int strideY, strideX;
};

StepMasks stepMasks(PuzzleBox box)
{
    StepMasks m = {};
    m.strideY = box.sizeZ;
    m.strideX = box.sizeZ * box.sizeY;
    for (int x = 0; x < box.sizeX; x++)
        for (int y = 0; y < box.sizeY; y++)
            for (int z = 0; z < box.sizeZ; z++) {
                const uint64_t bit = uint64_t(1) << cellBit(box, {x, y, z});
                if (z < box.sizeZ - 1) m.notLastZ |= bit;
                if (z > 0) m.notFirstZ |= bit;
                if (y < box.sizeY - 1) m.notLastY |= bit;
                if (y > 0) m.notFirstY |= bit;
            }
    return m;
}

// The cells next to any cell of a set (and some beyond the box's last cell, which no
// caller looks at).
inline uint64_t neighbours(const StepMasks& m, uint64_t cells)
{
    return ((cells & m.notLastZ) << 1) | ((cells & m.notFirstZ) >> 1) |
           ((cells & m.notLastY) << m.strideY) | ((cells & m.notFirstY) >> m.strideY) |
           (cells << m.strideX) | (cells >> m.strideX);
}

// When no piece is a single cube, an empty cell walled in on all sides by filled cells
// and the box can never be filled. Found with a few shifts, this check halves the search
// of the full puzzle at the cost of a handful of instructions.
inline bool hasWalledInCell(const StepMasks& m, uint64_t empty)
{
    return (empty & ~neighbours(m, empty)) != 0;
}

// The placements that may fill the lowest empty cell next, in the search's order (by
// slot, then by mask): each fits into the empty cells and belongs to a free slot. Writes
// their list indices and slots; returns how many. The test runs without branches, since
// most candidates fail it at random.
inline int candidatesAtLowestCell(const SolverPuzzle& puzzle, uint64_t occupied,
                                  uint32_t freeSlots, uint32_t* index, uint8_t* slot)
{
    const int cell = __builtin_ctzll(~occupied);
    const uint32_t state = uint32_t(occupied >> cell >> 1) & (lookaheadStates - 1);
    const size_t list = size_t(cell) * lookaheadStates + state;
    const uint32_t* first = &puzzle.firstOf[list * size_t(puzzle.slotCount + 1)];
    const uint64_t* masks = puzzle.cellMasks.data();
    int n = 0;
    for (uint32_t f = freeSlots & puzzle.slotsOf[list]; f; f &= f - 1) {
        const int s = __builtin_ctz(f);
        for (uint32_t i = first[s], end = first[s + 1]; i < end; i++) {
            index[n] = i;
            slot[n] = uint8_t(s);
            n += (masks[i] & occupied) == 0;
        }
    }
    return n;
}

struct Walker {
    const SolverPuzzle& puzzle;
    uint64_t full;
    int16_t chosen[pieceCount];
    const SearchRoot* root;
    std::vector<SolutionRecord>* out;
    uint64_t nodes;
    const std::atomic<bool>* stop;
    StepMasks steps;
    bool pruneWalledIn;  // false for puzzles with single-cube pieces (tests)
    std::vector<uint32_t> fitIndex;
    std::vector<uint8_t> fitSlot;

    void emit()
    {
        const SolverPuzzle& p = puzzle;
        if (!root->stabiliser.empty()) {
            // The root placement alone does not pick one of these images; the filling
            // that is the smallest of them does. A filling that a half turn maps onto
            // itself is its own image and is kept once.
            Filling filling = {};
            for (int s = 0; s < p.slotCount; s++)
                filling[p.pieceOfSlot[s]] = p.placements[s][chosen[s]].mask;
            for (int v : root->stabiliser)
                if (turnFilling(p.symmetry, v, filling) < filling) return;
        }
        SolutionRecord record = {};
        for (int s = 0; s < p.slotCount; s++)
            record.words[p.pieceOfSlot[s]] = p.placements[s][chosen[s]].word;
        out->push_back(record);
    }

    void search(uint64_t occupied, uint32_t freeSlots, int depth)
    {
        if (occupied == full) {
            emit();
            return;
        }
        if (stop && stop->load(std::memory_order_relaxed)) return;
        uint32_t* index = &fitIndex[size_t(depth) * size_t(puzzle.longestList)];
        uint8_t* slot = &fitSlot[size_t(depth) * size_t(puzzle.longestList)];
        const int n = candidatesAtLowestCell(puzzle, occupied, freeSlots, index, slot);
        const uint64_t* masks = puzzle.cellMasks.data();
        const uint16_t* placementOf = puzzle.cellPlacement.data();
        for (int k = 0; k < n; k++) {
            const uint64_t mask = masks[index[k]];
            if (pruneWalledIn && hasWalledInCell(steps, full & ~(occupied | mask))) continue;
            const int s = slot[k];
            nodes++;
            chosen[s] = int16_t(placementOf[index[k]]);
            search(occupied | mask, freeSlots & ~(uint32_t(1) << s), depth + 1);
        }
    }

    void run(const Task& task)
    {
        std::copy(task.chosen, task.chosen + pieceCount, chosen);
        // One candidate buffer per level below the task; a level places one piece.
        const size_t levels = size_t(puzzle.slotCount + 1);
        fitIndex.resize(levels * size_t(puzzle.longestList));
        fitSlot.resize(levels * size_t(puzzle.longestList));
        search(task.occupied, task.freeSlots, 0);
    }
};

Task rootTask(const SolverPuzzle& puzzle, const SearchPlan& plan, int r)
{
    Task task = {};
    const int s = plan.rootSlot;
    task.occupied = puzzle.placements[s][size_t(plan.roots[size_t(r)].placement)].mask;
    task.freeSlots = ((uint32_t(1) << puzzle.slotCount) - 1) & ~(uint32_t(1) << s);
    task.root = r;
    task.chosen[s] = int16_t(plan.roots[size_t(r)].placement);
    task.share = 1.0 / double(plan.roots.size());
    return task;
}

// The subtrees one level further down, in the order the search takes them. A finished
// filling stays a task of its own, so the emit happens in the worker as everywhere else.
void expandTask(const SolverPuzzle& puzzle, const Task& task, std::vector<Task>& out)
{
    const uint64_t full = fullMask(puzzle.box);
    if (task.occupied == full) {
        out.push_back(task);
        return;
    }
    // The same placements as the search itself makes, so that the split changes nothing.
    std::vector<uint32_t> index(size_t(puzzle.longestList));
    std::vector<uint8_t> slot(size_t(puzzle.longestList));
    const int n = candidatesAtLowestCell(puzzle, task.occupied, task.freeSlots, index.data(),
                                         slot.data());
    const StepMasks steps = stepMasks(puzzle.box);
    const bool pruneWalledIn = puzzle.smallestShape > 1;
    for (int k = 0; k < n; k++) {
        const uint32_t i = index[size_t(k)];
        if (pruneWalledIn && hasWalledInCell(steps, full & ~(task.occupied | puzzle.cellMasks[i])))
            continue;
        Task child = task;
        child.occupied |= puzzle.cellMasks[i];
        child.freeSlots &= ~(uint32_t(1) << slot[size_t(k)]);
        child.chosen[slot[size_t(k)]] = int16_t(puzzle.cellPlacement[i]);
        out.push_back(child);
    }
}

// Enough subtrees that threads stay busy to the end and progress moves smoothly; the
// split changes nothing in the order of the records.
// placements counts the placements made on the way, the roots included.
std::vector<Task> makeTasks(const SolverPuzzle& puzzle, const SearchPlan& plan,
                            uint64_t& placements)
{
    std::vector<Task> tasks;
    for (size_t r = 0; r < plan.roots.size(); r++) tasks.push_back(rootTask(puzzle, plan, int(r)));
    placements = tasks.size();
    const uint64_t full = fullMask(puzzle.box);
    for (int level = 0; level < 4 && !tasks.empty() && tasks.size() < 3000; level++) {
        std::vector<Task> next;
        for (const Task& task : tasks) {
            const size_t before = next.size();
            expandTask(puzzle, task, next);
            const size_t children = next.size() - before;
            if (task.occupied != full) placements += children;
            for (size_t i = before; i < next.size(); i++) next[i].share = task.share / double(children);
        }
        tasks.swap(next);
    }
    return tasks;
}

}  // namespace

std::vector<SolutionRecord> solveAll(const SolverPuzzle& puzzle, const SearchPlan& plan,
                                     uint64_t* nodes)
{
    std::vector<SolutionRecord> records;
    Walker walker = {puzzle, fullMask(puzzle.box), {}, nullptr, &records, 0, nullptr, stepMasks(puzzle.box), puzzle.smallestShape > 1, {}, {}};
    for (size_t r = 0; r < plan.roots.size(); r++) {
        walker.root = &plan.roots[r];
        walker.run(rootTask(puzzle, plan, int(r)));
    }
    if (nodes) *nodes = walker.nodes + plan.roots.size();
    return records;
}

SearchOutcome runSearch(const SolverPuzzle& puzzle, const SearchPlan& plan, int threads,
                        const DeliverFn& deliver, const TickFn& tick,
                        const std::atomic<bool>* cancel, int tickMilliseconds)
{
    uint64_t prefixNodes = 0;
    const std::vector<Task> tasks = makeTasks(puzzle, plan, prefixNodes);
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
        Walker walker = {puzzle, fullMask(puzzle.box), {}, nullptr, &found, 0, &stop, stepMasks(puzzle.box), puzzle.smallestShape > 1, {}, {}};
        for (;;) {
            const size_t i = nextTask.fetch_add(1);
            if (i >= n || stop.load()) break;
            walker.root = &plan.roots[size_t(tasks[i].root)];
            walker.nodes = 0;
            found.clear();
            walker.run(tasks[i]);
            std::lock_guard<std::mutex> guard(lock);
            results[i].swap(found);
            done[i] = 1;
            doneCount++;
            doneShare += tasks[i].share;
            doneNodes += walker.nodes;
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
