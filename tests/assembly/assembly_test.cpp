// Tests of the assembly plan. Every plan is replayed by a slow mover that pushes the piece
// in cell by cell; whether a plan exists is compared with an exhaustive search over all
// orders of removal, which also shows that every order gets stuck on the same pieces.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

#include "assembly/assembly.h"
#include "full_records.h"
#include "model/placement.h"
#include "solver/placements.h"
#include "solver/assembly_tally.h"

namespace {

using Piece = std::vector<GridCell>;

bool inside(const AssemblyGrid& g, GridCell c)
{
    return c.x >= 0 && c.y >= 0 && c.z >= 0 && c.x < g.sizeX && c.y < g.sizeY && c.z < g.sizeZ;
}

// Piece number on each cell of the grid, -1 where empty.
using Occupancy = std::vector<int>;

int& at(Occupancy& o, const AssemblyGrid& g, GridCell c) { return o[size_t(c.x + g.sizeX * (c.y + g.sizeY * c.z))]; }

// Whether the piece can travel from its place out through the face, one cell at a time,
// without meeting another piece.
bool pathIsClear(const AssemblyGrid& g, Occupancy& o, int piece, const Piece& cells, BoxFace face)
{
    const GridCell n = faceNormal(face);
    const int reach = g.sizeX + g.sizeY + g.sizeZ;
    for (int k = 1; k <= reach; k++)
        for (GridCell c : cells) {
            const GridCell m = {c.x + k * n.x, c.y + k * n.y, c.z + k * n.z};
            if (inside(g, m) && at(o, g, m) >= 0 && at(o, g, m) != piece) return false;
        }
    return true;
}

std::vector<BoxFace> facesOf(const AssemblyInput& in)
{
    if (in.mode == AssemblyMode::box) return {in.openFace};
    return {BoxFace::top, BoxFace::bottom, BoxFace::left, BoxFace::right, BoxFace::front, BoxFace::back};
}

// Builds the packing step by step as the plan says; an empty string when every piece got
// in along its side without a collision. Steps of a partial plan start from its
// interlocked pieces already in place.
std::string replayFault(const AssemblyInput& in, const AssemblyPlan& plan)
{
    const AssemblyGrid& g = in.grid;
    Occupancy o(size_t(g.sizeX * g.sizeY * g.sizeZ), -1);
    std::vector<bool> placed(in.pieces.size(), false);
    for (int p : plan.interlocked) {
        placed[size_t(p)] = true;
        for (GridCell c : in.pieces[size_t(p)]) at(o, g, c) = p;
    }
    for (const AssemblyStep& s : plan.steps) {
        if (s.piece < 0 || size_t(s.piece) >= in.pieces.size() || placed[size_t(s.piece)])
            return "step with piece " + std::to_string(s.piece);
        if (in.mode == AssemblyMode::box && s.from != in.openFace) return "box mode: not through the open face";
        if (!pathIsClear(g, o, s.piece, in.pieces[size_t(s.piece)], s.from))
            return "piece " + std::to_string(s.piece) + " collides on its way in";
        placed[size_t(s.piece)] = true;
        for (GridCell c : in.pieces[size_t(s.piece)]) at(o, g, c) = s.piece;
    }
    for (size_t p = 0; p < placed.size(); p++)
        if (!placed[p]) return "piece " + std::to_string(p) + " never placed";
    return "";
}

// Every order of removal, each set of pieces explored once (where an order goes on from a
// set does not depend on how it got there). Returns every set at which removal gets stuck.
void removeAll(const AssemblyInput& in, uint64_t left, std::set<uint64_t>& seen, std::set<uint64_t>& stuck)
{
    if (!seen.insert(left).second) return;
    const AssemblyGrid& g = in.grid;
    Occupancy o(size_t(g.sizeX * g.sizeY * g.sizeZ), -1);
    for (size_t p = 0; p < in.pieces.size(); p++)
        if (left >> p & 1)
            for (GridCell c : in.pieces[p]) at(o, g, c) = int(p);
    bool any = false;
    for (size_t p = 0; p < in.pieces.size(); p++) {
        if (!(left >> p & 1)) continue;
        for (BoxFace f : facesOf(in))
            if (pathIsClear(g, o, int(p), in.pieces[p], f)) {
                any = true;
                removeAll(in, left & ~(uint64_t(1) << p), seen, stuck);
                break;
            }
    }
    if (!any) stuck.insert(left);
}

// The planner against the reference and the replay, in free mode and through each face.
void expectAgreesWithReference(AssemblyInput in, const std::string& what, int* solvable = nullptr,
                               int* locked = nullptr)
{
    for (int m = -1; m < assemblyFaceCount; m++) {
        in.mode = m < 0 ? AssemblyMode::free : AssemblyMode::box;
        in.openFace = BoxFace(m < 0 ? 0 : m);
        const AssemblyPlan plan = planAssembly(in);
        const std::string where = what + (m < 0 ? " free" : std::string(" box ") + faceNameEnglish(in.openFace));
        std::set<uint64_t> seen, stuck;
        removeAll(in, (uint64_t(1) << in.pieces.size()) - 1, seen, stuck);
        ASSERT_EQ(stuck.size(), 1u) << where << ": removal orders end on different sets";
        uint64_t left = 0;
        for (int p : plan.interlocked) left |= uint64_t(1) << p;
        EXPECT_EQ(left, *stuck.begin()) << where;
        EXPECT_EQ(plan.status, left ? AssemblyStatus::interlocked : AssemblyStatus::ok) << where;
        EXPECT_EQ(replayFault(in, plan), "") << where;
        if (solvable && !left) ++*solvable;
        if (locked && left) ++*locked;
    }
}

AssemblyInput packing(AssemblyGrid grid, std::vector<Piece> pieces)
{
    return {grid, std::move(pieces), AssemblyMode::free, BoxFace::top};
}

TEST(Assembly, HandMadePackings)
{
    // Two hooks that hold each other whichever way either moves.
    const AssemblyInput hooks = packing(
        {3, 3, 3}, {{{1, 1, 1}, {1, 1, 2}, {1, 2, 1}, {2, 0, 2}, {2, 1, 2}},
                    {{0, 0, 1}, {1, 0, 1}, {1, 0, 2}, {1, 2, 2}, {2, 0, 1}, {2, 1, 1}, {2, 2, 1}, {2, 2, 2}}});
    AssemblyPlan plan = planAssembly(hooks);
    EXPECT_EQ(plan.status, AssemblyStatus::interlocked);
    EXPECT_EQ(plan.interlocked, (std::vector<int>{0, 1}));
    EXPECT_TRUE(plan.steps.empty());

    // Three pieces of which any two come apart, while the three lock each other; a
    // fourth piece resting on top still gets its step.
    AssemblyInput cycle = packing(
        {3, 4, 3},
        {{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, {0, 1, 1}, {0, 1, 2}, {0, 2, 2}, {1, 1, 2}, {2, 0, 2}, {2, 1, 2},
          {2, 2, 1}, {2, 2, 2}},
         {{0, 0, 2}, {1, 0, 0}, {1, 0, 1}, {1, 0, 2}, {1, 1, 0}, {1, 2, 0}, {2, 1, 0}},
         {{0, 2, 1}, {1, 1, 1}, {1, 2, 1}, {1, 2, 2}, {2, 0, 0}, {2, 0, 1}, {2, 1, 1}},
         {{0, 3, 0}, {1, 3, 0}}});
    plan = planAssembly(cycle);
    EXPECT_EQ(plan.status, AssemblyStatus::interlocked);
    EXPECT_EQ(plan.interlocked, (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].piece, 3);
    EXPECT_EQ(replayFault(cycle, plan), "");
    for (int leftOut = 0; leftOut < 3; leftOut++) {
        AssemblyInput pair = cycle;
        pair.pieces.erase(pair.pieces.begin() + 3);
        pair.pieces.erase(pair.pieces.begin() + leftOut);
        EXPECT_EQ(planAssembly(pair).status, AssemblyStatus::ok) << "without piece " << leftOut;
    }

    // A bar in the slot of a block open only to the left: the bar goes in sideways after
    // the block, and an open top is of no use.
    Piece block;
    for (int z = 0; z < 3; z++)
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 3; x++)
                if (!(y == 1 && z == 1 && x < 2)) block.push_back({x, y, z});
    AssemblyInput slot = packing({3, 3, 3}, {{{0, 1, 1}, {1, 1, 1}}, block});
    plan = planAssembly(slot);
    ASSERT_EQ(plan.status, AssemblyStatus::ok);
    ASSERT_EQ(plan.steps.size(), 2u);
    EXPECT_EQ(plan.steps[1].piece, 0);
    EXPECT_EQ(plan.steps[1].from, BoxFace::left);
    EXPECT_EQ(replayFault(slot, plan), "");

