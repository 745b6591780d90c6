// result_list.h: the hits of a search as the list beside the pictures shows them. A chain of
// 1000-entry blocks that grows as hits arrive and is never given back (a clear keeps the
// blocks and refills them), a cursor block so that reading neighbouring hits costs no walk,
// the text of a hit, and the arithmetic of scrolling and selecting. Pure; the window glue in
// results_win.cpp owns the one list and issues the Win32 calls.
#pragma once

#include <cstddef>
#include <cstdint>

// Bits 0-27 solution number, 28-29 variant index, 30 set: no variant letter.
using ResultEntry = uint32_t;

constexpr ResultEntry resultNumberMask = 0x0FFFFFFF;
constexpr ResultEntry resultNoLetterBit = 0x40000000;
constexpr int resultBlockSize = 1000;

constexpr ResultEntry makeResultEntry(uint32_t number, int variant, bool withLetter)
{
    return withLetter ? (number & resultNumberMask) | (ResultEntry(variant & 3) << 28)
                      : (number & resultNumberMask) | resultNoLetterBit;
}

struct ResultBlock {
    int32_t count;
    ResultBlock* next;
    ResultBlock* prev;
    ResultEntry entries[resultBlockSize];
};

struct ResultList {
    ResultBlock* head = nullptr;
    ResultBlock* tail = nullptr;
    ResultBlock* cursor = nullptr;
    int32_t cursorIndex = 0;  // position of the cursor block in the chain, 0 = head
    uint32_t total = 0;
    int32_t selected = -1;
    int32_t top = 0;
    int32_t page = 0;
    char text[24] = "";  // the last formatted entry
    // Where blocks come from; a test puts a failing one here. Blocks are never freed.
    void* (*allocate)(size_t bytes) = nullptr;  // null: std::malloc
    uint32_t blocksAllocated = 0;
};

// Appends entry; false when a needed block could not be allocated (the hit is dropped and
// nothing changes).
bool appendEntry(ResultList& list, ResultEntry entry);
// Empties the list and the selection, keeping every block for the hits to come.
void clearEntries(ResultList& list);
// The text of hit index ("17", "17c"), or "" past the end. Valid until the next call.
const char* entryText(ResultList& list, uint32_t index);
// Formats one entry into buffer (at least 12 bytes).
void formatResultEntry(ResultEntry entry, char* buffer, size_t size);
// The entry at index through the cursor, or false past the end.
bool entryAt(ResultList& list, uint32_t index, ResultEntry& entry);

// Scroll codes as the hit scrollbar reports them (the values of the SB_ constants).
enum ScrollCode {
    scrollLineUp = 0, scrollLineDown = 1, scrollPageUp = 2, scrollPageDown = 3,
    scrollThumbPosition = 4, scrollThumbTrack = 5, scrollTop = 6, scrollBottom = 7,
    scrollEnd = 8,
};

// The first visible hit after a scroll code; trackPosition is the scrollbar's tracking
// position for the thumb codes.
int32_t scrolledTop(int code, int32_t top, int32_t page, uint32_t total, int32_t trackPosition);

struct SelectionStep {
    bool moves;      // false: nothing happens
    int32_t index;   // the hit to select
    int32_t top;     // the first visible hit that shows it
};

// The previous (delta < 0) or next hit from the selection, without wrapping, and where the
// list must scroll so that it is on a visible line.
SelectionStep stepSelection(const ResultList& list, int delta);

struct ListGeometry {
    int paneWidth, viewLeft, listTop, lineHeight;
};

// The hit under a click at client coordinates (x, y), or -1. The list does not scroll.
int32_t hitAtPoint(const ResultList& list, const ListGeometry& geometry, int x, int y);
