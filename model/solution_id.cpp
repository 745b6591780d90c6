// solution_id.cpp: parsing and formatting the text form of a solution.
#include "model/solution_id.h"

#include <cstdio>

int variantOfLetter(char c)
{
    if (c >= 'a' && c <= 'd') return c - 'a';
    if (c >= 'A' && c <= 'D') return c - 'A';
    return -1;
}

SolutionId parseSolutionId(const char* text)
{
    SolutionId id = {0, -1};
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') p++;
    const char* digits = p;
    uint64_t n = 0;
    while (*p >= '0' && *p <= '9') {
        n = n * 10 + uint64_t(*p - '0');
        if (n > maxSolutionNumber) n = maxSolutionNumber;
        p++;
    }
    if (p == digits) return id;
    id.number = uint32_t(n);
    id.variant = variantOfLetter(*p);
    return id;
}

std::string formatSolutionId(SolutionId id)
{
    char text[16];
    if (id.variant >= 0 && id.variant <= 3)
        std::snprintf(text, sizeof text, "%u%c", unsigned(id.number), char('a' + id.variant));
    else
        std::snprintf(text, sizeof text, "%u", unsigned(id.number));
    return text;
}
