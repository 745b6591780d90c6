// result_list.cpp: the chain of hit blocks, reading through the cursor block, and the
// scroll and selection arithmetic of the hit list.
#include "search/result_list.h"

#include <cstdio>
#include <cstdlib>

static ResultBlock* newBlock(ResultList& list, ResultBlock* prev)
{
    void* memory = list.allocate ? list.allocate(sizeof(ResultBlock)) : std::malloc(sizeof(ResultBlock));
    if (!memory) return nullptr;
    ResultBlock* block = static_cast<ResultBlock*>(memory);
    block->count = 0;
    block->next = nullptr;
    block->prev = prev;
    list.blocksAllocated++;
    return block;
}

bool appendEntry(ResultList& list, ResultEntry entry)
{
    if (!list.head) {
        ResultBlock* first = newBlock(list, nullptr);
        if (!first) return false;
        list.head = list.tail = list.cursor = first;
        list.cursorIndex = 0;
    }
    // After a clear the tail is the head again and the later blocks wait, emptied, to be
    // refilled in order before any new one is allocated.
    ResultBlock* block = list.tail;
    while (block->count == resultBlockSize) {
        if (!block->next) {
            ResultBlock* added = newBlock(list, block);
            if (!added) return false;
            block->next = added;
        }
        block = block->next;
        list.tail = block;
    }
    block->entries[block->count++] = entry;
    list.total++;
    return true;
}

void clearEntries(ResultList& list)
{
    list.total = 0;
    list.cursorIndex = 0;
    list.tail = list.cursor = list.head;
    for (ResultBlock* block = list.head; block; block = block->next) block->count = 0;
    list.selected = -1;
}

bool entryAt(ResultList& list, uint32_t index, ResultEntry& entry)
{
    if (!list.head) return false;
    const int32_t b = int32_t(index / resultBlockSize);
    const int32_t p = int32_t(index % resultBlockSize);
    if (b == 0) {
        list.cursor = list.head;
        list.cursorIndex = 0;
    } else {
        while (list.cursorIndex < b && list.cursor->next) {
            list.cursor = list.cursor->next;
            list.cursorIndex++;
        }
        while (list.cursorIndex > b && list.cursor->prev) {
            list.cursor = list.cursor->prev;
            list.cursorIndex--;
        }
    }
    // A walk that ran out of links stands on another block, whose entries are not this
    // index's.
    if (list.cursorIndex != b || p >= list.cursor->count) return false;
    entry = list.cursor->entries[p];
    return true;
}

void formatResultEntry(ResultEntry entry, char* buffer, size_t size)
{
    const unsigned long number = entry & resultNumberMask;
    if (entry & resultNoLetterBit)
        std::snprintf(buffer, size, "%lu", number);
    else
        std::snprintf(buffer, size, "%lu%c", number, char('a' + ((entry >> 28) & 3)));
}

const char* entryText(ResultList& list, uint32_t index)
{
    list.text[0] = '\0';
    ResultEntry entry = 0;
    if (entryAt(list, index, entry)) formatResultEntry(entry, list.text, sizeof list.text);
    return list.text;
}

// The last top that still fills the page, 0 when every hit fits.
static int32_t clampDown(int32_t top, int32_t page, uint32_t total)
{
    const int64_t last = int64_t(total) - page;
    if (top > last) top = int32_t(last);
    return top < 0 ? 0 : top;
}

int32_t scrolledTop(int code, int32_t top, int32_t page, uint32_t total, int32_t trackPosition)
{
    switch (code) {
    case scrollLineUp: return top - 1 < 0 ? 0 : top - 1;
    case scrollLineDown: return clampDown(top + 1, page, total);
    // One line more than a page, so that the old first line stays in sight.
    case scrollPageUp: return top - (page + 1) < 0 ? 0 : top - (page + 1);
    case scrollPageDown: return clampDown(top + page, page, total);
    case scrollThumbPosition:
    case scrollThumbTrack: return clampDown(trackPosition, page, total);
    default: return top;
    }
}

SelectionStep stepSelection(const ResultList& list, int delta)
{
    SelectionStep step = {false, -1, list.top};
    if (list.total == 0) return step;
    int64_t index;
    if (list.selected < 0)
        index = delta > 0 ? 0 : int64_t(list.total) - 1;
    else
        index = int64_t(list.selected) + delta;
    if (index < 0 || index >= int64_t(list.total)) return step;
    step.moves = true;
    step.index = int32_t(index);
    if (index < list.top)
        step.top = step.index;
    else if (index >= int64_t(list.top) + list.page) {
        step.top = step.index - list.page + 1;
        if (step.top < 0) step.top = 0;
    }
    return step;
}

int32_t hitAtPoint(const ResultList& list, const ListGeometry& g, int x, int y)
{
    if (!(g.paneWidth < x && x < g.viewLeft) || y < g.listTop || g.lineHeight <= 0) return -1;
    const int line = (y - g.listTop) / g.lineHeight;
    if (line >= list.page) return -1;
    const int64_t index = int64_t(list.top) + line;
    if (index >= int64_t(list.total)) return -1;
    return int32_t(index);
}
