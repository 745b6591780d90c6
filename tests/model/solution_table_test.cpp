// Tests of the table file access and the solution number field's text rules.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/current_solution.h"
#include "model/solution_table.h"
#include "tests/support/table_file.h"

namespace {

const SolutionCount noTable = {false, 0};
const SolutionCount table1000 = {true, 1000};

// Plays the edit control: characters typed at the caret, each followed by the cleaning.
FieldState typeInto(FieldState field, const std::string& keys, SolutionCount table)
{
    for (char key : keys) {
        field.text.replace(size_t(field.selStart), size_t(field.selEnd - field.selStart), 1, key);
        field.selStart = field.selEnd = field.selStart + 1;
        const CleanedField cleaned = normaliseSolutionText(field, table);
        if (cleaned.changed) field = cleaned.field;
    }
    return field;
}

TEST(SolutionText, TypingKeepsDigitsAndOneLetter)
{
    for (SolutionCount table : {noTable, table1000}) {
        FieldState f = typeInto({"", 0, 0}, "x12 b", table);
        EXPECT_EQ(f.text, "12b") << table.ok;
        EXPECT_EQ(f.selStart, 3) << table.ok;
        EXPECT_EQ(f.selEnd, 3) << table.ok;
        f = typeInto(f, "c", table);
        EXPECT_EQ(f.text, "12b") << table.ok;
    }
}

TEST(SolutionText, CleansClampsAndRewrites)
{
    const struct {
        const char* text;
        int sel;
        SolutionCount table;
        const char* expected;
        int expectedSel;
        bool changed;
    } cases[] = {
        {"x", 1, noTable, "", 0, true},
        {"x", 1, table1000, "0", 1, true},           // empty becomes 0, caret after it
        {"99999", 5, table1000, "1000", 4, true},    // clamped to the count
        {"0017D", 0, table1000, "17d", 0, true},     // leading zeros go, letter lower-cased
        {"0017D", 0, noTable, "0017d", 0, true},     // without a table only cleaned
        {"17", 2, table1000, "17", 2, false},
        {"ab12", 4, noTable, "12", 2, true},         // each dropped leading char moves caret
        {"12e4", 4, noTable, "124", 3, true},        // dropped after digits: caret stays, capped
        {"12c7", 4, noTable, "12c", 3, true},        // the letter ends the number
        {"123456789012345678901", 21, noTable, "12345678901234567890", 20, true},
        {"5000", 2, {true, 0}, "0", 0, true},
        {"", 0, table1000, "0", 1, true},
    };
    for (const auto& c : cases) {
        const CleanedField r = normaliseSolutionText({c.text, c.sel, c.sel}, c.table);
        EXPECT_EQ(r.field.text, c.expected) << c.text;
        EXPECT_EQ(r.field.selStart, c.expectedSel) << c.text;
        EXPECT_EQ(r.field.selEnd, c.expectedSel) << c.text;
        EXPECT_EQ(r.changed, c.changed) << c.text;
        EXPECT_EQ(r.clearSelectedHit, c.table.ok) << c.text;
    }
    // A second pass over its own result changes nothing (the field's notifications
    // come again after it is set).
    for (const auto& c : cases) {
        const CleanedField once = normaliseSolutionText({c.text, c.sel, c.sel}, c.table);
        EXPECT_FALSE(normaliseSolutionText(once.field, c.table).changed) << c.text;
    }
}

TEST(SolutionText, SelectionRangeIsAdjustedAtBothEnds)
{
    const CleanedField r = normaliseSolutionText({"-+12", 1, 3}, noTable);
    EXPECT_EQ(r.field.text, "12");
    EXPECT_EQ(r.field.selStart, 0);
    EXPECT_EQ(r.field.selEnd, 1);
}

TEST(SolutionText, Stepping)
{
    const struct {
        const char* text;
        int step;
        SolutionCount table;
        const char* expected;
    } cases[] = {
        {"1c", -1, table1000, "1c"},  {"0", -1, table1000, "1"},    {"1000c", 1, table1000, "1000c"},
        {"5", 1, table1000, "6"},     {"5b", -1, table1000, "4b"},  {"", 1, noTable, "1"},
        {"0", 1, noTable, "1"},       {"2000", 1, noTable, "2001"}, {"2000", -1, table1000, "1000"},
        {"x7d", 1, noTable, "8d"},    {"3", 1, {true, 0}, "1"},
        {"4294967295", 1, noTable, "4294967295"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(stepSolutionText(c.text, c.step, c.table), c.expected) << c.text << " " << c.step;
}

class TableFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kubo_table_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        path = dir + "/kubo_puzzle_erg.bin";
    }
    void TearDown() override
    {
        closeSolutionTable(current);
        std::remove(path.c_str());
        rmdir((dir + "/sub").c_str());
        rmdir(dir.c_str());
    }
    void writeRecords(int count, int extraBytes)
    {
        ASSERT_TRUE(writeTableFile(path, numberedRecords(count), std::string(size_t(extraBytes), '\x5A')));
    }
    std::string dir, path;
    CurrentSolution current = {0, -1, 0, {}, nullptr};
};

TEST_F(TableFile, CountsWholeRecordsOnly)
{
    EXPECT_FALSE(countSolutionsIn(path.c_str()).ok);
    writeRecords(1, 1);
    SolutionCount c = countSolutionsIn(path.c_str());
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.count, 1u);
    writeRecords(0, 0);
    c = countSolutionsIn(path.c_str());
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.count, 0u);
    ASSERT_EQ(mkdir((dir + "/sub").c_str(), 0700), 0);
    EXPECT_FALSE(countSolutionsIn((dir + "/sub").c_str()).ok);
}

