// puzzle.cpp: setting up a puzzle for the search: its checks, placements, candidate
// tables, slot keys and union filters.
#include "solver/puzzle.h"

#include <algorithm>
#include <utility>

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
        p.placements[size_t(s)] = shapePlacements(box, shapes[size_t(s)], pieces[s]);
    }
    CandidatesResult candidates = makeCandidates(box, p.placements);
    if (!candidates.ok) return result;
    p.candidates = std::move(candidates.candidates);
    p.slotKey = makeSlotKeys();
    p.pairFilter = makePairFilter(p.placements, p.slotKey);
    p.tripleFilter = makeTripleFilter(p.placements, p.slotKey);
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
