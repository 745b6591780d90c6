// filter_text.h: what a filter field's text means. The text is read as "%d,%d,%d" by C's
// rules (blanks before each number, an optional sign, the commas taken literally, anything
// after the third number ignored); the first failing check names the hint that the line
// under the fields shows. Also the turning of a criterion's cell into another whole-box
// orientation. Pure.
#pragma once

#include <cstddef>

#include "model/geometry.h"

constexpr int filterFieldReadLimit = 39;  // characters read from a field

constexpr const char hintInvalidForm[] =
    "Koordinate ist (noch) ungültig. Bitte Form \"x,y,z\" einhalten.";
constexpr const char hintInvalidX[] =
    "Koordinate ist ungültig. Bitte x-Wert zwischen 0 und 4 einhalten.";
constexpr const char hintInvalidY[] =
    "Koordinate ist ungültig. Bitte y-Wert zwischen 0 und 3 einhalten.";
constexpr const char hintInvalidZ[] =
    "Koordinate ist ungültig. Bitte z-Wert zwischen 0 und 2 einhalten.";
constexpr const char hintFocus[] =
    "Bitte Koordinaten in der Form \"x,y,z\" angeben. Oder wählen Sie rechts im Raumbild "
    "eine Position aus.";

struct ScannedCell {
    int count;  // numbers converted, 0..3, as sscanf would return (never EOF)
    int x, y, z;  // -1 where nothing was converted
};

// The text read as "%d,%d,%d" with x, y and z preset to -1. A number too large for an int
// saturates (C leaves it undefined), so it still fails the range checks.
ScannedCell scanCellText(const char* text);

struct FilterFieldMeaning {
    bool active;
    Cell cell;
    const char* hint;  // "" when the cell is accepted
};

FilterFieldMeaning parseFilterField(const char* text);

// The cell as the field shows it: "%d,%d,%d".
void formatCell(Cell cell, char* buffer, size_t size);

// The cell of a criterion after turning the filter with variant v (1..3), so that what
// matched in variant a matches in v and the reverse.
Cell turnCell(Cell cell, int variant);
