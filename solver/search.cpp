// search.cpp: puzzle set-up, search plans, the depth-first search and the ordered
// parallel run.
#include "solver/search.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <type_traits>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif


// Calls visit(union) for each pair of two slots' disjoint placements.
template <typename Visit>
static void forEachPairUnion(const SolverPuzzle& p, Visit visit)
{
    for (int a = 0; a < p.slotCount; a++)
        for (int b = a + 1; b < p.slotCount; b++)
            for (const Placement& first : p.placements[a])
                for (const Placement& second : p.placements[b])
                    if ((first.mask & second.mask) == 0) visit(a, b, first.mask | second.mask);
}

static void buildPairFilter(SolverPuzzle& p)
{
    // Fixed keys, so that the filter and with it the search are the same on every run.
    uint64_t state = 0x2545F4914F6CDD1Du;
    for (uint64_t& key : p.slotKey) {
        state += 0x9E3779B97F4A7C15u;  // splitmix64
        uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        key = z ^ (z >> 31);
    }
    // The unions by their lowest cell, to choose pairFilterFrom.
    uint64_t fromCell[64] = {};
    forEachPairUnion(p, [&](int, int, uint64_t cells) { fromCell[__builtin_ctzll(cells)]++; });
    const uint64_t budget = pairFilterWords * 64 / pairFilterBitsPerUnion;
    uint64_t kept = 0;
    p.pairFilterFrom = 64;
    while (p.pairFilterFrom > 0 && kept + fromCell[p.pairFilterFrom - 1] <= budget)
        kept += fromCell[--p.pairFilterFrom];
    p.pairFilter.assign(pairFilterWords, 0);
    forEachPairUnion(p, [&](int a, int b, uint64_t cells) {
        if (__builtin_ctzll(cells) < p.pairFilterFrom) return;
        const PairFilterProbe probe = pairFilterProbe(cells, p.slotKey[a] ^ p.slotKey[b]);
        p.pairFilter[probe.word] |= probe.bits;
    });
}

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
        p.placements[s] = shapePlacements(box, shapes[size_t(s)], pieces[s]);
    }
    // The window after a cell reaches as far as any placement's highest cell.
    const int n = boxCellTotal(box);
    int span = 0;
    for (int s = 0; s < p.slotCount; s++)
        for (const Placement& placement : p.placements[s])
            span = std::max(span, 63 - __builtin_clzll(placement.mask) - __builtin_ctzll(placement.mask));
    const int spanChunks = (span + windowChunkBits - 1) / windowChunkBits;
    p.windowChunks = spanChunks <= shortWindowChunks ? shortWindowChunks : maxWindowChunks;
    p.candidateMask.assign(size_t(n) * candidateStride, 0);
    p.candidateSlot.assign(size_t(n) * candidateStride, 0);
    p.candidatePlacement.assign(size_t(n) * candidateStride, 0);
    p.candidatesOfSlots.assign(size_t(n) * slotEntriesPerCell, CandidateSet{});
    p.candidatesBlocked.assign(size_t(n) * size_t(p.windowChunks) * windowTableStride, CandidateSet{});
    for (int c = 0; c < n; c++) {
        int count = 0;
        for (int s = 0; s < p.slotCount; s++)
            for (size_t i = 0; i < p.placements[s].size(); i++) {
                const uint64_t mask = p.placements[s][i].mask;
                if (__builtin_ctzll(mask) != c) continue;
                if (count == maxCellCandidates) return result;
                const size_t at = size_t(c) * candidateStride + size_t(count);
                p.candidateMask[at] = mask;
                p.candidateSlot[at] = uint8_t(s);
                p.candidatePlacement[at] = uint16_t(i);
                const int word = count / 64;
                const uint64_t bit = uint64_t(1) << (count % 64);
                for (int bits = 0; bits < slotTableValues; bits++)
                    if (bits >> (s % slotsPerTable) & 1)
                        p.candidatesOfSlots[size_t(c) * slotEntriesPerCell +
                                            size_t(s / slotsPerTable) * slotTableValues + size_t(bits)]
                            .word[word] |= bit;
                const uint64_t window = mask >> c >> 1;
                for (int k = 0; k < p.windowChunks; k++)
                    for (int chunk = 1; chunk < windowChunkValues; chunk++)
                        if ((window >> (windowChunkBits * k)) & uint64_t(chunk))
                            p.candidatesBlocked[(size_t(c) * size_t(p.windowChunks) + size_t(k)) *
                                                    windowTableStride +
                                                size_t(chunk)]
                                .word[word] |= bit;
                count++;
            }
    }

    buildPairFilter(p);
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