    // The walls: through the top both pieces are stuck, through the left or right face
    // they go in one after the other, each from that side.
    slot.mode = AssemblyMode::box;
    const struct {
        BoxFace open;
        bool ok;
    } walls[] = {{BoxFace::top, false}, {BoxFace::bottom, false}, {BoxFace::front, false},
                 {BoxFace::back, false}, {BoxFace::left, true}, {BoxFace::right, true}};
    for (const auto& w : walls) {
        slot.openFace = w.open;
        plan = planAssembly(slot);
        EXPECT_EQ(plan.status == AssemblyStatus::ok, w.ok) << faceNameEnglish(w.open);
        EXPECT_EQ(replayFault(slot, plan), "") << faceNameEnglish(w.open);
    }
    expectAgreesWithReference(slot, "slot");
    expectAgreesWithReference(cycle, "cycle");
}

TEST(Assembly, RefusesBadInput)
{
    const struct {
        AssemblyGrid grid;
        std::vector<Piece> pieces;
        AssemblyStatus status;
        int badPiece;
    } cases[] = {
        {{0, 4, 3}, {{{0, 0, 0}}}, AssemblyStatus::badGrid, -1},
        {{5, 4, 4}, {{{0, 0, 0}}}, AssemblyStatus::gridTooLarge, -1},
        {{1 << 20, 1 << 20, 1 << 20}, {{{0, 0, 0}}}, AssemblyStatus::gridTooLarge, -1},
        {{4, 4, 4}, {{{3, 3, 3}}, {{0, 0, 0}, {0, 0, 0}}}, AssemblyStatus::ok, -1},
        {{5, 4, 3}, {{{0, 0, 0}}, {{5, 0, 0}}}, AssemblyStatus::badPiece, 1},
        {{5, 4, 3}, {{{0, 0, 0}}, {{1, 0, 0}, {0, 0, 0}}}, AssemblyStatus::badPiece, 1},
        {{5, 4, 3}, {{{0, 0, 0}}, {}}, AssemblyStatus::badPiece, 1},
        {{5, 4, 3}, {{{0, -1, 0}}}, AssemblyStatus::badPiece, 0},
    };
    for (const auto& c : cases) {
        const AssemblyPlan plan = planAssembly(packing(c.grid, c.pieces));
        EXPECT_EQ(plan.status, c.status) << c.grid.sizeX << " x " << c.grid.sizeY << " x " << c.grid.sizeZ;
        EXPECT_EQ(plan.badPiece, c.badPiece);
        if (c.status != AssemblyStatus::ok) {
            EXPECT_TRUE(plan.steps.empty());
        }
    }
    std::vector<Piece> many;
    for (int i = 0; i < maxAssemblyPieces + 1; i++) many.push_back({{i % 4, i / 4 % 4, i / 16}});
    EXPECT_EQ(planAssembly(packing({4, 4, 5}, many)).status, AssemblyStatus::gridTooLarge);
    many.pop_back();
    EXPECT_EQ(planAssembly(packing({4, 4, 4}, many)).status, AssemblyStatus::ok);
    many.push_back({{0, 0, 0}});
    EXPECT_EQ(planAssembly(packing({4, 4, 4}, many)).status, AssemblyStatus::tooManyPieces);
}

