// puzzle.h: the puzzle as the search sees it: its box and pieces, each piece's
// placements, and the candidate tables, slot keys and union filters made from them once.
#pragma once

#include <cstdint>
#include <vector>

#include "model/placement.h"
#include "solver/candidates.h"
#include "solver/placements.h"
#include "solver/union_filter.h"

struct SolverPuzzle {
    PuzzleBox box;
    BoxSymmetry symmetry;
    int slotCount;                  // pieces in the puzzle
    int pieceOfSlot[pieceCount];    // catalogue index of each
    PieceCells shapeOfSlot[pieceCount];
    SlotPlacements placements;      // per slot, as piecePlacements gives them
    int smallestShape;              // cells of the smallest piece
    Candidates candidates;
    SlotKeys slotKey;
    UnionFilter pairFilter, tripleFilter;
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