namespace {

// A subtree: the state after its first placements, in the search's own order.
struct Task {
    uint64_t occupied;
    uint32_t freeSlots;
    int root;
    int16_t chosen[pieceCount];
    // Share of the whole search, guessed as if every node's subtrees were alike: a
    // subtree gets its parent's share divided by the parent's number of subtrees. Far
    // closer to the real work than counting subtrees, for the progress line.
    double share;
};

// Masks for moving a set of cells one step along each axis without wrapping.
struct StepMasks {
    uint64_t notLastZ, notFirstZ, notLastY, notFirstY;
    int strideY, strideX;
};

StepMasks stepMasks(PuzzleBox box)
{
    StepMasks m = {};
    m.strideY = box.sizeZ;
    m.strideX = box.sizeZ * box.sizeY;
    for (int x = 0; x < box.sizeX; x++)
        for (int y = 0; y < box.sizeY; y++)
            for (int z = 0; z < box.sizeZ; z++) {
                const uint64_t bit = uint64_t(1) << cellBit(box, {x, y, z});
                if (z < box.sizeZ - 1) m.notLastZ |= bit;
                if (z > 0) m.notFirstZ |= bit;
                if (y < box.sizeY - 1) m.notLastY |= bit;
                if (y > 0) m.notFirstY |= bit;
            }
    return m;
}

// The cells next to any cell of a set (and some beyond the box's last cell, which no
// caller looks at).
inline uint64_t neighbours(const StepMasks& m, uint64_t cells)
{
    return ((cells & m.notLastZ) << 1) | ((cells & m.notFirstZ) >> 1) |
           ((cells & m.notLastY) << m.strideY) | ((cells & m.notFirstY) >> m.strideY) |
           (cells << m.strideX) | (cells >> m.strideX);
}

// When no piece is a single cube, an empty cell walled in on all sides by filled cells
// and the box can never be filled. Found with a few shifts, this check halves the search
// of the full puzzle at the cost of a handful of instructions.
inline bool hasWalledInCell(const StepMasks& m, uint64_t empty)
{
    return (empty & ~neighbours(m, empty)) != 0;
}

inline CandidateSet orOf(CandidateSet a, CandidateSet b)
{
    return {{a.word[0] | b.word[0], a.word[1] | b.word[1]}};
}

inline bool isEmpty(CandidateSet set) { return (set.word[0] | set.word[1]) == 0; }

// The puzzle's tables as plain pointers, for the search loop (a pointer inside a vector
// would be loaded again after every store the compiler cannot tell apart from it).
struct CandidateTables {
    const uint64_t* mask;
    const uint8_t* slot;
    const uint16_t* placement;
    const CandidateSet* ofSlots;
    const CandidateSet* blocked;
    const uint64_t* pairFilter;
    int pairFilterFrom;
    const uint64_t* slotKey;
};

// ofSlots: the puzzle's candidatesOfSlots, or a root's own copy (see slotTablesOfRoot).
CandidateTables candidateTables(const SolverPuzzle& puzzle, const std::vector<CandidateSet>& ofSlots)
{
    return {puzzle.candidateMask.data(), puzzle.candidateSlot.data(),
            puzzle.candidatePlacement.data(),
            ofSlots.empty() ? puzzle.candidatesOfSlots.data() : ofSlots.data(),
            puzzle.candidatesBlocked.data(), puzzle.pairFilter.data(), puzzle.pairFilterFrom,
            puzzle.slotKey};
}

#if defined(__SSE2__) || defined(_M_X64)
inline __m128i loadSet(const CandidateSet& set)
{
    return _mm_load_si128(reinterpret_cast<const __m128i*>(&set));
}

// The candidates that run into a filled cell among the first Chunks chunks of the window,
// unrolled so that the loads go out together.
template <int Chunks>
inline __m128i blockedBits(const CandidateSet* blocked, uint64_t window)
{
    const __m128i last =
        loadSet(blocked[(Chunks - 1) * windowTableStride +
                        int((window >> (windowChunkBits * (Chunks - 1))) & (windowChunkValues - 1))]);
    if constexpr (Chunks == 1)
        return last;
    else
        return _mm_or_si128(blockedBits<Chunks - 1>(blocked, window), last);
}
#endif

// The candidates of the lowest empty cell that fit into the empty cells and belong to a
// free slot (by the root's slot tables). Chunks is the puzzle's windowChunks, fixed at
// compile time so that the loads unroll.
template <int Chunks>
inline CandidateSet fittingCandidates(const CandidateTables& t, uint64_t occupied,
                                      uint32_t freeSlots)
{
    const int cell = __builtin_ctzll(~occupied);
    const uint64_t window = occupied >> cell >> 1;
    const CandidateSet* ofSlots = t.ofSlots + size_t(cell) * slotEntriesPerCell;
    const CandidateSet* blocked = t.blocked + size_t(cell) * Chunks * windowTableStride;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i hit = blockedBits<Chunks>(blocked, window);
    static_assert(slotTablesPerCell == 2, "two slot tables a cell");
    const __m128i free = _mm_or_si128(
        loadSet(ofSlots[freeSlots & (slotTableValues - 1)]),
        loadSet(ofSlots[slotTableValues + ((freeSlots >> slotsPerTable) & (slotTableValues - 1))]));
    CandidateSet fits;
    _mm_store_si128(reinterpret_cast<__m128i*>(&fits), _mm_andnot_si128(hit, free));
    return fits;
#else
    CandidateSet hit = {};
    for (int k = 0; k < Chunks; k++)
        hit = orOf(hit, blocked[k * windowTableStride +
                                int((window >> (windowChunkBits * k)) & (windowChunkValues - 1))]);
    const CandidateSet free =
        orOf(ofSlots[freeSlots & (slotTableValues - 1)],
             ofSlots[slotTableValues + ((freeSlots >> slotsPerTable) & (slotTableValues - 1))]);
    return {{free.word[0] & ~hit.word[0], free.word[1] & ~hit.word[1]}};
#endif
}

// Calls run(std::integral_constant<int, puzzle.windowChunks>()), so that the search is
// compiled for each window size a puzzle can have.
template <typename Run>
void withWindowChunks(const SolverPuzzle& puzzle, Run run)
{
    if (puzzle.windowChunks == shortWindowChunks)
        run(std::integral_constant<int, shortWindowChunks>());
    else
        run(std::integral_constant<int, maxWindowChunks>());
}

// Calls run(std::integral_constant<int, number of free slots>()) (1 or more), so that
// each level of the search is compiled for itself.
template <typename Run>
void withFreeCount(uint32_t freeSlots, Run run)
{
    static_assert(pieceCount == 12, "one case per number of free slots besides the root's");
    switch (__builtin_popcount(freeSlots)) {
    case 1: run(std::integral_constant<int, 1>()); break;
    case 2: run(std::integral_constant<int, 2>()); break;
    case 3: run(std::integral_constant<int, 3>()); break;
    case 4: run(std::integral_constant<int, 4>()); break;
    case 5: run(std::integral_constant<int, 5>()); break;
    case 6: run(std::integral_constant<int, 6>()); break;
    case 7: run(std::integral_constant<int, 7>()); break;
    case 8: run(std::integral_constant<int, 8>()); break;
    case 9: run(std::integral_constant<int, 9>()); break;
    case 10: run(std::integral_constant<int, 10>()); break;
    default: run(std::integral_constant<int, 11>()); break;
    }
}

// The slots' keys XORed, for the pair filter.
inline uint64_t keyOfSlots(const CandidateTables& t, uint32_t slots)
{
    uint64_t key = 0;
    for (; slots; slots &= slots - 1) key ^= t.slotKey[__builtin_ctz(slots)];
    return key;
}

// Whether two pieces (whose keys XOR to pairKey) certainly cannot fill the empty cells.
inline bool pairFilterTurnsAway(const CandidateTables& t, uint64_t empty, uint64_t pairKey)
{
    return (__builtin_ctzll(empty) >= t.pairFilterFrom) & !pairFilterPasses(t.pairFilter, empty, pairKey);
}

// Calls visit(candidate index) for each member of a set, in the search's order.
template <typename Visit>
inline void forEachCandidate(CandidateSet set, int cell, Visit visit)
{
    for (int w = 0; w < 2; w++)
        for (uint64_t bits = set.word[w]; bits; bits &= bits - 1)
            visit(size_t(cell) * candidateStride + size_t(w * 64 + __builtin_ctzll(bits)));
}

// Takes the lowest member out of a set of two words and gives its number (0..127). It
// picks the word without a branch, so that a loop over the set ends once, not once per
// word: each end of a loop is a mispredicted branch.
inline int takeLowest(uint64_t& low, uint64_t& high)
{
    const bool inLow = low != 0;
    const uint64_t word = inLow ? low : high;
    const uint64_t rest = word & (word - 1);
    low = inLow ? rest : low;
    high = inLow ? high : rest;
    return __builtin_ctzll(word) + (inLow ? 0 : 64);
}

// Whether mask a comes after mask b in the order that decides between a filling and its
// images: of two different masks, the one with the lowest cell that only one of them
// covers comes after the other.
inline bool reachesLower(uint64_t a, uint64_t b)
{
    return a != b && ((a >> __builtin_ctzll(a ^ b)) & 1);
}

// Whether image comes before filling: the decider piece first, then the others in
// catalogue order.
bool imageComesFirst(int deciderPiece, const Filling& filling, const Filling& image)
{
    if (filling[size_t(deciderPiece)] != image[size_t(deciderPiece)])
        return reachesLower(filling[size_t(deciderPiece)], image[size_t(deciderPiece)]);
    for (size_t piece = 0; piece < filling.size(); piece++)
        if (filling[piece] != image[piece]) return reachesLower(filling[piece], image[piece]);
    return false;
}

// For a root with rivals, only the first of a filling and its images is kept. Mostly the
// decider piece settles that as soon as it is placed: placed lower than its image, it
// loses. Those placements are taken out of the root's own copy of the slot tables, so the
// search never enters their subtrees; the rest is settled when the filling is complete.
// Roots without rivals share the puzzle's tables (an empty vector).
std::vector<CandidateSet> slotTablesOfRoot(const SolverPuzzle& puzzle, const SearchPlan& plan,
                                           const SearchRoot& root)
{
    if (root.rivals.empty()) return {};
    std::vector<CandidateSet> ofSlots = puzzle.candidatesOfSlots;
    const int cells = boxCellTotal(puzzle.box);
    for (int c = 0; c < cells; c++)
        for (int i = 0; i < maxCellCandidates; i++) {
            const size_t at = size_t(c) * candidateStride + size_t(i);
            const uint64_t mask = puzzle.candidateMask[at];
            if (mask == 0 || puzzle.candidateSlot[at] != plan.deciderSlot) continue;
            bool loses = false;
            for (int v : root.rivals) loses = loses || reachesLower(mask, turnMask(puzzle.symmetry, v, mask));
            if (!loses) continue;
            for (size_t k = 0; k < size_t(slotEntriesPerCell); k++)
                ofSlots[size_t(c) * slotEntriesPerCell + k].word[i / 64] &= ~(uint64_t(1) << (i % 64));
        }
    return ofSlots;
}

// A state to enter next: its candidates, its cells and the placement that made it.
struct NextState {
    CandidateSet fits;
    uint64_t occupied;
    size_t candidate;
};

struct Walker {
    const SolverPuzzle& puzzle;
    uint64_t full;
    int16_t chosen[pieceCount];
    const SearchRoot* root;
    int deciderPiece;              // the catalogue index of the plan's decider slot
    const std::vector<CandidateSet>* ofSlots;  // slotTablesOfRoot of the root
    std::vector<SolutionRecord>* out;
    uint64_t nodes;
    const std::atomic<bool>* stop;
    StepMasks steps;
    bool pruneWalledIn;  // false for puzzles with single-cube pieces (tests)
    // The next states of the levels of the search, each level's after its caller's, so
    // that the few in use lie close together where an array on each call's stack frame
    // would spread them over many pages. pending is where the next level's begin.
    NextState* pending = nullptr;
    std::vector<NextState> pendingStore = {};

