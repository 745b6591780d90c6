// search.h: the fast enumeration of fillings. Exact cover on 64-bit cell masks that
// always fills the lowest empty cell, trying for it every unused piece's placements whose
// lowest cell it is. One piece (the root piece) is placed first; restricting it to one
// placement per orbit of the box's half turns, and settling the fillings that a half turn
// leaves that placement on by comparing their images, yields each filling exactly once
// up to the variants a..d. (A root may also be searched as a pair with an image of its
// own, each half settled the same way: see pairRoot.) A placement that walls in an empty
// cell ends its branch, and so does one that leaves two pieces cells they cannot fill
// (see the pair filter).
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

// The candidates for a cell are the placements whose lowest cell it is, numbered in the
// search's order (by slot, then by index in placements[slot]). A set of them is a bit
// set; a cell starts at most maxCellCandidates placements.
constexpr int maxCellCandidates = 128;
// The candidates of consecutive cells lie a cache line further apart than they need, so
// that the first ones of many cells do not share a set of the first-level cache (as the
// chunk tables below).
constexpr int candidateStride = maxCellCandidates + 8;
struct alignas(16) CandidateSet {
    uint64_t word[2];
};
// The slot tables of a cell: one per six slots, indexed by which of them are free.
constexpr int slotsPerTable = 6;
constexpr int slotTableValues = 1 << slotsPerTable;
constexpr int slotTablesPerCell = (pieceCount + slotsPerTable - 1) / slotsPerTable;
constexpr int slotEntriesPerCell = slotTablesPerCell * slotTableValues;
// Six cells a chunk keep the tables of the full puzzle within the second-level cache.
constexpr int windowChunkBits = 6;
constexpr int windowChunkValues = 1 << windowChunkBits;
// Tables one cache line apart more than their size, so that the same entry of many tables
// (the empty chunk, say) does not fall into one set of the first-level cache.
constexpr int windowTableStride = windowChunkValues + 4;
constexpr int maxWindowChunks = (63 + windowChunkBits - 1) / windowChunkBits;
// The search is compiled for two window sizes: up to 7 chunks (the full puzzle's) and up
// to maxWindowChunks; a puzzle's window is rounded up to one of them.
constexpr int shortWindowChunks = 7;

// Two pieces fill a set of cells only when it is the union of a placement of each. The
// pair filter holds every such union of two slots' disjoint placements whose lowest cell
// is at least pairFilterFrom, hashed with the two slots' keys: two bits of one word per
// union (a Bloom filter), so a union is never missed and another set is let through
// rarely. The size keeps it in the second-level cache beside the fit tables; pairFilterFrom
// is the lowest cell that keeps the unions to about one per pairFilterBitsPerUnion bits.
constexpr int pairFilterWordBits = 14;
constexpr size_t pairFilterWords = size_t(1) << pairFilterWordBits;
constexpr int pairFilterBitsPerUnion = 9;

struct SolverPuzzle {
    PuzzleBox box;
    BoxSymmetry symmetry;
    int slotCount;                  // pieces in the puzzle
    int pieceOfSlot[pieceCount];    // catalogue index of each
    PieceCells shapeOfSlot[pieceCount];
    std::vector<Placement> placements[pieceCount];  // per slot, as piecePlacements gives them
    int smallestShape;                              // cells of the smallest piece
    // Candidate i of cell c: its mask, its slot and its index in placements[slot], at
    // c * candidateStride + i.
    std::vector<uint64_t> candidateMask;
    std::vector<uint8_t> candidateSlot;
    std::vector<uint16_t> candidatePlacement;
    // The candidates of cell c that belong to a set of free slots: one table per six
    // slots, indexed by those slots' bits, at c * slotEntriesPerCell + table *
    // slotTableValues + bits.
    std::vector<CandidateSet> candidatesOfSlots;
    // The candidates of cell c that run into a filled cell among the cells after c, as
    // far as the longest placement reaches: one table per chunk of windowChunkBits of
    // those cells, indexed by which of them are filled, at
    // (c * windowChunks + k) * windowTableStride + chunk. Picking the fits this way costs
    // a few loads and no branches, where testing each candidate would mispredict at
    // random.
    std::vector<CandidateSet> candidatesBlocked;
    int windowChunks;
    // The pair filter (see above) and the slots' hash keys.
    std::vector<uint64_t> pairFilter;
    int pairFilterFrom;
    uint64_t slotKey[pieceCount];
};

// Where the pair filter keeps a set of cells for the two slots whose keys XOR to pairKey:
// two bits of one word.
struct PairFilterProbe {
    size_t word;
    uint64_t bits;
};
inline PairFilterProbe pairFilterProbe(uint64_t cells, uint64_t pairKey)
{
    const uint64_t hash = (cells ^ pairKey) * 0x9E3779B97F4A7C15u;
    return {size_t(hash >> (64 - pairFilterWordBits)),
            (uint64_t(1) << ((hash >> 38) & 63)) | (uint64_t(1) << ((hash >> 44) & 63))};
}
// Whether the filter lets the cells through (only meaningful from pairFilterFrom on).
inline bool pairFilterPasses(const uint64_t* filter, uint64_t cells, uint64_t pairKey)
{
    const PairFilterProbe probe = pairFilterProbe(cells, pairKey);
    return (filter[probe.word] & probe.bits) == probe.bits;
}

// Fails (ok false) when the box is not usable, a piece index is repeated or out of range,
// the pieces' cells do not add up to the box, or a cell starts more placements than a
// candidate set holds.
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
    // The half turns v for which a filling is kept only when it comes before its image
    // under v (see deciderSlot): the stabiliser, and for a root searched together with
    // its image under v (pairRoot), that v.
    std::vector<int> rivals;
};

struct SearchPlan {
    int rootSlot;
    std::vector<SearchRoot> roots;
    // For a root with rivals: of a filling and its images under them the one is kept
    // whose deciderSlot placement reaches less far down the cell order (the other
    // pieces, in catalogue order, decide a tie). The search drops the others as soon as
    // that piece is placed.
    int deciderSlot;
};

// One record per orbit: the root placements that are the smallest of their images. For
// the full puzzle some of them are paired (below) where that was measured to be faster.
SearchPlan planOnePerOrbit(const SolverPuzzle& puzzle);
// The plan with root r, which no half turn leaves in place, replaced by two roots: its
// image under the half turn image (0 for itself) and that root's image under turn
// (1..3). Each filling with the root piece at either is kept when it comes before its
// image under turn, so each orbit still gives one record. Cheaper than the single root
// when the decider piece then prunes both searches early.
SearchPlan pairRoot(const SolverPuzzle& puzzle, SearchPlan plan, size_t r, int image, int turn);
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
