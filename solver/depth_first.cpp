// depth_first.cpp: the depth-first search, the hot loop: always the lowest empty cell,
// each fitting placement of a free piece in turn.
#include "solver/depth_first.h"

#include <algorithm>
#include <memory>

#include "solver/pruning.h"

namespace {

// A state to enter next: its candidates, its cells and the placement that made it.
struct NextState {
    CandidateSet fits;
    uint64_t occupied;
    size_t candidate;
};

struct Walker {
    const SolverPuzzle& puzzle;
    uint64_t full;
    int16_t chosen[pieceCount];
    const SearchRoot* root;
    int deciderPiece;              // the catalogue index of the plan's decider slot
    const std::vector<CandidateSet>* ofSlots;  // slotTablesOfRoot of the root
    std::vector<SolutionRecord>* out;
    uint64_t nodes;
    const std::atomic<bool>* stop;
    Pruning pruning;
    // The next states of the levels of the search, each level's after its caller's, so
    // that the few in use lie close together where an array on each call's stack frame
    // would spread them over many pages. pending is where the next level's begin.
    NextState* pending;

    void emit()
    {
        const SolverPuzzle& p = puzzle;
        if (!root->rivals.empty()) {
            // The root placement alone does not pick one of these images; the filling
            // that comes first of them does. A filling that a half turn maps onto itself
            // is its own image and is kept once.
            Filling filling = {};
            for (int s = 0; s < p.slotCount; s++)
                filling[p.pieceOfSlot[s]] = p.placements[s][chosen[s]].mask;
            for (int v : root->rivals)
                if (imageComesFirst(deciderPiece, filling, turnFilling(p.symmetry, v, filling)))
                    return;
        }
        SolutionRecord record = {};
        for (int s = 0; s < p.slotCount; s++)
            record.words[p.pieceOfSlot[s]] = p.placements[s][chosen[s]].word;
        out->push_back(record);
    }

    // fits: the candidates that fit at the lowest empty cell, as fittingCandidates gives
    // them; Free: the number of free slots; freeKey: their keys XORed, for the pair and
    // triple filters. Each placement is followed by a look at the next state's own
    // candidates, so a state without any, most states near the end, costs no call.
    template <int Chunks, int Free>
    void search(const CandidateTables& t, uint64_t occupied, uint32_t freeSlots, uint64_t freeKey,
                CandidateSet fits)
    {
        const size_t first = size_t(__builtin_ctzll(~occupied)) * candidateStride;
        if constexpr (Free == 1) {
            // The last piece has as many cells as are empty: each fit fills the box.
            for (uint64_t lo = fits.word[0], hi = fits.word[1]; lo | hi;) {
                const size_t i = first + size_t(takeLowest(lo, hi));
                chosen[t.slot[i]] = int16_t(t.placement[i]);
                nodes++;
                emit();
            }
        } else {
            // (Deeper subtrees are over in microseconds.)
            if constexpr (Free >= 4)
                if (stop && stop->load(std::memory_order_relaxed)) return;
            NextState* const next = pending;
            int count = 0;
            uint64_t made = 0;
            const uint64_t full = this->full;
            const Pruning pruning = this->pruning;
            // Puts the next state after placement i in next, counted when it has candidates.
            auto look = [&](size_t i, uint64_t after) {
                const CandidateSet nextFits =
                    fittingCandidates<Chunks>(t, after, freeSlots & ~(uint32_t(1) << t.slot[i]));
                made++;
                next[count] = {nextFits, after, i};
                count += !isEmpty(nextFits);
            };
            if constexpr (Free == 3 || Free == 4) {
                // The filters turn away most placements, at one load each, before their
                // candidates are looked up.
                for (uint64_t lo = fits.word[0], hi = fits.word[1]; lo | hi;) {
                    const size_t i = first + size_t(takeLowest(lo, hi));
                    const uint64_t after = occupied | t.mask[i];
                    if (placementEndsBranch<Free>(pruning, full & ~after, freeKey ^ pruning.slotKey[t.slot[i]]))
                        continue;
                    look(i, after);
                }
            } else {
                // The placements that the rule lets through, as a bit set: it decides as
                // good as at random here, so each sets a bit instead of taking a branch.
                uint64_t open[2] = {0, 0};
                for (uint64_t lo = fits.word[0], hi = fits.word[1]; lo | hi;) {
                    const int b = takeLowest(lo, hi);
                    const size_t i = first + size_t(b);
                    const uint64_t empty = full & ~(occupied | t.mask[i]);
                    const uint64_t bit =
                        uint64_t(!placementEndsBranch<Free>(pruning, empty, freeKey ^ pruning.slotKey[t.slot[i]]))
                        << (b & 63);
                    open[0] |= b < 64 ? bit : 0;
                    open[1] |= b < 64 ? 0 : bit;
                }
                // Then the next states' candidates, all of them before any state is
                // entered, so that their table loads overlap.
                for (uint64_t lo = open[0], hi = open[1]; lo | hi;) {
                    const size_t i = first + size_t(takeLowest(lo, hi));
                    look(i, occupied | t.mask[i]);
                }
            }
            nodes += made;
            pending += count;
            for (int k = 0; k < count; k++) {
                const size_t i = next[k].candidate;
                const int s = t.slot[i];
                chosen[s] = int16_t(t.placement[i]);
                search<Chunks, Free - 1>(t, next[k].occupied, freeSlots & ~(uint32_t(1) << s),
                                         freeKey ^ pruning.slotKey[s], next[k].fits);
            }
            pending = next;
        }
    }

    void run(const Task& task)
    {
        std::copy(task.chosen, task.chosen + pieceCount, chosen);
        if (task.occupied == full) {
            emit();
            return;
        }
        const CandidateTables tables = candidateTables(puzzle.candidates, *ofSlots);
        withWindowChunks(puzzle, [&](auto chunks) {
            constexpr int Chunks = decltype(chunks)::value;
            const CandidateSet fits = fittingCandidates<Chunks>(tables, task.occupied, task.freeSlots);
            withFreeCount(task.freeSlots, [&](auto free) {
                search<Chunks, decltype(free)::value>(tables, task.occupied, task.freeSlots,
                                                      keyOfSlots(pruning, task.freeSlots), fits);
            });
        });
    }
};

}  // namespace

uint64_t searchSubtree(const SolverPuzzle& puzzle, const SearchPlan& plan,
                       const std::vector<CandidateSet>& ofSlots, const Task& task,
                       const std::atomic<bool>* stop, std::vector<SolutionRecord>& out)
{
    // One level of the search for each piece, each with at most a cell's candidates.
    const std::unique_ptr<NextState[]> pending(new NextState[size_t(pieceCount + 1) * maxCellCandidates]);
    Walker walker = {puzzle, fullMask(puzzle.box),
                     {},     &plan.roots[size_t(task.root)],
                     puzzle.pieceOfSlot[plan.deciderSlot], &ofSlots,
                     &out,   0,
                     stop,   pruningOf(puzzle),
                     pending.get()};
    walker.run(task);
    return walker.nodes;
}
