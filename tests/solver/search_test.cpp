// Tests of the fast search: against the brute-force reference on boxes small enough for
// it, the one-record-per-orbit rule (including fillings that a half turn maps onto
// themselves), the same records for every thread count, and stopping early.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <set>

#include "reference.h"
#include "bench/exact_cover.h"
#include "solver/search.h"

namespace {

struct Instance {
    PuzzleBox box;
    std::vector<PieceCells> shapes;
    std::string name;
};

PieceCells shape(std::initializer_list<Cell> cells)
{
    PieceCells piece = {};
    for (Cell c : cells) piece.cells[piece.cellCount++] = c;
    return computeBoundingBox(piece);
}

Instance catalogueInstance(PuzzleBox box, std::vector<int> pieces)
{
    std::string name = std::to_string(box.sizeX) + "x" + std::to_string(box.sizeY) + "x" +
                       std::to_string(box.sizeZ) + " pieces";
    for (int p : pieces) name += " " + std::to_string(p);
    return {box, catalogueShapes(pieces), name};
}

// Sub-boxes with subsets of the catalogue, where some root placements are left in place
// by a half turn. No filling by catalogue pieces maps onto itself (too few of them have a
// half-turn symmetry), so small shapes of their own provide those: dominoes and bars lying
// across the axis of a half turn.
std::vector<Instance> instances()
{
    const PieceCells domino = shape({{0, 0, 0}, {1, 0, 0}});
    const PieceCells bar = shape({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    const PieceCells corner = shape({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    const PieceCells square = shape({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    const PieceCells single = shape({{0, 0, 0}});
    return {
        catalogueInstance({5, 3, 1}, {0, 3, 6}),
        catalogueInstance({4, 4, 1}, {0, 2, 11}),
        catalogueInstance({5, 4, 1}, {0, 2, 3, 6}),
        catalogueInstance({5, 2, 2}, {2, 3, 4, 6}),
        catalogueInstance({5, 2, 2}, {0, 4, 8, 11}),
        catalogueInstance({4, 3, 2}, {0, 2, 3, 4, 8}),
        catalogueInstance({4, 2, 3}, {2, 3, 4, 5, 8}),
        catalogueInstance({5, 2, 3}, {1, 2, 3, 4, 5, 6}),
        {{2, 2, 2}, {domino, domino, domino, domino}, "2x2x2 four dominoes"},
        {{3, 3, 1}, {bar, bar, bar}, "3x3x1 three bars"},
        {{3, 2, 2}, {corner, corner, corner, corner}, "3x2x2 four corners"},
        {{4, 2, 2}, {square, square, domino, domino, domino, domino}, "4x2x2 squares, dominoes"},
        {{3, 4, 1}, {bar, bar, domino, square}, "3x4x1 bars, domino, square"},
        // A single cube can fill a walled-in cell, which other puzzles give up on.
        {{3, 3, 1}, {single, corner, bar, domino}, "3x3x1 single, corner, bar, domino"},
    };
}

// Half the full puzzle: a few hundred records, found in milliseconds.
const PuzzleBox mediumBox = {5, 4, 2};
const std::vector<int> mediumPieces = {0, 2, 3, 4, 6, 8, 10, 11};

bool isFilling(const SolverPuzzle& p, const Filling& f)
{
    uint64_t covered = 0;
    for (int s = 0; s < p.slotCount; s++) {
        const uint64_t mask = f[size_t(p.pieceOfSlot[s])];
        if (!mask || (covered & mask)) return false;
        covered |= mask;
    }
    return covered == fullMask(p.box);
}

TEST(Search, OneRecordPerOrbitAsTheReferenceFindsThem)
{
    size_t selfSymmetric = 0, stabilisedRoots = 0, orbitsSeen = 0;
    for (const Instance& in : instances()) {
        SCOPED_TRACE(in.name);
        const PuzzleResult made = makePuzzleOfShapes(in.box, in.shapes);
        ASSERT_TRUE(made.ok);
        const SolverPuzzle& puzzle = made.puzzle;

        const std::vector<Filling> all = referenceFillings(in.box, in.shapes);
        std::set<Filling> orbits;
        for (const Filling& f : all) {
            orbits.insert(canonicalFilling(puzzle.symmetry, f));
            for (int v = 1; v < 4; v++)
                if (turnFilling(puzzle.symmetry, v, f) == f) selfSymmetric++;
        }
        orbitsSeen += orbits.size();

        const SearchPlan plan = planOnePerOrbit(puzzle);
        for (const SearchRoot& root : plan.roots) stabilisedRoots += !root.stabiliser.empty();
        const std::vector<SolutionRecord> records = solveAll(puzzle, plan);
        std::set<Filling> found;
        for (const SolutionRecord& record : records) {
            const Filling f = fillingOfRecord(puzzle, record);
            ASSERT_TRUE(isFilling(puzzle, f));
            EXPECT_TRUE(found.insert(canonicalFilling(puzzle.symmetry, f)).second)
                << "two records are variants of each other";
        }
        EXPECT_EQ(records.size(), orbits.size());
        EXPECT_EQ(found, orbits);

        // Without the symmetry rule both fast searches give every filling.
        EXPECT_EQ(solveAll(puzzle, planAllFillings(puzzle)).size(), all.size());
        EXPECT_EQ(solveExactCover(puzzle, -1, -1).solutions, all.size());
    }
    // The instances must exercise both ways in which a half turn keeps things in place.
    EXPECT_GT(selfSymmetric, 0u);
    EXPECT_GT(stabilisedRoots, 0u);
    EXPECT_GT(orbitsSeen, 50u);
}

// A root searched as a pair with one of its images keeps one record per orbit, whichever
// image and half turn pair it; so does a plan with every such root paired at once.
TEST(Search, PairedRootsStillGiveOneRecordPerOrbit)
{
    size_t pairsTried = 0;
    for (const Instance& in : instances()) {
        SCOPED_TRACE(in.name);
        const PuzzleResult made = makePuzzleOfShapes(in.box, in.shapes);
        ASSERT_TRUE(made.ok);
        const SolverPuzzle& puzzle = made.puzzle;
        std::set<Filling> orbits;
        for (const Filling& f : referenceFillings(in.box, in.shapes))
            orbits.insert(canonicalFilling(puzzle.symmetry, f));

        auto expectOneRecordPerOrbit = [&](const SearchPlan& plan) {
            std::set<Filling> found;
            const std::vector<SolutionRecord> records = solveAll(puzzle, plan);
            for (const SolutionRecord& record : records)
                EXPECT_TRUE(found.insert(canonicalFilling(puzzle.symmetry, fillingOfRecord(puzzle, record))).second)
                    << "two records are variants of each other";
            EXPECT_EQ(found, orbits);
        };
        const SearchPlan plan = planOnePerOrbit(puzzle);
        SearchPlan allPaired = plan;
        for (size_t r = plan.roots.size(); r-- > 0;) {
            if (!plan.roots[r].stabiliser.empty()) continue;
            for (int image = 0; image < 4; image++)
                for (int turn = 1; turn < 4; turn++) {
                    SCOPED_TRACE("root " + std::to_string(r) + " image " + std::to_string(image) +
                                 " turn " + std::to_string(turn));
                    const SearchPlan paired = pairRoot(puzzle, plan, r, image, turn);
                    ASSERT_EQ(paired.roots.size(), plan.roots.size() + 1);
                    expectOneRecordPerOrbit(paired);
                    pairsTried++;
                }
            allPaired = pairRoot(puzzle, allPaired, r, int(r % 4), 1 + int(r % 3));
        }
        expectOneRecordPerOrbit(allPaired);
    }
    EXPECT_GT(pairsTried, 50u);
}

TEST(Search, CatalogueRecordsDecodeWithTheModel)
{
    // The words of a catalogue puzzle are read back with the model's decoder alone.
    const std::vector<int> pieces = {1, 2, 3, 4, 5, 6};
    const PuzzleResult made = makePuzzle({5, 2, 3}, pieces);
    ASSERT_TRUE(made.ok);
    const std::vector<Filling> all = referenceFillings({5, 2, 3}, catalogueShapes(pieces));
    std::set<Filling> reference;
    for (const Filling& f : all) reference.insert(toCatalogue(f, pieces));
    const std::vector<SolutionRecord> records = solveAll(made.puzzle, planAllFillings(made.puzzle));
    std::set<Filling> decoded;
    for (const SolutionRecord& record : records) {
        Filling f = {};
        for (PlacementWord word : record.words) {
            const int piece = placementPieceIndex(word);
            if (piece < 0 || piece >= pieceCount) continue;
            const PieceCells cells = placePiece(PieceCatalogue[piece], decodePlacementWord(word));
            for (int i = 0; i < cells.cellCount; i++)
                f[size_t(piece)] |= uint64_t(1) << cellBit({5, 2, 3}, cells.cells[i]);
        }
        decoded.insert(f);
    }
    EXPECT_EQ(decoded, reference);
    EXPECT_EQ(records.size(), all.size());
}

TEST(Search, FixedPlacementMatchesExactCover)
{
    const PuzzleResult made = makePuzzle(mediumBox, mediumPieces);
    ASSERT_TRUE(made.ok);
    const SolverPuzzle& p = made.puzzle;
    const int slot = 6;  // piece 10
    size_t total = 0;
    for (size_t i = 0; i < p.placements[slot].size(); i += 3) {
        std::set<std::vector<int>> cover;
        solveExactCover(p, slot, int(i), [&](const std::vector<int>& placementOfSlot) {
            cover.insert(placementOfSlot);
        });
        std::set<std::vector<int>> fast;
        for (const SolutionRecord& record : solveAll(p, planFixedPlacement(p, slot, int(i)))) {
            std::vector<int> placementOfSlot;
            const Filling f = fillingOfRecord(p, record);
            for (int s = 0; s < p.slotCount; s++) {
                const std::vector<Placement>& list = p.placements[s];
                const uint64_t mask = f[size_t(p.pieceOfSlot[s])];
                const auto at = std::find_if(list.begin(), list.end(),
                                             [&](const Placement& pl) { return pl.mask == mask; });
                placementOfSlot.push_back(int(at - list.begin()));
            }
            fast.insert(placementOfSlot);
        }
        EXPECT_EQ(fast, cover) << "placement " << i;
        total += fast.size();
    }
    EXPECT_GT(total, 0u);
}

TEST(Search, RejectsPuzzlesThatCannotBeFilled)
{
    EXPECT_FALSE(makePuzzle({5, 4, 3}, {0, 1, 2}).ok);           // too few cells
    EXPECT_FALSE(makePuzzle({5, 3, 1}, {0, 0, 5}).ok);           // a piece twice
    EXPECT_FALSE(makePuzzle({5, 3, 1}, {0, 5, 12}).ok);          // no such piece
    EXPECT_FALSE(makePuzzle({9, 4, 1}, {0, 1, 2, 3, 4, 5, 6}).ok);  // words reach x 0..7 only
    EXPECT_TRUE(makePuzzle({5, 3, 1}, {0, 5, 10}).ok);

    // Eight hexacubes and four tetracubes in a 4 x 4 x 4 box start far more placements
    // at the corner than one candidate set holds: refused rather than searched in part.
    std::vector<PieceCells> dense(8, PieceCatalogue[11]);
    dense.insert(dense.end(), 4, PieceCatalogue[8]);
    // (Their cells add up to the box's 64, so nothing else refuses them.)
    EXPECT_FALSE(makePuzzleOfShapes({4, 4, 4}, dense).ok);
}

// The records of a run, collected batch by batch.
struct Collected {
    std::vector<SolutionRecord> records;
    size_t batches = 0;
    SearchOutcome outcome = {};
};

Collected runWith(const SolverPuzzle& puzzle, const SearchPlan& plan, int threads,
                  size_t stopAfter = 0, const std::atomic<bool>* cancel = nullptr)
{
    Collected c;
    c.outcome = runSearch(
        puzzle, plan, threads,
        [&](const std::vector<SolutionRecord>& batch) {
            c.records.insert(c.records.end(), batch.begin(), batch.end());
            c.batches++;
            return stopAfter == 0 || c.records.size() < stopAfter;
        },
        nullptr, cancel, 5);
    return c;
}

bool sameRecords(const std::vector<SolutionRecord>& a, const std::vector<SolutionRecord>& b,
                 size_t count)
{
    if (a.size() < count || b.size() < count) return false;
    for (size_t i = 0; i < count; i++)
        if (!std::equal(a[i].words, a[i].words + recordWordCount, b[i].words)) return false;
    return true;
}

TEST(Search, SameRecordsInTheSameOrderForEveryThreadCount)
{
    // Eight pieces, and five, whose split into subtrees reaches the last levels, where the
    // search works differently.
    for (const auto& [box, pieces] : {std::make_pair(mediumBox, mediumPieces),
                                      std::make_pair(PuzzleBox{5, 3, 2}, std::vector<int>{0, 2, 4, 6, 8, 11})}) {
        const PuzzleResult made = makePuzzle(box, pieces);
        ASSERT_TRUE(made.ok);
        const SearchPlan plan = planOnePerOrbit(made.puzzle);
        uint64_t nodes = 0;
        const std::vector<SolutionRecord> single = solveAll(made.puzzle, plan, &nodes);
        ASSERT_GE(single.size(), 40u);
        for (int threads : {1, 2, 3, 7}) {
            const Collected c = runWith(made.puzzle, plan, threads);
            EXPECT_EQ(c.outcome.end, SearchEnd::complete);
            EXPECT_EQ(c.outcome.stats.solutions, single.size());
            EXPECT_EQ(c.outcome.stats.nodes, nodes) << threads << " threads";
            EXPECT_EQ(c.outcome.stats.tasksDone, c.outcome.stats.taskTotal);
            ASSERT_EQ(c.records.size(), single.size()) << threads << " threads";
            EXPECT_TRUE(sameRecords(c.records, single, single.size())) << threads << " threads";
            ASSERT_EQ(c.outcome.idleShare.size(), size_t(threads));
            for (double idle : c.outcome.idleShare) EXPECT_TRUE(idle >= 0 && idle <= 1) << idle;
        }
    }
}

TEST(Search, PairFilterLetsEveryUnionThroughAndTurnsAwayMostOtherSets)
{
    const SolverPuzzle p = fullPuzzle();
    const UnionFilterView pairs = viewOf(p.pairFilter);
    ASSERT_GT(p.pairFilter.from, 0);  // the full puzzle has too many unions to keep them all
    ASSERT_LT(p.pairFilter.from, 48);
    const uint64_t full = fullMask(p.box);
    size_t unions = 0, otherCells = 0, otherCellsPassed = 0, otherPair = 0, otherPairPassed = 0;
    for (int a = 0; a < p.slotCount; a++)
        for (int b = a + 1; b < p.slotCount; b++)
            for (const Placement& first : p.placements[a])
                for (const Placement& second : p.placements[b]) {
                    const uint64_t cells = first.mask | second.mask;
                    if ((first.mask & second.mask) || __builtin_ctzll(cells) < p.pairFilter.from) continue;
                    const uint64_t key = p.slotKey[a] ^ p.slotKey[b];
                    ASSERT_TRUE(unionFilterPasses(pairs, cells, key)) << a << " " << b;
                    unions++;
                    // The union with its highest cell moved to the next free cell above it
                    // (rarely a union itself), and the union for another pair of slots.
                    const uint64_t above = full & ~cells & ~((uint64_t(2) << (63 - __builtin_clzll(cells))) - 1);
                    if (above) {
                        const uint64_t moved = (cells & ~(uint64_t(1) << (63 - __builtin_clzll(cells)))) |
                                               (above & (0 - above));
                        otherCells++;
                        otherCellsPassed += unionFilterPasses(pairs, moved, key);
                    }
                    const int c = (b + 1) % p.slotCount == a ? (b + 2) % p.slotCount : (b + 1) % p.slotCount;
                    otherPair++;
                    otherPairPassed += unionFilterPasses(pairs, cells, p.slotKey[a] ^ p.slotKey[c]);
                }
    EXPECT_GT(unions, 50000u);
    EXPECT_GT(otherCells, 10000u);
    EXPECT_LT(otherCellsPassed * 10, otherCells);
    EXPECT_LT(otherPairPassed * 10, otherPair);
}

TEST(Search, TripleFilterLetsEveryUnionThroughAndTurnsAwayMostOtherSets)
{
    const SolverPuzzle p = fullPuzzle();
    const UnionFilterView triples = viewOf(p.tripleFilter);
    ASSERT_GT(p.tripleFilter.from, p.pairFilter.from);
    ASSERT_LT(p.tripleFilter.from, 45);
    size_t unions = 0, moved = 0, movedPassed = 0;
    std::vector<uint64_t> above[pieceCount];
    for (int s = 0; s < p.slotCount; s++)
        for (const Placement& placement : p.placements[s])
            if (__builtin_ctzll(placement.mask) >= p.tripleFilter.from) above[s].push_back(placement.mask);
    for (int a = 0; a < p.slotCount; a++)
        for (int b = a + 1; b < p.slotCount; b++)
            for (int c = b + 1; c < p.slotCount; c++) {
                const uint64_t key = p.slotKey[a] ^ p.slotKey[b] ^ p.slotKey[c];
                for (uint64_t x : above[a])
                    for (uint64_t y : above[b])
                        for (uint64_t z : above[c]) {
                            if ((x & y) || ((x | y) & z)) continue;
                            const uint64_t cells = x | y | z;
                            ASSERT_TRUE(unionFilterPasses(triples, cells, key)) << a << b << c;
                            unions++;
                            // Its lowest cell moved one down: fifteen cells from the same
                            // range that are rarely a union themselves.
                            const uint64_t low = cells & (0 - cells);
                            if (((low >> 1) & ~cells) && __builtin_ctzll(low >> 1) >= p.tripleFilter.from) {
                                moved++;
                                movedPassed += unionFilterPasses(triples, (cells & ~low) | low >> 1, key);
                            }
                        }
            }
    EXPECT_GT(unions, 100000u);
    EXPECT_GT(moved, 10000u);
    EXPECT_LT(movedPassed * 5, moved);
}

TEST(Search, SameRecordsWithoutThePairAndTripleFilters)
{
    // The filters only save work: asked nowhere (every set from cell 64 on), the search
    // finds the same records in the same order, and so it does with the pair filter alone.
    PuzzleResult made = makePuzzle(mediumBox, mediumPieces);
    ASSERT_TRUE(made.ok);
    ASSERT_LT(made.puzzle.tripleFilter.from, 64);
    const SearchPlan plan = planOnePerOrbit(made.puzzle);
    uint64_t filteredNodes = 0, pairOnlyNodes = 0, unfilteredNodes = 0;
    const std::vector<SolutionRecord> filtered = solveAll(made.puzzle, plan, &filteredNodes);
    made.puzzle.tripleFilter.from = 64;
    const std::vector<SolutionRecord> pairOnly = solveAll(made.puzzle, plan, &pairOnlyNodes);
    made.puzzle.pairFilter.from = 64;
    const std::vector<SolutionRecord> unfiltered = solveAll(made.puzzle, plan, &unfilteredNodes);
    ASSERT_GT(filtered.size(), 100u);
    ASSERT_EQ(filtered.size(), unfiltered.size());
    ASSERT_EQ(pairOnly.size(), unfiltered.size());
    EXPECT_TRUE(sameRecords(filtered, unfiltered, filtered.size()));
    EXPECT_TRUE(sameRecords(pairOnly, unfiltered, filtered.size()));
    EXPECT_LT(filteredNodes, pairOnlyNodes);
    EXPECT_LT(pairOnlyNodes, unfilteredNodes);
}

TEST(Search, StoppingLeavesAPrefixOfTheRecords)
{
    // On the full puzzle a sink that refuses (as on a full disk) ends the run after that
    // batch; what arrived is the start of the one sequence, whatever the thread count.
    const SolverPuzzle puzzle = fullPuzzle();
    const SearchPlan plan = planOnePerOrbit(puzzle);
    const Collected one = runWith(puzzle, plan, 1, 20);
    const Collected two = runWith(puzzle, plan, 2, 20);
    for (const Collected* c : {&one, &two}) {
        EXPECT_EQ(c->outcome.end, SearchEnd::refused);
        EXPECT_GE(c->records.size(), 20u);
        EXPECT_LT(c->outcome.stats.tasksDone, c->outcome.stats.taskTotal);
    }
    EXPECT_TRUE(sameRecords(one.records, two.records, 20));

    // A cancel request that is there from the start delivers nothing.
    std::atomic<bool> cancel(true);
    const Collected cancelled = runWith(puzzle, plan, 2, 0, &cancel);
    EXPECT_EQ(cancelled.outcome.end, SearchEnd::cancelled);
    EXPECT_TRUE(cancelled.records.empty());
}

TEST(Search, FillsABoxOfSixtyFourCells)
{
    // Every bit of the cell mask in use, the last cell at the top bit. Eight pentacubes and
    // four blocks of six.
    std::vector<PieceCells> shapes(PieceCatalogue, PieceCatalogue + 8);
    const PieceCells block = shape({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 1, 0}});
    shapes.insert(shapes.end(), 4, block);
    const PuzzleResult made = makePuzzleOfShapes({8, 4, 2}, shapes);
    ASSERT_TRUE(made.ok);
    const SolverPuzzle& p = made.puzzle;
    ASSERT_EQ(fullMask(p.box), ~uint64_t(0));
    const Collected c = runWith(p, planOnePerOrbit(p), 2, 50);
    ASSERT_GE(c.records.size(), 50u);
    for (const SolutionRecord& record : c.records) EXPECT_TRUE(isFilling(p, fillingOfRecord(p, record)));
}

}  // namespace
