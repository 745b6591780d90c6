// Tests of the table check: genuine records pass, and each kind of damage is found and
// named, as are records that are variants of each other.
#include <gtest/gtest.h>

#include "full_records.h"
#include "solver/messages.h"
#include "solver/table_check.h"

namespace {

std::vector<CheckFault> checkAll(const std::vector<SolutionRecord>& records)
{
    TableChecker checker = makeTableChecker();
    std::vector<CheckFault> all;
    for (const SolutionRecord& r : records) {
        const std::vector<CheckFault> faults = checkNextRecord(checker, r);
        all.insert(all.end(), faults.begin(), faults.end());
    }
    return all;
}

std::vector<std::string> texts(const std::vector<CheckFault>& faults)
{
    std::vector<std::string> lines;
    for (const CheckFault& f : faults) lines.push_back(faultText(f));
    return lines;
}

TEST(TableCheck, GenuineRecordsPass)
{
    const std::vector<SolutionRecord> records = firstFullRecords(50);
    ASSERT_EQ(records.size(), 50u);
    EXPECT_TRUE(checkAll(records).empty());
}

TEST(TableCheck, FindsDamagedRecords)
{
    const SolutionRecord good = firstFullRecords(1).at(0);
    const int piece2 = placementPieceIndex(good.words[2]);
    const int piece5 = placementPieceIndex(good.words[5]);

    SolutionRecord noPiece = good;
    noPiece.words[5] = 0x0123;  // piece number 0
    SolutionRecord twice = good;
    twice.words[5] = good.words[2];
    SolutionRecord outside = good;
    outside.words[2] = PlacementWord((good.words[2] & 0xFF8F) | 0x70);  // translation x 7
    SolutionRecord overlapping = good;
    overlapping.words[2] = PlacementWord((good.words[2] & 0xFFFC) | ((good.words[2] + 1) & 3));

    const struct {
        SolutionRecord record;
        std::vector<FaultKind> kinds;
    } cases[] = {
        {noPiece, {FaultKind::wordWithoutPiece, FaultKind::pieceMissing}},
        {twice, {FaultKind::pieceTwice, FaultKind::pieceMissing}},
        {outside, {FaultKind::outsideBox}},
    };
    for (const auto& c : cases) {
        const std::vector<CheckFault> faults = checkAll({c.record});
        ASSERT_EQ(faults.size(), c.kinds.size());
        for (size_t i = 0; i < faults.size(); i++) EXPECT_EQ(faults[i].kind, c.kinds[i]) << i;
    }
    const std::vector<CheckFault> missing = checkAll({noPiece});
    EXPECT_EQ(missing[1].piece, piece5);
    EXPECT_EQ(checkAll({twice})[0].piece, piece2);

    // Moving a piece within a full box makes it overlap, or leave the box at its edge.
    const std::vector<CheckFault> moved = checkAll({overlapping});
    ASSERT_FALSE(moved.empty());
    EXPECT_TRUE(moved[0].kind == FaultKind::overlap || moved[0].kind == FaultKind::outsideBox);
}

TEST(TableCheck, FindsVariantsAndCopies)
{
    const std::vector<SolutionRecord> first = firstFullRecords(3);
    ASSERT_EQ(first.size(), 3u);
    // Record 4 is record 2 turned by c, record 5 a copy of record 1, record 6 is record 1
    // turned by d (and so also record 5 turned by d, which is not named: every record that
    // repeats one is named once, against the first of its class).
    const std::vector<SolutionRecord> table = {first[0], first[1], first[2],
                                               turnedRecord(first[1], 2), first[0],
                                               turnedRecord(first[0], 3)};
    const std::vector<CheckFault> faults = checkAll(table);
    const std::vector<std::string> expected = {
        "Datensatz 4: ist eine Variante von Datensatz 2 (4 = 2c).",
        "Datensatz 5: gleicht Datensatz 1.",
        "Datensatz 6: ist eine Variante von Datensatz 1 (6 = 1d).",
    };
    EXPECT_EQ(texts(faults), expected);
    for (const CheckFault& f : faults) EXPECT_EQ(f.kind, FaultKind::variantPair);
}

TEST(TableCheck, ManyCopiesAreNamedOnceEachAgainstTheFirst)
{
    const std::vector<SolutionRecord> first = firstFullRecords(2);
    ASSERT_EQ(first.size(), 2u);
    // Turning a record is slow; the four turns are made once.
    SolutionRecord turns[4];
    for (int v = 0; v < 4; v++) turns[v] = turnedRecord(first[0], v);
    TableChecker checker = makeTableChecker();
    EXPECT_TRUE(checkNextRecord(checker, turns[1]).empty());
    EXPECT_TRUE(checkNextRecord(checker, first[1]).empty());
    for (uint64_t n = 3; n <= 20000; n++) {
        const std::vector<CheckFault> faults = checkNextRecord(checker, turns[n % 4]);
        ASSERT_EQ(faults.size(), 1u) << n;
        EXPECT_EQ(faults[0].earlierRecord, 1u);
        // Record 1 is the first filling turned by b, this one the same turned by n % 4.
        EXPECT_EQ(faults[0].variant, int(n % 4) ^ 1) << n;
    }
    EXPECT_EQ(checker.variantPairs, 19998u);
    EXPECT_EQ(checker.orbits.size(), 2u);
}

TEST(TableCheck, FaultTexts)
{
    const struct {
        CheckFault fault;
        const char* text;
    } cases[] = {
        {{FaultKind::wordWithoutPiece, 12, 4, -1, {0, 0, 0}, 0xE123, 0, 0},
         "Datensatz 12: Wort 5 (0xE123) bezeichnet kein Teil."},
        {{FaultKind::pieceTwice, 1234, 0, -1, {0, 0, 0}, 0, 0, 0},
         "Datensatz 1.234: Teil 1 kommt mehrfach vor."},
        {{FaultKind::pieceMissing, 7, 11, -1, {0, 0, 0}, 0, 0, 0}, "Datensatz 7: Teil 12 fehlt."},
        {{FaultKind::outsideBox, 7, 3, -1, {5, 0, 2}, 0, 0, 0},
         "Datensatz 7: Teil 4 ragt bei (5,0,2) aus der Schachtel."},
        {{FaultKind::overlap, 7, 3, 8, {1, 2, 0}, 0, 0, 0},
         "Datensatz 7: Teil 4 überlappt bei (1,2,0) mit Teil 9."},
    };
    for (const auto& c : cases) EXPECT_EQ(faultText(c.fault), c.text);
}

}  // namespace
