// puzzle.h: the puzzle as the search sees it: its box and pieces, each piece's
// placements, and the candidate tables and the pair filter built from them once.
#pragma once

#include <cstdint>
#include <vector>

#include "model/placement.h"
#include "solver/candidates.h"
#include "solver/pair_filter.h"
#include "solver/placements.h"

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
    // The pair filter (see pair_filter.h) and the slots' hash keys.
    std::vector<uint64_t> pairFilter;
    int pairFilterFrom;
    // The triple filter (see pair_filter.h): 64 turns it off.
    std::vector<uint64_t> tripleFilter;
    int tripleFilterFrom;
    uint64_t slotKey[pieceCount];
};

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

// The filling a record describes in puzzle's box (a word that is not a placement of its
// piece in the box gives an empty mask).
Filling fillingOfRecord(const SolverPuzzle& puzzle, const SolutionRecord& record);
