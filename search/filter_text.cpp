// filter_text.cpp: scanning a filter field's text by the rules of "%d,%d,%d", the checks
// with their hints, and turning a cell.
#include "search/filter_text.h"

#include <climits>
#include <cstdio>

// The characters C's isspace accepts in the "C" locale; %d skips them before a number.
static bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One %d at text: on success the number is stored and text moves past it.
static bool scanNumber(const char*& text, int& value)
{
    const char* p = text;
    while (isBlank(*p)) p++;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (*p < '0' || *p > '9') return false;
    long long magnitude = 0;
    for (; *p >= '0' && *p <= '9'; p++)
        if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (*p - '0');
    if (negative)
        value = magnitude > INT_MAX ? INT_MIN : -int(magnitude);
    else
        value = magnitude > INT_MAX ? INT_MAX : int(magnitude);
    text = p;
    return true;
}

ScannedCell scanCellText(const char* text)
{
    ScannedCell scanned = {0, -1, -1, -1};
    int* targets[3] = {&scanned.x, &scanned.y, &scanned.z};
    const char* p = text;
    for (int i = 0; i < 3; i++) {
        // A literal comma in the format matches exactly one comma, with no blank skipped
        // before it.
        if (i > 0) {
            if (*p != ',') break;
            p++;
        }
        if (!scanNumber(p, *targets[i])) break;
        scanned.count++;
    }
    return scanned;
}

FilterFieldMeaning parseFilterField(const char* text)
{
    const ScannedCell s = scanCellText(text);
    FilterFieldMeaning m = {false, {s.x, s.y, s.z}, ""};
    if (s.x < 0 || s.y < 0 || s.z < 0)
        m.hint = hintInvalidForm;
    else if (s.x >= boxSizeX)
        m.hint = hintInvalidX;
    else if (s.y >= boxSizeY)
        m.hint = hintInvalidY;
    else if (s.z >= boxSizeZ)
        m.hint = hintInvalidZ;
    else
        m.active = true;
    return m;
}

void formatCell(Cell cell, char* buffer, size_t size)
{
    std::snprintf(buffer, size, "%d,%d,%d", int(cell.x), int(cell.y), int(cell.z));
}

Cell turnCell(Cell cell, int variant)
{
    return applyTransform(VariantTransforms[variant & 3], cell);
}
