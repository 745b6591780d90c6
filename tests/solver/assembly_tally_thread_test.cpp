// The statistics' counts on several threads: the same as one after another, whichever
// thread takes which solutions.
#include <gtest/gtest.h>

#include <cstring>

#include "full_records.h"
#include "solver/assembly_tally.h"

namespace {

TEST(AssemblyTallyThreads, SameCountsOnEveryNumberOfThreads)
{
    const std::vector<SolutionRecord> records = firstFullRecords(150);
    ASSERT_EQ(records.size(), 150u);
    const AssemblyGridMasks box = boxAssemblyGrid();
    std::vector<CellMask> masks(records.size() * pieceCount);
    AssemblyTally serial = {};
    for (size_t r = 0; r < records.size(); r++) {
        recordPieceMasks(box, records[r], &masks[r * pieceCount]);
        tallyAssembly(box, &masks[r * pieceCount], serial);
    }
    for (unsigned threads : {1u, 3u}) {
        uint32_t lastDone = 0;
        const AssemblyTally tally = tallyOnThreads(box, masks, threads, [&](uint32_t done) {
            EXPECT_GE(done, lastDone);
            lastDone = done;
        });
        EXPECT_EQ(std::memcmp(&tally, &serial, sizeof tally), 0) << threads << " threads";
    }
    EXPECT_EQ(serial.solutions, 150u);
}

}  // namespace
