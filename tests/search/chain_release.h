// chain_release.h: gives a test's hit blocks back, which the program never does, so that
// the leak checker sees only real leaks.
#pragma once

#include <cstdlib>

#include "search/result_list.h"

struct ChainRelease {
    ResultList& list;
    ~ChainRelease()
    {
        for (ResultBlock* b = list.head; b;) {
            ResultBlock* next = b->next;
            std::free(b);
            b = next;
        }
        list.head = list.tail = list.cursor = nullptr;
    }
};