    void emit()
    {
        const SolverPuzzle& p = puzzle;
        if (!root->rivals.empty()) {
            // The root placement alone does not pick one of these images; the filling
            // that comes first of them does. A filling that a half turn maps onto itself
            // is its own image and is kept once.
            Filling filling = {};
            for (int s = 0; s < p.slotCount; s++)
                filling[p.pieceOfSlot[s]] = p.placements[s][chosen[s]].mask;
            for (int v : root->rivals)
                if (imageComesFirst(deciderPiece, filling, turnFilling(p.symmetry, v, filling)))
                    return;
        }
        SolutionRecord record = {};
        for (int s = 0; s < p.slotCount; s++)
            record.words[p.pieceOfSlot[s]] = p.placements[s][chosen[s]].word;
        out->push_back(record);
    }

    // fits: the candidates that fit at the lowest empty cell, as fittingCandidates gives
    // them; Free: the number of free slots. Each placement is followed by a look at the
    // next state's own candidates, so a state without any, most states near the end, costs
    // no call.
    template <int Chunks, int Free>
    void search(const CandidateTables& t, uint64_t occupied, uint32_t freeSlots, CandidateSet fits)
    {
        const size_t first = size_t(__builtin_ctzll(~occupied)) * candidateStride;
        if constexpr (Free == 1) {
            // The last piece has as many cells as are empty: each fit fills the box.
            for (uint64_t lo = fits.word[0], hi = fits.word[1]; lo | hi;) {
                const size_t i = first + size_t(takeLowest(lo, hi));
                chosen[t.slot[i]] = int16_t(t.placement[i]);
                nodes++;
                emit();
            }
        } else {
            // (Deeper subtrees are over in microseconds.)
            if constexpr (Free >= 4)
                if (stop && stop->load(std::memory_order_relaxed)) return;
            NextState* const next = pending;
            int count = 0;
            uint64_t made = 0;
            const uint64_t full = this->full;
            // Puts the next state after placement i in next, counted when it has candidates.
            auto look = [&](size_t i, uint64_t after) {
                const CandidateSet nextFits =
                    fittingCandidates<Chunks>(t, after, freeSlots & ~(uint32_t(1) << t.slot[i]));
                made++;
                next[count] = {nextFits, after, i};
                count += !isEmpty(nextFits);
            };
            if constexpr (Free == 3) {
                // Two pieces will be left: the pair filter turns away nearly every set of
                // empty cells that they cannot fill (walled-in cells included), at the cost
                // of one load, before its candidates are looked up. Where it holds no sets,
                // below pairFilterFrom, the look-up alone decides.
                const uint64_t levelKey = keyOfSlots(t, freeSlots);
                for (uint64_t lo = fits.word[0], hi = fits.word[1]; lo | hi;) {
                    const size_t i = first + size_t(takeLowest(lo, hi));
                    const uint64_t after = occupied | t.mask[i];
                    if (pairFilterTurnsAway(t, full & ~after, levelKey ^ t.slotKey[t.slot[i]])) continue;
                    look(i, after);
                }
            } else {
                const StepMasks steps = this->steps;
                const bool pruneWalledIn = this->pruneWalledIn;
                // The placements that wall in no empty cell, as a bit set. Whether one does
                // is as good as random, so the test sets a bit instead of taking a branch.
                uint64_t open[2] = {0, 0};
                for (uint64_t lo = fits.word[0], hi = fits.word[1]; lo | hi;) {
                    const int b = takeLowest(lo, hi);
                    const uint64_t empty = full & ~(occupied | t.mask[first + size_t(b)]);
                    const uint64_t bit = uint64_t(!(hasWalledInCell(steps, empty) & pruneWalledIn)) << (b & 63);
                    open[0] |= b < 64 ? bit : 0;
                    open[1] |= b < 64 ? 0 : bit;
                }
                // Then the next states' candidates, all of them before any state is
                // entered, so that their table loads overlap.
                for (uint64_t lo = open[0], hi = open[1]; lo | hi;) {
                    const size_t i = first + size_t(takeLowest(lo, hi));
                    look(i, occupied | t.mask[i]);
                }
            }
            nodes += made;
            pending += count;
            for (int k = 0; k < count; k++) {
                const size_t i = next[k].candidate;
                const int s = t.slot[i];
                chosen[s] = int16_t(t.placement[i]);
                search<Chunks, Free - 1>(t, next[k].occupied, freeSlots & ~(uint32_t(1) << s), next[k].fits);
            }
            pending = next;
        }
    }

