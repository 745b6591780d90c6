// Tests of the plans with one-cell moves: hand-made packings whose shortest plans are known,
// and real solutions through every face, each plan replayed cell by cell by a slow mover of
// its own and the first search's length compared with a plain breadth-first search.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assembly/move_plan.h"
#include "full_records.h"
#include "model/placement.h"

// For sets of states; found by the standard algorithms through the type's namespace.
static bool operator<(GridCell a, GridCell b)
{
    return a.x != b.x ? a.x < b.x : a.y != b.y ? a.y < b.y : a.z < b.z;
}

namespace {

using Piece = std::vector<GridCell>;
GridCell plus(GridCell a, GridCell b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
GridCell times(GridCell a, int k) { return {a.x * k, a.y * k, a.z * k}; }

CellMask maskOf(const AssemblyGrid& g, const Piece& piece)
{
    CellMask m = 0;
    for (GridCell c : piece) m |= CellMask(1) << cellIndex(g, c);
    return m;
}

// Whether the cell may hold a piece: inside the box, or above its open face within the
// walls that go on from it. In free space everywhere.
bool roomAt(const AssemblyGrid& g, BoxFace face, GridCell c, bool free)
{
    if (free) return true;
    const GridCell n = faceNormal(face);
    const int at[3] = {c.x, c.y, c.z}, size[3] = {g.sizeX, g.sizeY, g.sizeZ}, out[3] = {n.x, n.y, n.z};
    for (int a = 0; a < 3; a++) {
        if (out[a] > 0 && at[a] < 0) return false;
        if (out[a] < 0 && at[a] >= size[a]) return false;
        if (out[a] == 0 && (at[a] < 0 || at[a] >= size[a])) return false;
    }
    return true;
}

// Takes the packing apart as the plan says, one cell at a time; "" when every move went
// into room that was free and every piece left along a clear way. The parts of a group
// that left go on from where they were, in free space among themselves.
std::string replayFault(const AssemblyGrid& g, BoxFace face, std::vector<Piece> pieces, const MovePlan& plan)
{
    // Which piece is on a cell: in the box, and in the free space of the group that left last.
    std::map<GridCell, int> inBox, inFree;
    for (size_t p = 0; p < pieces.size(); p++)
        for (GridCell c : pieces[p]) inBox[c] = int(p);
    int step = 0;
    for (const PackingMove& m : plan.disassembly) {
        const std::string at = "step " + std::to_string(++step) + ": ";
        std::map<GridCell, int>& where = m.inFreeSpace ? inFree : inBox;
        if (std::abs(m.by.x) + std::abs(m.by.y) + std::abs(m.by.z) != 1) return at + "not one cell along an axis";
        std::vector<size_t> moving;
        for (size_t p = 0; p < pieces.size(); p++)
            if (m.pieces >> p & 1) moving.push_back(p);
        for (size_t p : moving) {
            if (pieces[p].empty() || where.find(pieces[p][0]) == where.end() || where[pieces[p][0]] != int(p))
                return at + "piece " + std::to_string(p) + " is not there";
            // An exit is a clear way to the end; a move, one free cell.
            const int reach = m.exits ? g.sizeX + g.sizeY + g.sizeZ + 8 : 1;
            for (GridCell c : pieces[p])
                for (int k = 1; k <= reach; k++) {
                    const GridCell to = plus(c, times(m.by, k));
                    const auto o = where.find(to);
                    if (o != where.end() && !(m.pieces >> o->second & 1))
                        return at + "piece " + std::to_string(p) + " meets " + std::to_string(o->second);
                    if (!m.exits && !roomAt(g, face, to, m.inFreeSpace)) return at + "into a wall";
                }
        }
        for (size_t p : moving)
            for (GridCell c : pieces[p]) where.erase(c);
        if (m.exits && !m.inFreeSpace && moving.size() > 1) {
            // A group: its parts come apart next, in a space of their own.
            inFree.clear();
            for (size_t p : moving)
                for (GridCell c : pieces[p]) inFree[c] = int(p);
        }
        if (m.exits) continue;
        for (size_t p : moving)
            for (GridCell& c : pieces[p]) where[c = plus(c, m.by)] = int(p);
    }
    if (!inBox.empty()) return "piece " + std::to_string(inBox.begin()->second) + " never left";
    return "";
}

// A plain breadth-first search on sets of cells, the same moves as the planner's: from the
// pieces left once every piece that could go straight out has gone, the fewest moves until
// one can. -1 beyond maxDepth.
int firstSearchLength(const AssemblyGrid& g, BoxFace face, std::vector<Piece> pieces, int maxDepth)
{
    const GridCell n = faceNormal(face);
    const auto clearWay = [&](const std::vector<Piece>& ps, size_t p) {
        for (size_t q = 0; q < ps.size(); q++)
            if (q != p)
                for (GridCell c : ps[p])
                    for (int k = 1; k < 20; k++)
                        if (std::find(ps[q].begin(), ps[q].end(), plus(c, times(n, k))) != ps[q].end()) return false;
        return true;
    };
    for (bool gone = true; gone;) {
        gone = false;
        for (size_t p = 0; p < pieces.size(); p++)
            if (clearWay(pieces, p)) {
                pieces.erase(pieces.begin() + long(p));
                gone = true;
                break;
            }
    }
    if (pieces.empty()) return 0;
    const GridCell directions[6] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    std::set<std::vector<Piece>> seen = {pieces};
    std::vector<std::vector<Piece>> layer = {pieces};
    for (int depth = 1; depth <= maxDepth; depth++) {
        std::vector<std::vector<Piece>> next;
        for (const std::vector<Piece>& state : layer)
            for (GridCell d : directions)
                for (size_t p = 0; p < state.size(); p++) {
                    // p and what it pushes, and what that pushes.
                    std::set<size_t> group = {p};
                    bool blocked = false;
                    for (bool grew = true; grew && !blocked;) {
                        grew = false;
                        for (size_t a : std::set<size_t>(group))
                            for (GridCell c : state[a]) {
                                const GridCell to = plus(c, d);
                                if (!roomAt(g, face, to, false)) blocked = true;
                                // The room above the rim is the box's depth again.
                                const int h = n.x ? (n.x > 0 ? to.x : g.sizeX - 1 - to.x)
                                                  : n.y ? (n.y > 0 ? to.y : g.sizeY - 1 - to.y)
                                                        : (n.z > 0 ? to.z : g.sizeZ - 1 - to.z);
                                const int depthOf = n.x ? g.sizeX : n.y ? g.sizeY : g.sizeZ;
                                if (h >= 2 * depthOf) blocked = true;
                                for (size_t q = 0; q < state.size(); q++)
                                    if (!group.count(q) && std::find(state[q].begin(), state[q].end(), to) != state[q].end()) {
                                        group.insert(q);
                                        grew = true;
                                    }
                            }
                    }
                    if (blocked) continue;
                    std::vector<Piece> moved = state;
                    for (size_t a : group)
                        for (GridCell& c : moved[a]) c = plus(c, d);
                    if (!seen.insert(moved).second) continue;
                    for (size_t q = 0; q < moved.size(); q++)
                        if (clearWay(moved, q)) return depth;
                    next.push_back(moved);
                }
        layer = std::move(next);
    }
    return -1;
}

// The moves of the plan before its first exit that follows a move.
int firstSearchLengthOf(const MovePlan& plan)
{
    int moves = 0;
    for (const PackingMove& m : plan.disassembly) {
        if (m.exits && moves > 0) return moves;
        if (!m.exits) moves++;
    }
    return moves;
}

struct Packing {
    AssemblyGrid grid;
    std::vector<Piece> pieces;
};

MovePlan planOf(const Packing& p, BoxFace face, uint32_t bound = defaultMovePlanStateBound)
{
    std::vector<CellMask> masks;
    for (const Piece& piece : p.pieces) masks.push_back(maskOf(p.grid, piece));
    return planBoxMoves(p.grid, masks.data(), int(masks.size()), face, bound);
}

// Two hooks in a box one cell deep, open at the top, seen from the front (x right, y up):
//     . B B          A holds B down at x = 1, B holds A down at x = 1 above it.
//     A A B
//     A B B
// With a fourth column free, B slides right and both come out.
const Piece hookA = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}};
const Piece hookB = {{1, 0, 0}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 0}};

