// search.h: the fast enumeration of fillings. Exact cover on 64-bit cell masks that
// always fills the lowest empty cell, trying for it every unused piece's placements whose
// lowest cell it is. One piece (the root piece) is placed first; restricting it to one
// placement per orbit of the box's half turns, and settling the fillings that a half turn
// leaves that placement on by comparing their images, yields each filling exactly once
// up to the variants a..d.
//
// The search splits into many small subtrees, taken in the order in which a single
// depth-first pass meets them. Worker threads solve them in any order; the calling thread
// hands on the solutions of each unbroken run of finished subtrees in subtree order, so
// the sequence of records is the same for every thread count.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/placement.h"
#include "solver/placements.h"

// The filled state of the cells right after the lowest empty cell picks the list of
// candidates, so that most placements that collide are never looked at.
constexpr int lookaheadCells = 3;
constexpr int lookaheadStates = 1 << lookaheadCells;

struct SolverPuzzle {
    PuzzleBox box;
    BoxSymmetry symmetry;
    int slotCount;                  // pieces in the puzzle
    int pieceOfSlot[pieceCount];    // catalogue index of each
    PieceCells shapeOfSlot[pieceCount];
    std::vector<Placement> placements[pieceCount];  // per slot, as piecePlacements gives them
    int smallestShape;                              // cells of the smallest piece
    // For each cell and each state of the three cells after it, the placements whose
    // lowest cell it is and that leave those of the three cells alone that are filled,
    // grouped by slot: their masks and their index in placements[slot]. List
    // l = cell * lookaheadStates + state holds slot s in the range
    // firstOf[l * (slotCount + 1) + s] .. firstOf[l * (slotCount + 1) + s + 1], and
    // slotsOf[l] has a bit for each slot with any placement there.
    std::vector<uint64_t> cellMasks;
    std::vector<uint16_t> cellPlacement;
    std::vector<uint32_t> firstOf;
    std::vector<uint32_t> slotsOf;
    int longestList;  // most placements in one list
};

// Fails (ok false) when the box is not usable, a piece index is repeated or out of range,
// or the pieces' cells do not add up to the box.
struct PuzzleResult {
    bool ok;
    SolverPuzzle puzzle;
};
PuzzleResult makePuzzle(PuzzleBox box, const std::vector<int>& pieces);
// The same with shapes of one's own in place of the catalogue's (for the tests): slot i
// has shapes[i] and piece index i.
PuzzleResult makePuzzleOfShapes(PuzzleBox box, const std::vector<PieceCells>& shapes);
SolverPuzzle fullPuzzle();

struct SearchRoot {
    int placement;                // index in placements[rootSlot]
    std::vector<int> stabiliser;  // non-identity half turns that map it onto itself
};

struct SearchPlan {
    int rootSlot;
    std::vector<SearchRoot> roots;
};

// One record per orbit: the root placements that are the smallest of their images.
SearchPlan planOnePerOrbit(const SolverPuzzle& puzzle);
// Every filling, each variant on its own (for counting and cross-checks).
SearchPlan planAllFillings(const SolverPuzzle& puzzle);
// Every filling in which slot lies at one given placement.
SearchPlan planFixedPlacement(const SolverPuzzle& puzzle, int slot, int placement);

struct SearchStats {
    uint64_t solutions;  // handed on so far
    uint64_t nodes;      // placements made in finished subtrees
    size_t tasksDone, taskTotal;
    double share;        // estimated part of the search done, 0..1
};

// Receives the next records in their final order; returns false to stop the search
// (for instance when the table cannot be written).
using DeliverFn = std::function<bool(const std::vector<SolutionRecord>& records)>;
// Called on the calling thread about every tickMilliseconds and once at the end.
using TickFn = std::function<void(const SearchStats& stats)>;

enum class SearchEnd { complete, cancelled, refused };

struct SearchOutcome {
    SearchEnd end;
    SearchStats stats;
};

// Runs the plan on threads workers (at least 1). Records reach deliver in the same order
// and batches of whole records for any thread count. cancel, when given and set, ends
// the run early; what was delivered stays a prefix of the complete sequence.
SearchOutcome runSearch(const SolverPuzzle& puzzle, const SearchPlan& plan, int threads,
                        const DeliverFn& deliver, const TickFn& tick,
                        const std::atomic<bool>* cancel, int tickMilliseconds = 100);

// Single-threaded, in the caller's thread: the whole sequence of records of a plan.
std::vector<SolutionRecord> solveAll(const SolverPuzzle& puzzle, const SearchPlan& plan,
                                     uint64_t* nodes = nullptr);

// The filling a record describes in puzzle's box (a word that is not a placement of its
// piece in the box gives an empty mask).
Filling fillingOfRecord(const SolverPuzzle& puzzle, const SolutionRecord& record);
