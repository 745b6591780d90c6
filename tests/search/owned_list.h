// owned_list.h: a hit list that gives its blocks back when the test is done with it. The
// program's one list keeps its blocks to the end of the process; a test's lists must not
// pile up as leaks.
#pragma once

#include <cstdlib>

#include "search/result_list.h"

struct OwnedList : ResultList {
    ~OwnedList()
    {
        for (ResultBlock* block = head; block;) {
            ResultBlock* next = block->next;
            std::free(block);
            block = next;
        }
    }
};
