// solution_id.h: the text form of a solution: decimal number, optionally followed by one
// variant letter a..d ("17", "17c"). No letter is variant -1, which placing treats as a.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t maxSolutionNumber = 0xFFFFFFFFu;

struct SolutionId {
    uint32_t number;
    int32_t variant;  // 0..3 for a..d, -1 for no letter
};

// Reads like "%u%c": leading blanks, decimal digits (none gives 0; too many saturate at
// the largest 32-bit value instead of wrapping into some other solution), then the
// character right after the digits. Only a..d or A..D count as a letter.
SolutionId parseSolutionId(const char* text);

// "%u%c" with a letter, "%u" without.
std::string formatSolutionId(SolutionId id);

// Variant index of a letter a..d or A..D, -1 for anything else.
int variantOfLetter(char c);
