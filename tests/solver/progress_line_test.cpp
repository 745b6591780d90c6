// Tests of the progress line's fit into the console: the time gone goes first, then the
// solutions, then the time left, then words of the share; never as wide as the console.
#include <gtest/gtest.h>

#include "solver/progress_line.h"

namespace {

TEST(ProgressLine, FitsIntoTheConsoleByDroppingTheLeastNeededParts)
{
    const ProgressTexts texts = {"30,1 % durchsucht", "12.345 Lösungen", "0:05 vergangen", "noch etwa 0:12"};
    const struct {
        int columns;
        const char* line;
    } cases[] = {
        {80, "30,1 % durchsucht, 12.345 Lösungen, 0:05 vergangen, noch etwa 0:12"},
        {67, "30,1 % durchsucht, 12.345 Lösungen, 0:05 vergangen, noch etwa 0:12"},
        {66, "30,1 % durchsucht, 12.345 Lösungen, noch etwa 0:12"},
        {50, "30,1 % durchsucht, noch etwa 0:12"},
        {33, "30,1 % durchsucht"},
        {17, "30,1 %"},
        {6, "30,1"},
        {4, ""},
        {0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(fitProgressLine(texts, c.columns), c.line) << c.columns << " columns";
    // Early in a run there is no time left to tell.
    EXPECT_EQ(fitProgressLine({"0,5 % gelesen", "3 Lösungen", "0:00 vergangen", ""}, 80),
              "0,5 % gelesen, 3 Lösungen, 0:00 vergangen");
    EXPECT_EQ(fitProgressLine({"0,5 % gelesen", "3 Lösungen", "0:00 vergangen", ""}, 30), "0,5 % gelesen, 3 Lösungen");
}

}  // namespace