TEST_F(TableFile, LoadsRecordsLittleEndianAndKeepsFileOpen)
{
    writeRecords(3, 0);
    EXPECT_TRUE(loadSolution(current, "2c", path.c_str()));
    EXPECT_EQ(current.loaded, 1);
    EXPECT_EQ(current.number, 2u);
    EXPECT_EQ(current.variant, 2);
    EXPECT_EQ(current.record.words[0], 0x1002);
    EXPECT_EQ(current.record.words[11], 0xC002);
    std::FILE* open = current.tableFile;
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(loadSolution(current, "3", path.c_str()));
    EXPECT_EQ(current.tableFile, open);
    EXPECT_EQ(current.variant, -1);
    EXPECT_EQ(current.record.words[5], 0x6003);
    // The same text loads the same record again.
    EXPECT_TRUE(loadSolution(current, "3", path.c_str()));
    EXPECT_EQ(current.record.words[5], 0x6003);
}

TEST_F(TableFile, NothingStaleIsShown)
{
    writeRecords(2, 10);
    ASSERT_TRUE(loadSolution(current, "1", path.c_str()));
    // Record 3 is only 10 bytes long: not loaded, and the caller repaints.
    EXPECT_TRUE(loadSolution(current, "3", path.c_str()));
    EXPECT_EQ(current.loaded, 0);
    // Past the end altogether, and a nothing-to-repaint second time.
    EXPECT_FALSE(loadSolution(current, "9", path.c_str()));
    EXPECT_EQ(current.loaded, 0);
    // The file stays usable after the failed read.
    EXPECT_TRUE(loadSolution(current, "2", path.c_str()));
    EXPECT_EQ(current.loaded, 1);
    EXPECT_EQ(current.record.words[0], 0x1002);
    // 0, no digits and numbers of 2^31 and above load nothing.
    for (const char* text : {"0", "", "2147483648"}) {
        ASSERT_TRUE(loadSolution(current, "1", path.c_str()));
        EXPECT_TRUE(loadSolution(current, text, path.c_str())) << text;
        EXPECT_EQ(current.loaded, 0) << text;
    }
}

TEST_F(TableFile, ReopensAfterClose)
{
    EXPECT_FALSE(loadSolution(current, "1", path.c_str()));  // no file: nothing to repaint
    EXPECT_EQ(current.loaded, 0);
    writeRecords(1, 0);
    EXPECT_TRUE(loadSolution(current, "1", path.c_str()));
    closeSolutionTable(current);
    EXPECT_EQ(current.tableFile, nullptr);
    writeRecords(2, 0);  // the solver rewrote the table meanwhile
    EXPECT_TRUE(loadSolution(current, "2", path.c_str()));
    EXPECT_EQ(current.record.words[0], 0x1002);
}

}  // namespace
