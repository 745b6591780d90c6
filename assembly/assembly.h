// assembly.h: how a packing is put together with real pieces. Given the pieces as sets of
// cells of one grid, the plan is an order of the pieces and for each the side from which it
// slides in, in a straight line from outside the grid to its place, so that it never passes
// through a piece placed before it; or the answer that no such plan exists, with the pieces
// that lock each other. Pure and portable: the solver's statistics and the 3-D viewer (which
// finds the cells from its meshes) both call it.
//
// The plan is found backwards: take out any piece that can leave along a straight line,
// again and again, and reverse. Taking a piece out only frees room, so a piece that can
// leave keeps that way open; whichever removable piece goes first, the others stay
// removable, and the pieces left over when none can leave are the same for every order.
// So the search never backtracks, and when it gets stuck no plan exists at all.
//
// Axes and sides. Cells are (x, y, z) with 0 <= x < sizeX and so on; for our puzzle the
// grid is the 5 x 4 x 3 box. Sides are named as the viewer's start view shows the box: y
// points up, x to the right, z towards the viewer (the view looks from the corner
// (5, 4, 3) at the box; the right face x = 5 is on the right of the picture, the front
// face z = 3 on its left, both turned towards the viewer):
//     top    +y  "von oben"    "from above"        bottom -y  "von unten"  "from below"
//     right  +x  "von rechts"  "from the right"    left   -x  "von links"  "from the left"
//     front  +z  "von vorn"    "from the front"    back   -z  "von hinten" "from behind"
// These are the sides of the viewer's standard views (F7 top, F6 right, F5 front). A piece
// that comes in from the top starts above the grid and moves in the -y direction.
//
// Limits: a grid of at most 64 cells (one 64-bit mask; our box has 60, and any puzzle of up
// to 64 unit cubes fits) and at most 64 pieces. Larger grids are refused with
// AssemblyStatus::gridTooLarge and no plan; a caller such as the viewer then keeps its own
// order for that file.
#pragma once

#include <cstdint>
#include <vector>

constexpr int maxAssemblyCells = 64;
constexpr int maxAssemblyPieces = 64;
constexpr int assemblyFaceCount = 6;

enum class BoxFace : uint8_t { top, bottom, left, right, front, back };

// free: each piece may come from any of the six sides. box: the grid is an open box whose
// one open face is given; every piece comes straight in through that face, the walls rule
// out every other way.
enum class AssemblyMode : uint8_t { free, box };

enum class AssemblyStatus : uint8_t {
    ok,            // steps hold every piece
    interlocked,   // no plan: interlocked lists the pieces that cannot be separated
    badGrid,       // a size below 1
    gridTooLarge,  // more than maxAssemblyCells cells
    tooManyPieces, // more than maxAssemblyPieces pieces
    badPiece,      // a piece without cells, a cell outside the grid, or two pieces on one cell
};

struct GridCell {
    int x, y, z;
};

constexpr bool operator==(GridCell a, GridCell b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
constexpr bool operator!=(GridCell a, GridCell b) { return !(a == b); }

struct AssemblyGrid {
    int sizeX, sizeY, sizeZ;
};

struct AssemblyInput {
    AssemblyGrid grid;
    std::vector<std::vector<GridCell>> pieces;  // the caller's piece numbers are the indices
    AssemblyMode mode;
    BoxFace openFace;  // box mode only
};

struct AssemblyStep {
    int piece;     // index into AssemblyInput::pieces
    BoxFace from;  // the side it comes in from (in box mode always the open face)
};

struct AssemblyPlan {
    AssemblyStatus status;
    // In assembly order. With status interlocked: the other pieces, in an order that works
    // once the interlocked ones are in place (they may be none).
    std::vector<AssemblyStep> steps;
    std::vector<int> interlocked;  // ascending piece indices; empty unless interlocked
    int badPiece;                  // badPiece: the first piece found at fault, else -1
};

AssemblyPlan planAssembly(const AssemblyInput& input);

// "von oben", "von unten", "von links", "von rechts", "von vorn", "von hinten".
const char* faceNameGerman(BoxFace face);
// "from above", "from below", "from the left", "from the right", "from the front", "from behind".
const char* faceNameEnglish(BoxFace face);
// The outward axis of the face: top is (0, 1, 0). A piece from that side moves against it.
GridCell faceNormal(BoxFace face);

// The fast path for many packings on one grid (the solver's statistics): pieces as cell
// masks, bit x + sizeX * (y + sizeY * z). Sweeps are computed once per packing and serve
// every mode.
using CellMask = uint64_t;

struct AssemblyGridMasks {
    AssemblyGrid grid;
    int cellCount;
    int stride[assemblyFaceCount];    // bit distance of one step out through the face
    CellMask inner[assemblyFaceCount];  // cells that have a neighbour towards the face
};

// False for a grid below 1 cell a side or above maxAssemblyCells cells.
bool prepareAssemblyGrid(AssemblyGrid grid, AssemblyGridMasks& masks);
int cellIndex(const AssemblyGrid& grid, GridCell cell);  // -1 outside the grid

// The cells a piece passes through on its way out through a face, its own cells excepted.
CellMask sweepOut(const AssemblyGridMasks& masks, CellMask piece, BoxFace face);

struct PackingSweeps {
    int pieceCount;  // at most maxAssemblyPieces
    CellMask cells[maxAssemblyPieces];
    CellMask sweep[maxAssemblyPieces][assemblyFaceCount];
};

// The masks must be non-empty, inside the grid and disjoint.
void computeSweeps(const AssemblyGridMasks& masks, const CellMask* pieces, int pieceCount,
                   PackingSweeps& sweeps);

// The removal with the sides in allowedFaces (bit 1 << int(face)). Writes the steps in
// assembly order to steps when it is not null (room for pieceCount) and their number to
// stepCount; returns the set of pieces left interlocked (bit i for piece i), 0 for a plan.
uint64_t planWithSweeps(const PackingSweeps& sweeps, unsigned allowedFaces, AssemblyStep* steps,
                        int* stepCount);

constexpr unsigned allAssemblyFaces = (1u << assemblyFaceCount) - 1;
constexpr unsigned faceBit(BoxFace face) { return 1u << unsigned(face); }