    void run(const Task& task)
    {
        // One level of the search for each piece, each with at most a cell's candidates.
        pendingStore.resize(size_t(pieceCount + 1) * maxCellCandidates);
        pending = pendingStore.data();
        std::copy(task.chosen, task.chosen + pieceCount, chosen);
        if (task.occupied == full) {
            emit();
            return;
        }
        const CandidateTables tables = candidateTables(puzzle, *ofSlots);
        withWindowChunks(puzzle, [&](auto chunks) {
            constexpr int Chunks = decltype(chunks)::value;
            const CandidateSet fits = fittingCandidates<Chunks>(tables, task.occupied, task.freeSlots);
            withFreeCount(task.freeSlots, [&](auto free) {
                search<Chunks, decltype(free)::value>(tables, task.occupied, task.freeSlots, fits);
            });
        });
    }
};

Task rootTask(const SolverPuzzle& puzzle, const SearchPlan& plan, int r)
{
    Task task = {};
    const int s = plan.rootSlot;
    task.occupied = puzzle.placements[s][size_t(plan.roots[size_t(r)].placement)].mask;
    task.freeSlots = ((uint32_t(1) << puzzle.slotCount) - 1) & ~(uint32_t(1) << s);
    task.root = r;
    task.chosen[s] = int16_t(plan.roots[size_t(r)].placement);
    task.share = 1.0 / double(plan.roots.size());
    return task;
}

// The subtrees one level further down, in the order the search takes them. A finished
// filling stays a task of its own, so the emit happens in the worker as everywhere else.
void expandTask(const SolverPuzzle& puzzle, const Task& task,
                const std::vector<CandidateSet>& ofSlots, std::vector<Task>& out)
{
    const uint64_t full = fullMask(puzzle.box);
    if (task.occupied == full) {
        out.push_back(task);
        return;
    }
    // The same placements as the search itself makes, so that the split changes nothing.
    const StepMasks steps = stepMasks(puzzle.box);
    const bool pruneWalledIn = puzzle.smallestShape > 1;
    const CandidateTables tables = candidateTables(puzzle, ofSlots);
    CandidateSet fits = {};
    withWindowChunks(puzzle, [&](auto chunks) {
        fits = fittingCandidates<decltype(chunks)::value>(tables, task.occupied, task.freeSlots);
    });
    // With three pieces free the search asks the pair filter instead of the walled-in test.
    const bool twoLeft = __builtin_popcount(task.freeSlots) == 3;
    const uint64_t levelKey = keyOfSlots(tables, task.freeSlots);
    forEachCandidate(fits, __builtin_ctzll(~task.occupied), [&](size_t i) {
        const uint64_t empty = full & ~(task.occupied | puzzle.candidateMask[i]);
        if (twoLeft ? pairFilterTurnsAway(tables, empty, levelKey ^ puzzle.slotKey[puzzle.candidateSlot[i]])
                    : pruneWalledIn && hasWalledInCell(steps, empty))
            return;
        Task child = task;
        child.occupied |= puzzle.candidateMask[i];
        child.freeSlots &= ~(uint32_t(1) << puzzle.candidateSlot[i]);
        child.chosen[puzzle.candidateSlot[i]] = int16_t(puzzle.candidatePlacement[i]);
        out.push_back(child);
    });
}

// Enough subtrees that threads stay busy to the end and progress moves smoothly; the
// split changes nothing in the order of the records.
// placements counts the placements made on the way, the roots included.
std::vector<Task> makeTasks(const SolverPuzzle& puzzle, const SearchPlan& plan,
                            const std::vector<std::vector<CandidateSet>>& slotTables,
                            uint64_t& placements)
{
    std::vector<Task> tasks;
    for (size_t r = 0; r < plan.roots.size(); r++) tasks.push_back(rootTask(puzzle, plan, int(r)));
    placements = tasks.size();
    const uint64_t full = fullMask(puzzle.box);
    for (int level = 0; level < 4 && !tasks.empty() && tasks.size() < 3000; level++) {
        std::vector<Task> next;
        for (const Task& task : tasks) {
            const size_t before = next.size();
            expandTask(puzzle, task, slotTables[size_t(task.root)], next);
            const size_t children = next.size() - before;
            if (task.occupied != full) placements += children;
            for (size_t i = before; i < next.size(); i++) next[i].share = task.share / double(children);
        }
        tasks.swap(next);
    }
    return tasks;
}

std::vector<std::vector<CandidateSet>> slotTablesOfPlan(const SolverPuzzle& puzzle,
                                                        const SearchPlan& plan)
{
    std::vector<std::vector<CandidateSet>> tables;
    for (const SearchRoot& root : plan.roots) tables.push_back(slotTablesOfRoot(puzzle, plan, root));
    return tables;
}

}  // namespace