TEST(MovePlan, HandMadePackingsGetTheirShortestPlans)
{
    {
        SCOPED_TRACE("a slide of one cell before the exits");
        const Packing p = {{4, 3, 1}, {hookA, hookB}};
        const MovePlan plan = planOf(p, BoxFace::top);
        ASSERT_EQ(plan.status, MovePlanStatus::singleExits);
        EXPECT_EQ(plan.oneCellMoves, 1);
        ASSERT_EQ(plan.disassembly.size(), 3u);
        EXPECT_EQ(plan.disassembly[0].pieces, 2u);  // B, one cell to the right
        EXPECT_EQ(plan.disassembly[0].by.x, 1);
        EXPECT_FALSE(plan.disassembly[0].exits);
        EXPECT_EQ(replayFault(p.grid, BoxFace::top, p.pieces, plan), "");
    }
    {
        SCOPED_TRACE("two pieces pushed together");
        // B's arm over C: B cannot slide without C, C not leave without B.
        const Piece armedB = {{1, 0, 0}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 0}, {3, 2, 0}};
        const Packing p = {{5, 3, 1}, {hookA, armedB, {{3, 0, 0}, {3, 1, 0}}}};
        const MovePlan plan = planOf(p, BoxFace::top);
        ASSERT_EQ(plan.status, MovePlanStatus::singleExits);
        EXPECT_EQ(plan.oneCellMoves, 1);
        EXPECT_EQ(plan.disassembly[0].pieces, 6u);  // B and C
        EXPECT_EQ(plan.disassembly[0].by.x, 1);
        EXPECT_EQ(replayFault(p.grid, BoxFace::top, p.pieces, plan), "");
    }
    {
        SCOPED_TRACE("no room: the two go in together");
        const Packing p = {{3, 3, 1}, {hookA, hookB}};
        const MovePlan plan = planOf(p, BoxFace::top);
        ASSERT_EQ(plan.status, MovePlanStatus::groupExit);
        EXPECT_EQ(plan.largestGroup, 2);
        EXPECT_EQ(plan.searchesAtBound, 0);
        EXPECT_EQ(plan.disassembly[0].pieces, 3u);
        EXPECT_TRUE(plan.disassembly[0].exits);
        EXPECT_TRUE(plan.disassembly[1].inFreeSpace);
        EXPECT_EQ(replayFault(p.grid, BoxFace::top, p.pieces, plan), "");
    }
    {
        SCOPED_TRACE("a search that stops at the bound is no proof");
        const Packing p = {{4, 3, 1}, {hookA, hookB}};
        const MovePlan plan = planOf(p, BoxFace::top, 1);
        EXPECT_EQ(plan.searchesAtBound, 1);
        EXPECT_EQ(plan.status, MovePlanStatus::groupExit);
        EXPECT_EQ(replayFault(p.grid, BoxFace::top, p.pieces, plan), "");
    }
}

