// The record test on the real solution table: for a set of criteria (each piece on cells
// of the box, alone and in pairs), the hits of every variant are counted by the record
// test and by the slow reference, record by record. The table comes from the solver and is
// cached in the build folder (its path is the first argument).
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "model/solution_table.h"
#include "search/record_match.h"
#include "tests/search/record_reference.h"

static const char* tablePath = nullptr;

namespace {

std::vector<SolutionRecord> readTable()
{
    std::vector<SolutionRecord> table;
    std::FILE* f = std::fopen(tablePath, "rb");
    if (!f) return table;
    unsigned char bytes[recordSize];
    while (std::fread(bytes, 1, recordSize, f) == size_t(recordSize)) table.push_back(decodeRecord(bytes));
    std::fclose(f);
    return table;
}

FilterCriterion criteriaTable[12][3];

TEST(RealTable, RecordTestAgreesWithTheReference)
{
    const std::vector<SolutionRecord> table = readTable();
    ASSERT_EQ(table.size(), 409963u) << tablePath;
    // Every record is a solution: its pieces fill each cell of the box once, in every
    // variant. This also checks that the reference places pieces where they are.
    for (size_t n = 0; n < table.size(); n += 997) {
        for (int v = 0; v < 4; v++) {
            int covered[5][4][3] = {};
            for (PlacementWord w : table[n].words) {
                const int p = placementPieceIndex(w);
                ASSERT_TRUE(p >= 0 && p < 12);
                const IntTransform t = effectivePlacementWith(w, v, false, {0, 0, 0});
                for (int k = 0; k < PieceCatalogue[p].cellCount; k++) {
                    const Cell c = applyTransform(t, PieceCatalogue[p].cells[k]);
                    ASSERT_TRUE(c.x >= 0 && c.x < 5 && c.y >= 0 && c.y < 4 && c.z >= 0 && c.z < 3);
                    covered[c.x][c.y][c.z]++;
                }
            }
            for (auto& plane : covered)
                for (auto& row : plane)
                    for (int count : row) ASSERT_EQ(count, 1) << "record " << n + 1;
        }
    }
    const std::vector<std::vector<PlainCriterion>> sets = {
        {{0, 0, {0, 0, 0}}},
        {{11, 1, {2, 1, 1}}},
        {{4, 2, {4, 3, 2}}},
        {{0, 0, {0, 0, 0}}, {0, 1, {1, 0, 0}}},
        {{2, 0, {0, 3, 0}}, {7, 0, {4, 0, 2}}},
        {{8, 0, {2, 2, 1}}, {8, 1, {2, 1, 1}}, {5, 0, {1, 1, 1}}},
    };
    for (const std::vector<PlainCriterion>& set : sets) {
        loadCriteria(criteriaTable, set.data(), int(set.size()));
        uint32_t fast[4] = {}, slow[4] = {};
        for (const SolutionRecord& r : table)
            for (int v = 0; v < 4; v++) {
                const bool a = recordMatches(r, criteriaTable, v);
                fast[v] += a;
                slow[v] += referenceMatches(r, set.data(), int(set.size()), v);
            }
        for (int v = 0; v < 4; v++) EXPECT_EQ(fast[v], slow[v]) << "criteria " << set.size() << " first piece " << set[0].piece + 1 << " variant " << v;
        std::printf("piece %d on %d,%d,%d (+%zu): hits a..d %u %u %u %u\n", set[0].piece + 1, int(set[0].cell.x),
                    int(set[0].cell.y), int(set[0].cell.z), set.size() - 1, fast[0], fast[1], fast[2], fast[3]);
        EXPECT_GT(fast[0] + fast[1] + fast[2] + fast[3], 0u);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kubo_search_table_check TABLE\n");
        return 2;
    }
    tablePath = argv[1];
    return RUN_ALL_TESTS();
}