// Random packings: pieces grown cell by cell from random seeds in small grids, some full,
// some with holes. KUBO_ASSEMBLY_SEED chooses another run.
TEST(Assembly, RandomPackingsAgainstEveryRemovalOrder)
{
    const char* given = std::getenv("KUBO_ASSEMBLY_SEED");
    const unsigned seed = given ? unsigned(std::strtoul(given, nullptr, 10)) : 24u;
    std::printf("random packings with seed %u (KUBO_ASSEMBLY_SEED)\n", seed);
    std::mt19937 random(seed);
    const AssemblyGrid grids[] = {{3, 3, 2}, {3, 3, 3}, {4, 3, 2}, {2, 2, 4}};
    int solvable = 0, locked = 0;
    for (int round = 0; round < 300; round++) {
        const AssemblyGrid g = grids[random() % 4];
        const int cells = g.sizeX * g.sizeY * g.sizeZ;
        const int count = 2 + int(random() % 6);
        const int fill = cells - int(random() % 3) * int(random() % 4);
        std::vector<int> owner(size_t(cells), -1);
        std::vector<Piece> pieces(static_cast<size_t>(count));
        auto cellOf = [&](int i) { return GridCell{i % g.sizeX, i / g.sizeX % g.sizeY, i / (g.sizeX * g.sizeY)}; };
        for (int p = 0; p < count;) {
            const int c = int(random() % unsigned(cells));
            if (owner[size_t(c)] >= 0) continue;
            owner[size_t(c)] = p;
            pieces[size_t(p++)].push_back(cellOf(c));
        }
        for (int placed = count, tries = 0; placed < fill && tries < 50 * cells; tries++) {
            const int p = int(random() % unsigned(count));
            const GridCell from = pieces[size_t(p)][random() % pieces[size_t(p)].size()];
            const GridCell n = faceNormal(BoxFace(random() % 6));
            const GridCell to = {from.x + n.x, from.y + n.y, from.z + n.z};
            const int c = cellIndex(g, to);
            if (c < 0 || owner[size_t(c)] >= 0) continue;
            owner[size_t(c)] = p;
            pieces[size_t(p)].push_back(to);
            placed++;
        }
        expectAgreesWithReference(packing(g, pieces), "packing " + std::to_string(round), &solvable, &locked);
        if (HasFatalFailure()) return;
    }
    // Both answers must have come up often, or the comparison proves little.
    EXPECT_GT(solvable, 1000);
    EXPECT_GT(locked, 100);
}

