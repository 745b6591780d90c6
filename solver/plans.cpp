// plans.cpp: the search plans and the choice between a filling and its images.
#include "solver/plans.h"

#include <algorithm>

// The placement's orbit: canonical when no image is smaller, with the half turns that
// leave it in place.
static bool canonicalRoot(const SolverPuzzle& puzzle, uint64_t mask, std::vector<int>& stabiliser)
{
    stabiliser.clear();
    for (int v = 1; v < 4; v++) {
        const uint64_t image = turnMask(puzzle.symmetry, v, mask);
        if (image < mask) return false;
        if (image == mask) stabiliser.push_back(v);
    }
    return true;
}

// The piece with the most placements decides between a filling and its images: it comes
// early in most branches of the search, so each placement of it that loses cuts off a
// large subtree.
static int deciderSlotOf(const SolverPuzzle& puzzle, int rootSlot)
{
    int decider = -1;
    for (int s = 0; s < puzzle.slotCount; s++)
        if (s != rootSlot && (decider < 0 || puzzle.placements[s].size() > puzzle.placements[decider].size()))
            decider = s;
    return decider < 0 ? rootSlot : decider;
}

SearchPlan planOnePerOrbit(const SolverPuzzle& puzzle)
{
    // The piece with the fewest placements up to the half turns goes first. In the full
    // puzzle that is the plus sign (piece 10), and placed first it also makes the fastest
    // search of all pieces tried: an obstacle in the middle of the box that the filling
    // from the low end has to fit around.
    SearchPlan best = {-1, {}, 0};
    for (int s = 0; s < puzzle.slotCount; s++) {
        SearchPlan plan = {s, {}, deciderSlotOf(puzzle, s)};
        std::vector<int> stabiliser;
        for (size_t i = 0; i < puzzle.placements[s].size(); i++)
            if (canonicalRoot(puzzle, puzzle.placements[s][i].mask, stabiliser))
                plan.roots.push_back({int(i), stabiliser, stabiliser});
        if (best.rootSlot < 0 || plan.roots.size() < best.roots.size()) best = plan;
    }
    // Roots of the full puzzle that are searched faster as a pair, with the pairing that
    // needed the fewest nodes of all tried (search nodes, one root against the pair):
    // plus at 0xB111 131 M against 77 M, at 0xB024 89 M against 50 M, at 0xB016 79 M
    // against 75 M. Every other root needed fewer nodes alone than in any pair.
    struct Pairing {
        PlacementWord root;
        int image, turn;
    };
    constexpr Pairing fullPuzzlePairings[] = {{0xB111, 2, 1}, {0xB024, 0, 1}, {0xB016, 0, 2}};
    // (Pairing is right for any puzzle; these only pay off for the full one.)
    const bool isFullPuzzle = puzzle.slotCount == pieceCount && puzzle.box.sizeX == fullBox.sizeX &&
                            puzzle.box.sizeY == fullBox.sizeY && puzzle.box.sizeZ == fullBox.sizeZ;
    if (isFullPuzzle && best.rootSlot >= 0) {
        // From the back, so that the roots not yet looked at keep their index.
        for (size_t r = best.roots.size(); r-- > 0;) {
            const PlacementWord word = puzzle.placements[best.rootSlot][size_t(best.roots[r].placement)].word;
            for (const Pairing& pairing : fullPuzzlePairings)
                if (word == pairing.root) best = pairRoot(puzzle, best, r, pairing.image, pairing.turn);
        }
    }
    return best;
}

SearchPlan pairRoot(const SolverPuzzle& puzzle, SearchPlan plan, size_t r, int image, int turn)
{
    if (r >= plan.roots.size() || !plan.roots[r].stabiliser.empty() || image < 0 || image > 3 ||
        turn < 1 || turn > 3)
        return plan;
    const std::vector<Placement>& placements = puzzle.placements[plan.rootSlot];
    auto placementOf = [&](uint64_t mask) {
        for (size_t i = 0; i < placements.size(); i++)
            if (placements[i].mask == mask) return int(i);
        return -1;  // not reached: a half turn maps placements onto placements
    };
    const uint64_t first = turnMask(puzzle.symmetry, image, placements[size_t(plan.roots[r].placement)].mask);
    const uint64_t second = turnMask(puzzle.symmetry, turn, first);
    plan.roots[r] = {placementOf(first), {}, {turn}};
    plan.roots.insert(plan.roots.begin() + std::ptrdiff_t(r) + 1, SearchRoot{placementOf(second), {}, {turn}});
    return plan;
}

SearchPlan planAllFillings(const SolverPuzzle& puzzle)
{
    SearchPlan plan = {0, {}, 0};
    for (size_t i = 0; i < puzzle.placements[0].size(); i++) plan.roots.push_back({int(i), {}, {}});
    return plan;
}

SearchPlan planFixedPlacement(const SolverPuzzle& puzzle, int slot, int placement)
{
    (void)puzzle;
    return {slot, {{placement, {}, {}}}, slot};
}

bool reachesLower(uint64_t a, uint64_t b)
{
    return a != b && ((a >> __builtin_ctzll(a ^ b)) & 1);
}

bool imageComesFirst(int deciderPiece, const Filling& filling, const Filling& image)
{
    if (filling[size_t(deciderPiece)] != image[size_t(deciderPiece)])
        return reachesLower(filling[size_t(deciderPiece)], image[size_t(deciderPiece)]);
    for (size_t piece = 0; piece < filling.size(); piece++)
        if (filling[piece] != image[piece]) return reachesLower(filling[piece], image[piece]);
    return false;
}

std::vector<CandidateSet> slotTablesOfRoot(const SolverPuzzle& puzzle, const SearchPlan& plan,
                                           const SearchRoot& root)
{
    if (root.rivals.empty()) return {};
    std::vector<CandidateSet> ofSlots = puzzle.candidates.ofSlots;
    const int cells = boxCellTotal(puzzle.box);
    for (int c = 0; c < cells; c++)
        for (int i = 0; i < maxCellCandidates; i++) {
            const size_t at = size_t(c) * candidateStride + size_t(i);
            const uint64_t mask = puzzle.candidates.mask[at];
            if (mask == 0 || puzzle.candidates.slot[at] != plan.deciderSlot) continue;
            bool loses = false;
            for (int v : root.rivals) loses = loses || reachesLower(mask, turnMask(puzzle.symmetry, v, mask));
            if (!loses) continue;
            for (size_t k = 0; k < size_t(slotEntriesPerCell); k++)
                ofSlots[size_t(c) * slotEntriesPerCell + k].word[i / 64] &= ~(uint64_t(1) << (i % 64));
        }
    return ofSlots;
}

std::vector<std::vector<CandidateSet>> slotTablesOfPlan(const SolverPuzzle& puzzle,
                                                        const SearchPlan& plan)
{
    std::vector<std::vector<CandidateSet>> tables;
    for (const SearchRoot& root : plan.roots) tables.push_back(slotTablesOfRoot(puzzle, plan, root));
    return tables;
}
