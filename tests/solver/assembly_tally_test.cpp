// Tests of the statistics' counts: the tally of real solutions, decoded from their records,
// against the planners' own answers for the pieces' cells decoded here on their own.
#include <gtest/gtest.h>

#include <algorithm>

#include "assembly/assembly.h"
#include "assembly/move_plan.h"
#include "full_records.h"
#include "solver/assembly_tally.h"

namespace {

TEST(AssemblyTally, CountsWhatThePlannerFinds)
{
    // Solutions from the start of the search, three in four of them turned, so that the
    // sides differ.
    std::vector<SolutionRecord> records = firstFullRecords(40);
    ASSERT_EQ(records.size(), 40u);
    for (size_t i = 0; i < records.size(); i++)
        if (i % 4) records[i] = turnedRecord(records[i], int(i % 4));
    AssemblyTally expected = {};
    for (const SolutionRecord& record : records) {
        AssemblyInput in = {{boxSizeX, boxSizeY, boxSizeZ}, {}, AssemblyMode::free, BoxFace::top};
        for (PlacementWord word : record.words) {
            const PieceCells placed = placePiece(PieceCatalogue[placementPieceIndex(word)], decodePlacementWord(word));
            in.pieces.emplace_back();
            for (int i = 0; i < placed.cellCount; i++)
                in.pieces.back().push_back({placed.cells[i].x, placed.cells[i].y, placed.cells[i].z});
        }
        expected.solutions++;
        expected.freePlans += planAssembly(in).status == AssemblyStatus::ok;
        in.mode = AssemblyMode::box;
        bool any = false;
        CellMask cells[pieceCount] = {};
        for (int p = 0; p < pieceCount; p++)
            for (GridCell c : in.pieces[size_t(p)]) cells[p] |= CellMask(1) << cellIndex(in.grid, c);
        for (int f = 0; f < assemblyFaceCount; f++) {
            in.openFace = BoxFace(f);
            const bool ok = planAssembly(in).status == AssemblyStatus::ok;
            expected.throughFace[f] += ok;
            any = any || ok;
            // The planner with moves on its own, where the tally takes a straight plan for it.
            const MovePlan plan = planBoxMoves(in.grid, cells, pieceCount, BoxFace(f));
            MovePlanCounts& moves = expected.withMoves[f];
            moves.singleExits += plan.status == MovePlanStatus::singleExits;
            moves.groupExits += plan.status == MovePlanStatus::groupExit;
            if (f == int(BoxFace::top) && plan.status == MovePlanStatus::singleExits)
                expected.movesThroughTop[std::min(plan.oneCellMoves, movesCountedSingly)]++;
        }
        expected.throughNoFace += !any;
    }

    const AssemblyGridMasks box = boxAssemblyGrid();
    AssemblyTally tally = {};
    for (const SolutionRecord& record : records) {
        CellMask masks[pieceCount];
        recordPieceMasks(box, record, masks);
        tallyAssembly(box, masks, tally);
    }
    EXPECT_EQ(tally.solutions, expected.solutions);
    EXPECT_EQ(tally.freePlans, expected.freePlans);
    for (int f = 0; f < assemblyFaceCount; f++) {
        EXPECT_EQ(tally.throughFace[f], expected.throughFace[f]) << f;
        EXPECT_EQ(tally.withMoves[f].singleExits, expected.withMoves[f].singleExits) << f;
        EXPECT_EQ(tally.withMoves[f].groupExits, expected.withMoves[f].groupExits) << f;
    }
    for (int m = 0; m <= movesCountedSingly; m++) EXPECT_EQ(tally.movesThroughTop[m], expected.movesThroughTop[m]) << m;
    // Some need moves, or the comparison of their counts would show little.
    EXPECT_LT(expected.movesThroughTop[0], expected.withMoves[int(BoxFace::top)].singleExits);
    EXPECT_EQ(tally.throughNoFace, expected.throughNoFace);
    // Not all alike, or the comparison would show little.
    EXPECT_NE(expected.throughFace[0], expected.throughFace[4]);
}

}  // namespace