// Real solutions in their four orientations, decoded as the viewer places them.
TEST(Assembly, RealSolutionsAgainstEveryRemovalOrder)
{
    for (const SolutionRecord& record : firstFullRecords(5))
        for (int variant = 0; variant < 4; variant++) {
            std::vector<Piece> pieces;
            for (PlacementWord word : record.words) {
                const int index = placementPieceIndex(word);
                const PieceCells placed =
                    placePiece(PieceCatalogue[index], effectivePlacementWith(word, variant, false, {0, 0, 0}));
                Piece piece;
                for (int i = 0; i < placed.cellCount; i++)
                    piece.push_back({placed.cells[i].x, placed.cells[i].y, placed.cells[i].z});
                pieces.push_back(piece);
            }
            expectAgreesWithReference(packing({boxSizeX, boxSizeY, boxSizeZ}, pieces),
                                      "variant " + std::to_string(variant));
        }
}

// The statistics' decoding of table records yields the cells the solver placed.
TEST(Assembly, TableRecordsDecodeToTheSolversCells)
{
    const AssemblyGridMasks box = boxAssemblyGrid();
    for (const SolutionRecord& record : firstFullRecords(5)) {
        CellMask masks[pieceCount];
        recordPieceMasks(box, record, masks);
        for (PlacementWord word : record.words) {
            const int piece = placementPieceIndex(word);
            uint64_t solverMask = 0;
            for (int bit = 0; bit < box.cellCount; bit++)
                if (masks[piece] >> bit & 1) {
                    const Cell c = {bit % boxSizeX, bit / boxSizeX % boxSizeY, bit / (boxSizeX * boxSizeY)};
                    solverMask |= uint64_t(1) << cellBit(fullBox, c);
                }
            EXPECT_EQ(solverMask, placedMask(fullBox, piece, word)) << "piece " << piece;
        }
    }
}

}  // namespace
