// reference.h: the slow, obviously right way to the same answers, for the tests. Piece
// placements come from the 24 rotation matrices and every translation, not from
// placement words; fillings from trying every placement of each piece in turn.
#pragma once

#include <set>
#include <vector>

#include "solver/placements.h"

// The 24 proper rotations: signed permutation matrices with determinant +1.
std::vector<IntTransform> properRotations();

// Every distinct set of cells that the shape covers inside the box.
std::set<uint64_t> referencePlacements(PuzzleBox box, const PieceCells& shape);

// Every filling of the box by the shapes, each once, variants counted apart; shape k
// goes to the filling's entry k.
std::vector<Filling> referenceFillings(PuzzleBox box, const std::vector<PieceCells>& shapes);

// The catalogue pieces' shapes, and a filling of them renumbered to catalogue indices.
std::vector<PieceCells> catalogueShapes(const std::vector<int>& pieces);
Filling toCatalogue(const Filling& f, const std::vector<int>& pieces);
