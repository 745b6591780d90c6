// Tests of the hit list: entry texts, the block chain with its cursor and its reuse after a
// clear, failing allocation, and the scroll, step and click arithmetic.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "search/result_list.h"
#include "tests/search/chain_release.h"

namespace {

void fill(ResultList& list, uint32_t count, uint32_t firstNumber = 1)
{
    for (uint32_t i = 0; i < count; i++) ASSERT_TRUE(appendEntry(list, makeResultEntry(firstNumber + i, 0, false)));
}

TEST(ResultList, EntryTexts)
{
    ResultList list;
    ChainRelease release_list{list};
    EXPECT_STREQ(entryText(list, 0), "");  // no head yet
    appendEntry(list, 17 | resultNoLetterBit);
    appendEntry(list, 17 | (2u << 28));
    appendEntry(list, 17);
    appendEntry(list, makeResultEntry(409963, 3, true));
    appendEntry(list, makeResultEntry(0x0FFFFFFF, 1, true));
    EXPECT_STREQ(entryText(list, 0), "17");
    EXPECT_STREQ(entryText(list, 1), "17c");
    EXPECT_STREQ(entryText(list, 2), "17a");
    EXPECT_STREQ(entryText(list, 3), "409963d");
    EXPECT_STREQ(entryText(list, 4), "268435455b");
    EXPECT_STREQ(entryText(list, 5), "");
    EXPECT_EQ(makeResultEntry(5, 2, false), 5u | resultNoLetterBit);  // no letter: variant bits 0
}

TEST(ResultList, ChainGrowsAndTheCursorWalks)
{
    ResultList list;
    ChainRelease release_list{list};
    fill(list, 1000);
    EXPECT_EQ(list.blocksAllocated, 1u);
    EXPECT_STREQ(entryText(list, 1000), "");
    fill(list, 1, 1001);  // the 1001st hit opens a second block
    EXPECT_EQ(list.blocksAllocated, 2u);
    EXPECT_STREQ(entryText(list, 1000), "1001");
    EXPECT_EQ(list.cursorIndex, 1);
    EXPECT_STREQ(entryText(list, 999), "1000");  // straight back to the head
    EXPECT_EQ(list.cursorIndex, 0);
    fill(list, 1499, 1002);  // 2500 in all
    EXPECT_EQ(list.total, 2500u);
    EXPECT_STREQ(entryText(list, 0), "1");
    EXPECT_STREQ(entryText(list, 2000), "2001");  // two blocks forward
    EXPECT_EQ(list.cursorIndex, 2);
    EXPECT_STREQ(entryText(list, 1500), "1501");  // one back
    EXPECT_EQ(list.cursorIndex, 1);
    EXPECT_STREQ(entryText(list, 2500), "");  // total, not a multiple of 1000
    // An index several blocks past the chain must not read the last block's entries.
    EXPECT_STREQ(entryText(list, 5100), "");
    EXPECT_STREQ(entryText(list, 2499), "2500");
    // Every hit reads back in order, walking forward and back through the chain.
    for (uint32_t i = 0; i < 2500; i++) ASSERT_EQ(std::string(entryText(list, i)), std::to_string(i + 1));
    for (uint32_t i = 2500; i-- > 0;) ASSERT_EQ(std::string(entryText(list, i)), std::to_string(i + 1));
}

TEST(ResultList, ClearKeepsAndRefillsTheBlocks)
{
    ResultList list;
    ChainRelease release_list{list};
    fill(list, 2000);
    list.selected = 5;
    list.top = 100;
    clearEntries(list);
    EXPECT_EQ(list.total, 0u);
    EXPECT_EQ(list.selected, -1);
    EXPECT_STREQ(entryText(list, 0), "");
    EXPECT_STREQ(entryText(list, 1500), "");
    fill(list, 1500, 7001);
    EXPECT_EQ(list.blocksAllocated, 2u);  // both blocks reused, none allocated
    EXPECT_STREQ(entryText(list, 1499), "8500");
    EXPECT_STREQ(entryText(list, 1500), "");  // the rest of the old second block is gone
    fill(list, 600, 9001);                   // past the old chain: one new block
    EXPECT_EQ(list.blocksAllocated, 3u);
    EXPECT_STREQ(entryText(list, 2099), "9600");
    // A clear of a list that never had a hit is harmless.
    ResultList empty;
    ChainRelease release_empty{empty};
    clearEntries(empty);
    EXPECT_TRUE(appendEntry(empty, 1));
}

int allowedBlocks = 0;
void* limitedAllocate(size_t bytes)
{
    if (allowedBlocks <= 0) return nullptr;
    allowedBlocks--;
    return std::malloc(bytes);
}

TEST(ResultList, FailedAllocationDropsOnlyThatHit)
{
    ResultList list;
    ChainRelease release_list{list};
    list.allocate = limitedAllocate;
    allowedBlocks = 0;
    EXPECT_FALSE(appendEntry(list, 1));
    EXPECT_EQ(list.total, 0u);
    allowedBlocks = 1;
    fill(list, 1000);
    EXPECT_FALSE(appendEntry(list, 1001));
    EXPECT_EQ(list.total, 1000u);
    allowedBlocks = 1;  // later hits are tried again
    EXPECT_TRUE(appendEntry(list, 1002 | resultNoLetterBit));
    EXPECT_EQ(list.total, 1001u);
    EXPECT_STREQ(entryText(list, 1000), "1002");
}

TEST(ResultList, ScrollCodes)
{
    // 25 hits, a page of 10.
    struct Case {
        int code;
        int32_t top, track, expected;
    };
    const Case cases[] = {
        {scrollLineDown, 15, 0, 15}, {scrollLineDown, 14, 0, 15}, {scrollLineDown, 0, 0, 1},
        {scrollLineUp, 0, 0, 0},     {scrollLineUp, 15, 0, 14},   {scrollPageUp, 15, 0, 4},
        {scrollPageUp, 10, 0, 0},    {scrollPageDown, 10, 0, 15}, {scrollPageDown, 3, 0, 13},
        {scrollThumbTrack, 0, 7, 7}, {scrollThumbPosition, 0, 24, 15},
        {scrollTop, 12, 0, 12},      {scrollBottom, 12, 0, 12},  {scrollEnd, 12, 0, 12},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scrolledTop(c.code, c.top, 10, 25, c.track), c.expected) << "code " << c.code << " top " << c.top;
    // Fewer hits than lines: the top stays 0.
    EXPECT_EQ(scrolledTop(scrollLineDown, 0, 10, 4, 0), 0);
    EXPECT_EQ(scrolledTop(scrollPageDown, 0, 10, 0, 0), 0);
    EXPECT_EQ(scrolledTop(scrollThumbTrack, 0, 10, 10, 3), 0);
}

TEST(ResultList, StepSelection)
{
    ResultList list;
    ChainRelease release_list{list};
    list.page = 10;
    EXPECT_FALSE(stepSelection(list, 1).moves);  // no hits
    fill(list, 25);
    SelectionStep s = stepSelection(list, +1);
    EXPECT_TRUE(s.moves);
    EXPECT_EQ(s.index, 0);
    EXPECT_EQ(s.top, 0);
    s = stepSelection(list, -1);  // nothing selected: the last hit, scrolled into view
    EXPECT_EQ(s.index, 24);
    EXPECT_EQ(s.top, 15);
    list.selected = 24;
    list.top = 15;
    EXPECT_FALSE(stepSelection(list, +1).moves);  // no wrap
    list.selected = 0;
    list.top = 0;
    EXPECT_FALSE(stepSelection(list, -1).moves);
    list.selected = 9;  // last visible line: the next one scrolls by one
    s = stepSelection(list, +1);
    EXPECT_EQ(s.index, 10);
    EXPECT_EQ(s.top, 1);
    list.selected = 5;
    list.top = 6;  // above the visible lines: it becomes the first
    s = stepSelection(list, -1);
    EXPECT_EQ(s.index, 4);
    EXPECT_EQ(s.top, 4);
    list.selected = 7;  // visible: no scroll
    s = stepSelection(list, +1);
    EXPECT_EQ(s.index, 8);
    EXPECT_EQ(s.top, 6);
}

TEST(ResultList, ClickPicksTheLine)
{
    ResultList list;
    ChainRelease release_list{list};
    list.page = 10;
    fill(list, 25);
    list.top = 12;
    const ListGeometry g = {200, 300, 50, 18};
    EXPECT_EQ(hitAtPoint(list, g, 250, 50), 12);
    EXPECT_EQ(hitAtPoint(list, g, 201, 67), 12);
    EXPECT_EQ(hitAtPoint(list, g, 299, 68), 13);
    EXPECT_EQ(hitAtPoint(list, g, 250, 50 + 9 * 18 + 17), 21);
    EXPECT_EQ(hitAtPoint(list, g, 250, 50 + 10 * 18), -1);  // below the page
    EXPECT_EQ(hitAtPoint(list, g, 200, 60), -1);            // bounds are exclusive
    EXPECT_EQ(hitAtPoint(list, g, 300, 60), -1);
    EXPECT_EQ(hitAtPoint(list, g, 250, 49), -1);
    list.top = 20;  // lines past the last hit
    EXPECT_EQ(hitAtPoint(list, g, 250, 50 + 4 * 18), 24);
    EXPECT_EQ(hitAtPoint(list, g, 250, 50 + 5 * 18), -1);
}

}  // namespace
