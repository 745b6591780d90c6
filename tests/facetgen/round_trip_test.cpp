// The default road end to end: a solution found with the puzzle model, its placement
// file text, and facetgen with the shipped map and meshes. Every piece's mesh must land
// on the surface of exactly the cells that piece occupies, its normals pointing out.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "launch/placement_file.h"
#include "model/geometry.h"
#include "model/placement.h"
#include "tests/support/child_process.h"

namespace {

const std::string program = FACETGEN_PROGRAM;
const std::string dataDir = FACETGEN_DATA_DIR;

int cellIndex(Cell c) { return (c.z * boxSizeY + c.y) * boxSizeX + c.x; }

struct Placement {
    PlacementWord word;
    uint64_t cells;
};

// For every piece and every cell, the words that place the piece wholly in the box with
// that cell as its lowest, and the cells they cover as a bit set.
using PlacementIndex = std::vector<std::vector<std::vector<Placement>>>;

PlacementIndex placementsByLowestCell()
{
    PlacementIndex index(pieceCount, std::vector<std::vector<Placement>>(boxCellCount));
    for (int piece = 0; piece < pieceCount; piece++) {
        for (int rotation = 0; rotation < 32; rotation++) {
            if ((rotation >> 3) == 3) continue;  // axis code 3 is not part of the format
            for (int t = 0; t < 8 * 4 * 4; t++) {
                const PlacementWord word = PlacementWord(((piece + 1) << 12) | (rotation << 7) | t);
                const PieceCells placed =
                    placePiece(PieceCatalogue[piece], decodePlacementWord(word));
                uint64_t cells = 0;
                bool inside = true;
                for (int i = 0; i < placed.cellCount; i++) {
                    const Cell c = placed.cells[i];
                    inside = inside && c.x >= 0 && c.x < boxSizeX && c.y >= 0 &&
                             c.y < boxSizeY && c.z >= 0 && c.z < boxSizeZ;
                    if (inside) cells |= uint64_t(1) << cellIndex(c);
                }
                if (!inside) continue;
                int lowest = 0;
                while (!(cells & (uint64_t(1) << lowest))) lowest++;
                index[piece][lowest].push_back({word, cells});
            }
        }
    }
    return index;
}

// Exact cover by depth-first search: the lowest empty cell must be the lowest cell of
// the next piece placed.
bool solve(const PlacementIndex& index, uint64_t filled, int usedPieces, SolutionRecord& record)
{
    if (filled == (uint64_t(1) << boxCellCount) - 1) return true;
    int lowest = 0;
    while (filled & (uint64_t(1) << lowest)) lowest++;
    for (int piece = 0; piece < pieceCount; piece++) {
        if (usedPieces & (1 << piece)) continue;
        for (const Placement& p : index[piece][lowest]) {
            if (p.cells & filled) continue;
            record.words[piece] = p.word;
            if (solve(index, filled | p.cells, usedPieces | (1 << piece), record)) return true;
        }
    }
    return false;
}

// One solution of the puzzle, found once for all the tests.
const SolutionRecord& someSolution()
{
    static SolutionRecord record = {};
    static const bool found = solve(placementsByLowestCell(), 0, 0, record);
    EXPECT_TRUE(found);
    return record;
}

struct Vec {
    double x, y, z;
};

struct Solid {
    std::vector<Vec> vertices;
    std::vector<Vec> normals;
};

// The SLP solids in order, with their normals and vertices in grid units.
std::vector<Solid> readSolids(const std::string& text, double scale)
{
    std::vector<Solid> solids;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        Vec v = {0, 0, 0};
        if (word == "solid") solids.emplace_back();
        if (word != "normal" && word != "vertex") continue;
        words >> v.x >> v.y >> v.z;
        if (solids.empty()) solids.emplace_back();
        if (word == "normal")
            solids.back().normals.push_back(v);
        else
            solids.back().vertices.push_back({v.x / scale, v.y / scale, v.z / scale});
    }
    return solids;
}

bool isCellOf(const std::set<int>& cells, double x, double y, double z)
{
    const Cell c = {int(std::lround(x)), int(std::lround(y)), int(std::lround(z))};
    if (c.x < 0 || c.x >= boxSizeX || c.y < 0 || c.y >= boxSizeY || c.z < 0 || c.z >= boxSizeZ)
        return false;
    return cells.count(cellIndex(c)) > 0;
}

class RoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RoundTrip, EveryPieceLiesOnTheSurfaceOfItsCells)
{
    const SolutionRecord& record = someSolution();

    // The cells of each piece in the box as the solution has them.
    const int variant = GetParam();
    const FlipOptions flips = {variant & 1, 1, variant == 3};
    std::vector<std::set<int>> cellsOfPiece(pieceCount);
    for (PlacementWord word : record.words) {
        const int piece = placementPieceIndex(word);
        const PieceCells placed = placePiece(PieceCatalogue[piece],
                                             composeTransforms(VariantTransforms[variant],
                                                               decodePlacementWord(word)));
        for (int i = 0; i < placed.cellCount; i++) cellsOfPiece[piece].insert(cellIndex(placed.cells[i]));
    }

    CurrentSolution solution = {};
    solution.number = 17;
    solution.variant = variant;
    solution.loaded = 1;
    solution.record = record;
    const std::string text = placementFileText(solution, flips);

    const std::string work = makeScratchFolder();
    writeFile(work + "/facetgen.map", readFile(dataDir + "/facetgen.map"));
    for (int k = 1; k <= pieceCount; k++) {
        char name[32];
        std::snprintf(name, sizeof name, "/baustein_%02d.slp", k);
        writeFile(work + name, readFile(dataDir + name));
    }
    writeFile(work + "/loesung.pos", text);
    const RunResult r = runProgram(program, {"-L-", "loesung.pos"}, work);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "loesung.pos -> loesung.slp ...\n");
    const std::vector<Solid> solids = readSolids(readFile(work + "/loesung.slp"), 10.0);
    removeTree(work);

    ASSERT_EQ(solids.size(), size_t(pieceCount));
    for (int line = 0; line < pieceCount; line++) {
        const int piece = placementPieceIndex(record.words[line]);
        const std::set<int>& cells = cellsOfPiece[piece];
        const Solid& s = solids[line];
        ASSERT_EQ(s.vertices.size() % 3, 0u);
        ASSERT_EQ(s.normals.size(), s.vertices.size());
        double area = 0;
        for (size_t t = 0; t < s.vertices.size(); t += 3) {
            const Vec& a = s.vertices[t];
            const Vec& b = s.vertices[t + 1];
            const Vec& c = s.vertices[t + 2];
            // Corners of the cells: cell centres are whole numbers, corners lie halfway.
            for (const Vec& v : {a, b, c}) {
                for (double coordinate : {v.x, v.y, v.z})
                    ASSERT_EQ(std::fabs(coordinate - std::floor(coordinate)), 0.5) << "piece " << piece + 1;
            }
            // The written normal, the winding's normal, and the cells on either side.
            const Vec n = s.normals[t];
            const Vec u = {b.x - a.x, b.y - a.y, b.z - a.z};
            const Vec w = {c.x - a.x, c.y - a.y, c.z - a.z};
            const Vec cross = {u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
            EXPECT_GT(cross.x * n.x + cross.y * n.y + cross.z * n.z, 0) << "piece " << piece + 1;
            area += std::sqrt(cross.x * cross.x + cross.y * cross.y + cross.z * cross.z) / 2;
            EXPECT_DOUBLE_EQ(n.x * n.x + n.y * n.y + n.z * n.z, 1.0);
            const Vec m = {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
            EXPECT_TRUE(isCellOf(cells, m.x - 0.25 * n.x, m.y - 0.25 * n.y, m.z - 0.25 * n.z))
                << "piece " << piece + 1 << " triangle " << t / 3;
            EXPECT_FALSE(isCellOf(cells, m.x + 0.25 * n.x, m.y + 0.25 * n.y, m.z + 0.25 * n.z))
                << "piece " << piece + 1 << " triangle " << t / 3;
        }
        // Together the triangles cover every outer cube face once.
        int outerFaces = 0;
        for (int index : cells) {
            const int x = index % boxSizeX, y = index / boxSizeX % boxSizeY, z = index / (boxSizeX * boxSizeY);
            const int step[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
            for (const auto& d : step)
                if (!isCellOf(cells, x + d[0], y + d[1], z + d[2])) outerFaces++;
        }
        EXPECT_DOUBLE_EQ(area, outerFaces) << "piece " << piece + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, RoundTrip, ::testing::Values(0, 1, 2, 3));

}  // namespace
