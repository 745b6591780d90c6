// plans.h: search plans: which piece is placed first and where, and how the half turns
// of the box are settled so that each filling is found once up to its variants a..d.
#pragma once

#include <cstddef>
#include <vector>

#include "solver/puzzle.h"

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

// Whether mask a comes after mask b in the order that decides between a filling and its
// images: of two different masks, the one with the lowest cell that only one of them
// covers comes after the other.
bool reachesLower(uint64_t a, uint64_t b);

// Whether image comes before filling: the decider piece first, then the others in
// catalogue order.
bool imageComesFirst(int deciderPiece, const Filling& filling, const Filling& image);

// For a root with rivals, only the first of a filling and its images is kept. Mostly the
// decider piece settles that as soon as it is placed: placed lower than its image, it
// loses. Those placements are taken out of the root's own copy of the slot tables, so the
// search never enters their subtrees; the rest is settled when the filling is complete.
// Roots without rivals share the puzzle's tables (an empty vector).
std::vector<CandidateSet> slotTablesOfRoot(const SolverPuzzle& puzzle, const SearchPlan& plan,
                                           const SearchRoot& root);
// slotTablesOfRoot of each root of the plan, by root.
std::vector<std::vector<CandidateSet>> slotTablesOfPlan(const SolverPuzzle& puzzle,
                                                        const SearchPlan& plan);