std::vector<SolutionRecord> solveAll(const SolverPuzzle& puzzle, const SearchPlan& plan,
                                     uint64_t* nodes)
{
    std::vector<SolutionRecord> records;
    const std::vector<std::vector<CandidateSet>> slotTables = slotTablesOfPlan(puzzle, plan);
    Walker walker = {puzzle,  fullMask(puzzle.box),
                     {},      nullptr,
                     puzzle.pieceOfSlot[plan.deciderSlot], nullptr,
                     &records, 0,
                     nullptr, stepMasks(puzzle.box),
                     puzzle.smallestShape > 1};
    for (size_t r = 0; r < plan.roots.size(); r++) {
        walker.root = &plan.roots[r];
        walker.ofSlots = &slotTables[r];
        walker.run(rootTask(puzzle, plan, int(r)));
    }
    if (nodes) *nodes = walker.nodes + plan.roots.size();
    return records;
}

SearchOutcome runSearch(const SolverPuzzle& puzzle, const SearchPlan& plan, int threads,
                        const DeliverFn& deliver, const TickFn& tick,
                        const std::atomic<bool>* cancel, int tickMilliseconds)
{
    uint64_t prefixNodes = 0;
    const std::vector<std::vector<CandidateSet>> slotTables = slotTablesOfPlan(puzzle, plan);
    const std::vector<Task> tasks = makeTasks(puzzle, plan, slotTables, prefixNodes);
    const size_t n = tasks.size();
    std::vector<std::vector<SolutionRecord>> results(n);
    std::vector<char> done(n, 0);
    std::mutex lock;
    std::condition_variable finished;
    std::atomic<size_t> nextTask(0);
    std::atomic<bool> stop(false);
    size_t doneCount = 0;
    double doneShare = 0;
    uint64_t doneNodes = prefixNodes;

    auto work = [&]() {
        std::vector<SolutionRecord> found;
        Walker walker = {puzzle, fullMask(puzzle.box),
                         {},     nullptr,
                         puzzle.pieceOfSlot[plan.deciderSlot], nullptr,
                         &found, 0,
                         &stop,  stepMasks(puzzle.box),
                         puzzle.smallestShape > 1};
        for (;;) {
            const size_t i = nextTask.fetch_add(1);
            if (i >= n || stop.load()) break;
            walker.root = &plan.roots[size_t(tasks[i].root)];
            walker.ofSlots = &slotTables[size_t(tasks[i].root)];
            walker.nodes = 0;
            found.clear();
            walker.run(tasks[i]);
            std::lock_guard<std::mutex> guard(lock);
            results[i].swap(found);
            done[i] = 1;
            doneCount++;
            doneShare += tasks[i].share;
            doneNodes += walker.nodes;
            if (doneCount == n) finished.notify_one();
        }
    };
    std::vector<std::thread> workers;
    for (int t = 0; t < std::max(threads, 1); t++) workers.emplace_back(work);

    SearchStats stats = {0, 0, 0, n, 0};
    SearchEnd end = SearchEnd::complete;
    size_t delivered = 0;  // tasks whose records have been handed on
    std::vector<SolutionRecord> batch;
    for (;;) {
        batch.clear();
        {
            // One hand-over per tick keeps the writes few and large; the last subtree's
            // end wakes the wait at once.
            std::unique_lock<std::mutex> guard(lock);
            finished.wait_for(guard, std::chrono::milliseconds(tickMilliseconds),
                              [&]() { return doneCount == n; });
            while (delivered < n && done[delivered]) {
                batch.insert(batch.end(), results[delivered].begin(), results[delivered].end());
                std::vector<SolutionRecord>().swap(results[delivered]);
                delivered++;
            }
            stats.tasksDone = doneCount;
            stats.share = delivered == n ? 1.0 : doneShare;
            stats.nodes = doneNodes;
        }
        if (cancel && cancel->load()) {
            end = SearchEnd::cancelled;
            break;
        }
        if (!batch.empty()) {
            if (!deliver(batch)) {
                end = SearchEnd::refused;
                break;
            }
            stats.solutions += batch.size();
        }
        if (delivered == n) break;
        if (tick) tick(stats);
    }
    stop = true;
    for (std::thread& worker : workers) worker.join();
    {
        std::lock_guard<std::mutex> guard(lock);
        stats.tasksDone = doneCount;
        stats.share = delivered == n ? 1.0 : doneShare;
        stats.nodes = doneNodes;
    }
    if (tick) tick(stats);
    return {end, stats};
}
