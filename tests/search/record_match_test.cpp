// Tests of recordMatches against the slow reference on random records and criteria, the
// example of a criterion that matches in a turned variant, and turning the criteria.
#include <gtest/gtest.h>

#include <random>

#include "search/filter_text.h"
#include "search/record_match.h"
#include "tests/search/record_reference.h"
#include "tests/support/test_seed.h"

namespace {

FilterCriterion table[12][3];

TEST(RecordMatch, AgreesWithTheReferenceOnRandomRecords)
{
    const unsigned seed = testSeed("RecordTest.AgreesWithTheReferenceOnRandomRecords");
    std::mt19937 random(seed);
    int matches = 0;
    for (int round = 0; round < 20000; round++) {
        SolutionRecord record;
        for (PlacementWord& w : record.words) w = PlacementWord(random());
        // Mostly real piece numbers, sometimes none (0) or past the catalogue (13..15).
        for (int i = 0; i < 12; i++)
            if (random() % 8) record.words[i] = PlacementWord((record.words[i] & 0x0FFF) | ((1 + (i + round) % 12) << 12));
        PlainCriterion criteria[6];
        int count = 0;
        const int wanted = int(random() % 5);
        for (int c = 0; c < wanted; c++) {
            const int piece = int(random() % 12);
            const int slot = int(random() % 3);
            bool taken = false;
            for (int k = 0; k < count; k++) taken = taken || (criteria[k].piece == piece && criteria[k].slot == slot);
            if (taken) continue;
            Cell cell = {int(random() % 5), int(random() % 4), int(random() % 3)};
            // Often a cell that the record's piece really covers, so that matches occur.
            if (random() % 2) {
                for (PlacementWord w : record.words)
                    if (placementPieceIndex(w) == piece) {
                        const IntTransform t = effectivePlacementWith(w, int(random() % 4), false, {0, 0, 0});
                        cell = applyTransform(t, PieceCatalogue[piece].cells[random() % PieceCatalogue[piece].cellCount]);
                    }
            }
            criteria[count++] = {piece, slot, cell};
        }
        loadCriteria(table, criteria, count);
        for (int v = 0; v < 4; v++) {
            const bool expected = referenceMatches(record, criteria, count, v);
            ASSERT_EQ(recordMatches(record, table, v), expected) << "seed " << seed << " round " << round << " variant " << v;
            matches += expected;
        }
    }
    EXPECT_GT(matches, 1000) << "seed " << seed;  // the comparison saw both outcomes
    EXPECT_LT(matches, 80000) << "seed " << seed;
}

// A solution whose piece 0 covers (4,3,0) in variant a is a hit in variant b for the
// criterion (0,0,0), since b maps (4,3,0) onto (0,0,0).
TEST(RecordMatch, TurnedCriterionMatchesTheTurnedVariant)
{
    SolutionRecord record = {};
    record.words[0] = PlacementWord(1 << 12 | 3 << 4 | 1 << 2);  // piece 0 unturned at 3,1,0
    const PlainCriterion farCorner[] = {{0, 0, {4, 3, 0}}};
    loadCriteria(table, farCorner, 1);
    ASSERT_TRUE(recordMatches(record, table, 0));
    const PlainCriterion corner[] = {{0, 0, {0, 0, 0}}};
    loadCriteria(table, corner, 1);
    EXPECT_FALSE(recordMatches(record, table, 0));
    EXPECT_TRUE(recordMatches(record, table, 1));
    // Turning the criterion with b makes the variant-b match a variant-a match; likewise
    // for every pair of variants and every turn (the variants form a group).
    for (int turn = 1; turn < 4; turn++)
        for (int v = 0; v < 4; v++) {
            const PlainCriterion turned[] = {{0, 0, turnCell({0, 0, 0}, turn)}};
            loadCriteria(table, corner, 1);
            const bool before = recordMatches(record, table, v);
            loadCriteria(table, turned, 1);
            EXPECT_EQ(recordMatches(record, table, v ^ turn), before) << "turn " << turn << " variant " << v;
        }
}

TEST(RecordMatch, NoCriterionMatchesEverything)
{
    loadCriteria(table, nullptr, 0);
    EXPECT_FALSE(anyCriterionActive(table));
    SolutionRecord record;
    for (int i = 0; i < 12; i++) record.words[i] = PlacementWord(((i + 1) << 12) | (i * 37));
    for (int v = 0; v < 4; v++) EXPECT_TRUE(recordMatches(record, table, v));
    writeCriterion(table[11][2], {true, {0, 0, 0}});
    EXPECT_TRUE(anyCriterionActive(table));
    // A piece that the record does not hold places no demand.
    for (PlacementWord& w : record.words)
        if (placementPieceIndex(w) == 11) w = 0;
    EXPECT_TRUE(recordMatches(record, table, 0));
}

}  // namespace
