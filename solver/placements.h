// placements.h: the box as a set of bits and every place a piece can take in it. Cells
// are numbered so that the lowest empty cell is the next one the search fills: z runs
// fastest, then y, then x, so the box fills in short columns along its longest axis.
// Each distinct cell set of a piece is reached by one placement word, the smallest of
// all words that put the catalogue piece exactly onto those cells.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/geometry.h"
#include "model/placement.h"

// A box of sizeX x sizeY x sizeZ cells at the origin. The full puzzle is 5 x 4 x 3; the
// tests use smaller boxes. Placement words reach translations up to (7, 3, 3), so a box
// fits them when it is at most 8 x 4 x 4 and has at most 64 cells.
struct PuzzleBox {
    int sizeX, sizeY, sizeZ;
};

constexpr PuzzleBox fullBox = {boxSizeX, boxSizeY, boxSizeZ};

bool boxIsUsable(PuzzleBox box);
int boxCellTotal(PuzzleBox box);
uint64_t fullMask(PuzzleBox box);

// Bit number of a cell inside the box, or -1 for a cell outside it.
int cellBit(PuzzleBox box, Cell cell);
Cell cellOfBit(PuzzleBox box, int bit);

// The cells that a piece covers when placed by word, or 0 when any of them lies outside
// the box (a placed piece never covers no cell).
uint64_t placedMask(PuzzleBox box, const PieceCells& shape, PlacementWord word);
uint64_t placedMask(PuzzleBox box, int pieceIndex, PlacementWord word);

struct Placement {
    uint64_t mask;
    PlacementWord word;
};

// Every distinct cell set of the piece inside the box, ordered by mask, each with the
// smallest word that yields it. The words carry pieceIndex + 1 as their piece number;
// a shape other than the catalogue's serves the tests.
std::vector<Placement> shapePlacements(PuzzleBox box, const PieceCells& shape, int pieceIndex);
std::vector<Placement> piecePlacements(PuzzleBox box, int pieceIndex);

// The placements of each slot of a puzzle (none for the slots beyond its pieces).
using SlotPlacements = std::array<std::vector<Placement>, pieceCount>;

// The box's half turns a..d (variant 0 is the identity) as permutations of its bits.
// They are the whole-box orientations of the viewer, taken about this box's centre.
struct BoxSymmetry {
    PuzzleBox box;
    std::array<std::array<int8_t, 64>, 4> bitImage;
};

BoxSymmetry boxSymmetry(PuzzleBox box);
uint64_t turnMask(const BoxSymmetry& symmetry, int variant, uint64_t mask);

// A filling as one mask per catalogue piece (0 for a piece that is not in it). Two
// fillings are variants of each other when a half turn maps one onto the other.
using Filling = std::array<uint64_t, pieceCount>;

Filling turnFilling(const BoxSymmetry& symmetry, int variant, const Filling& filling);

// The smallest of the four images: equal for exactly the fillings of one orbit.
Filling canonicalFilling(const BoxSymmetry& symmetry, const Filling& filling);