TEST(MovePlan, RefusesBadInput)
{
    const AssemblyGrid g = {3, 3, 1};
    const CellMask a = maskOf(g, hookA), b = maskOf(g, hookB);
    const CellMask overlapping[] = {a, a | b};
    const CellMask empty[] = {a, 0};
    const CellMask outside[] = {a, CellMask(1) << 20};
    EXPECT_EQ(planBoxMoves(g, overlapping, 2, BoxFace::top).status, MovePlanStatus::badInput);
    EXPECT_EQ(planBoxMoves(g, empty, 2, BoxFace::top).status, MovePlanStatus::badInput);
    EXPECT_EQ(planBoxMoves(g, outside, 2, BoxFace::top).status, MovePlanStatus::badInput);
    EXPECT_EQ(planBoxMoves({0, 3, 1}, overlapping, 1, BoxFace::top).status, MovePlanStatus::badInput);
    std::vector<CellMask> many(maxMovePlanPieces + 1, 0);
    EXPECT_EQ(planBoxMoves({5, 4, 3}, many.data(), int(many.size()), BoxFace::top).status, MovePlanStatus::badInput);
    // An empty box is taken apart at once.
    EXPECT_EQ(planBoxMoves(g, nullptr, 0, BoxFace::top).status, MovePlanStatus::singleExits);
}

TEST(MovePlan, RealSolutionsThroughEveryFaceReplayAndSearchNoLongerThanNeeded)
{
    const AssemblyGrid box = {5, 4, 3};
    const std::vector<SolutionRecord> records = firstFullRecords(600);
    ASSERT_EQ(records.size(), 600u);
    std::map<MovePlanStatus, int> statuses;
    int compared = 0, withMoves = 0;
    for (size_t r = 0; r < records.size(); r++) {
        std::vector<Piece> pieces(pieceCount);
        for (PlacementWord word : records[r].words) {
            const int piece = placementPieceIndex(word);
            const PieceCells placed = placePiece(PieceCatalogue[piece], decodePlacementWord(word));
            for (int c = 0; c < placed.cellCount; c++)
                pieces[size_t(piece)].push_back({placed.cells[c].x, placed.cells[c].y, placed.cells[c].z});
        }
        for (int f = 0; f < assemblyFaceCount; f++) {
            const BoxFace face = BoxFace(f);
            // A lower bound keeps the few packings that need a group quick.
            const MovePlan plan = planOf({box, pieces}, face, 200000);
            statuses[plan.status]++;
            ASSERT_EQ(replayFault(box, face, pieces, plan), "") << "record " << r << ", " << faceNameEnglish(face);
            withMoves += plan.oneCellMoves > 0;
            // The slow search is kept to short first searches of a few of them.
            const int first = firstSearchLengthOf(plan);
            if (r % 7 == 0 && first <= 2 && plan.searchesAtBound == 0) {
                EXPECT_EQ(firstSearchLength(box, face, pieces, 2), first) << "record " << r << ", " << faceNameEnglish(face);
                compared++;
            }
        }
    }
    // Most go in one by one, many after moves, a few through the side faces as a group;
    // every one has a plan.
    EXPECT_GT(statuses[MovePlanStatus::singleExits], 3500);
    EXPECT_GT(statuses[MovePlanStatus::groupExit], 0);
    EXPECT_EQ(statuses[MovePlanStatus::singleExits] + statuses[MovePlanStatus::groupExit], 3600);
    EXPECT_GT(withMoves, 1500);
    EXPECT_GT(compared, 300);
}

}  // namespace
