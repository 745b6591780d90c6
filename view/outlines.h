// outlines.h: the edges of each piece's outer surface as constant polyline lists in the
// piece's own frame, in centred tenths of a cell (cell centre at 10 x, corners at +-5),
// and the walk that places a list's segments. Pieces 0, 1, 4, 8 and 11 carry extra
// polylines in their plane z = 5 that mark which way up they lie; those marks show when
// that side of the piece is on a visible face.
#pragma once

#include <cstdint>

#include "model/geometry.h"

constexpr int32_t PEN_UP = 2000;       // in place of a point: ends the current polyline
constexpr int32_t END_OF_LIST = 9999;  // in place of a point: ends the list

constexpr int32_t outline0[] = {
    -5,-5,5, 15,-5,5, 15,5,5, 5,5,5, 5,15,5, 15,15,5, 15,25,5, -5,25,5, -5,-5,5, PEN_UP,
    -5,-5,-5, 15,-5,-5, 15,5,-5, 5,5,-5, 5,15,-5, 15,15,-5, 15,25,-5, -5,25,-5, -5,-5,-5, PEN_UP,
    -5,-5,5, -5,-5,-5, PEN_UP,
    15,-5,5, 15,-5,-5, PEN_UP,
    15,5,5, 15,5,-5, PEN_UP,
    15,15,5, 15,15,-5, PEN_UP,
    15,25,5, 15,25,-5, PEN_UP,
    -5,25,5, -5,25,-5, PEN_UP,
    10,20,5, 5,20,5, 0,15,5, 0,5,5, 5,0,5, 10,0,5,
    END_OF_LIST,
};

constexpr int32_t outline1[] = {
    -5,-5,5, -5,15,5, -5,15,-5, -5,5,-5, -5,5,-25, -5,-15,-25, -5,-15,-15, -5,-5,-15, -5,-5,5, PEN_UP,
    5,-5,5, 5,15,5, 5,15,-5, 5,5,-5, 5,5,-25, 5,-15,-25, 5,-15,-15, 5,-5,-15, 5,-5,5, PEN_UP,
    -5,-5,5, 5,-5,5, PEN_UP,
    -5,15,5, 5,15,5, PEN_UP,
    -5,15,-5, 5,15,-5, PEN_UP,
    -5,5,-25, 5,5,-25, PEN_UP,
    -5,-15,-25, 5,-15,-25, PEN_UP,
    -5,-15,-15, 5,-15,-15, PEN_UP,
    2,10,5, 2,5,5, -2,0,5,
    END_OF_LIST,
};

constexpr int32_t outline2[] = {
    -5,-5,5, 15,-5,5, 15,5,5, 5,5,5, 5,35,5, -5,35,5, -5,-5,5, PEN_UP,
    -5,-5,-5, -5,35,-5, 5,35,-5, 5,5,-5, 15,5,-5, 15,-5,-5, -5,-5,-5, PEN_UP,
    -5,-5,5, -5,-5,-5, PEN_UP,
    -5,35,5, -5,35,-5, PEN_UP,
    5,35,5, 5,35,-5, PEN_UP,
    15,5,5, 15,5,-5, PEN_UP,
    15,-5,5, 15,-5,-5,
    END_OF_LIST,
};

constexpr int32_t outline3[] = {
    -5,-5,5, 5,-5,5, 5,15,5, 15,15,5, 15,25,5, 5,25,5, 5,35,5, -5,35,5, -5,-5,5, PEN_UP,
    -5,-5,-5, 5,-5,-5, 5,15,-5, 15,15,-5, 15,25,-5, 5,25,-5, 5,35,-5, -5,35,-5, -5,-5,-5, PEN_UP,
    -5,-5,-5, -5,-5,5, PEN_UP,
    5,-5,-5, 5,-5,5, PEN_UP,
    15,15,-5, 15,15,5, PEN_UP,
    15,25,-5, 15,25,5, PEN_UP,
    5,35,-5, 5,35,5, PEN_UP,
    -5,35,-5, -5,35,5,
    END_OF_LIST,
};

constexpr int32_t outline4[] = {
    -5,-5,5, -5,15,5, -5,15,-15, -5,-5,-15, -5,-5,5, PEN_UP,
    15,-5,-5, 15,5,-5, 15,5,-15, 15,-5,-15, 15,-5,-5, PEN_UP,
    -5,-5,-15, 15,-5,-15, PEN_UP,
    -5,15,-15, 5,15,-15, 5,5,-15, 15,5,-15, PEN_UP,
    -5,15,5, 5,15,5, 5,15,-15, PEN_UP,
    -5,-5,5, 5,-5,5, 5,15,5, PEN_UP,
    5,-5,5, 5,-5,-5, 15,-5,-5, PEN_UP,
    2,10,5, 2,5,5, -2,0,5,
    END_OF_LIST,
};

constexpr int32_t outline5[] = {
    -5,-5,5, 5,-5,5, 5,15,5, 15,15,5, 15,25,5, -15,25,5, -15,15,5, -5,15,5, -5,-5,5, PEN_UP,
    -5,-5,-5, 5,-5,-5, 5,15,-5, 15,15,-5, 15,25,-5, -15,25,-5, -15,15,-5, -5,15,-5, -5,-5,-5, PEN_UP,
    -5,-5,-5, -5,-5,5, PEN_UP,
    5,-5,-5, 5,-5,5, PEN_UP,
    15,15,-5, 15,15,5, PEN_UP,
    15,25,-5, 15,25,5, PEN_UP,
    -15,25,-5, -15,25,5, PEN_UP,
    -15,15,-5, -15,15,5,
    END_OF_LIST,
};

constexpr int32_t outline6[] = {
    -5,-5,5, 15,-5,5, 15,15,5, 5,15,5, 5,25,5, -5,25,5, -5,-5,5, PEN_UP,
    -5,-5,-5, 15,-5,-5, 15,15,-5, 5,15,-5, 5,25,-5, -5,25,-5, -5,-5,-5, PEN_UP,
    -5,-5,-5, -5,-5,5, PEN_UP,
    15,-5,-5, 15,-5,5, PEN_UP,
    15,15,-5, 15,15,5, PEN_UP,
    5,25,-5, 5,25,5, PEN_UP,
    -5,25,-5, -5,25,5,
    END_OF_LIST,
};

constexpr int32_t outline7[] = {
    -5,-5,5, 15,-5,5, 15,5,5, 5,5,5, 5,15,5, -5,15,5, -5,25,5, -15,25,5, -15,5,5, -5,5,5, -5,-5,5, PEN_UP,
    -5,-5,-5, 15,-5,-5, 15,5,-5, 5,5,-5, 5,15,-5, -5,15,-5, -5,25,-5, -15,25,-5, -15,5,-5, -5,5,-5, -5,-5,-5, PEN_UP,
    -5,-5,-5, -5,-5,5, PEN_UP,
    15,-5,-5, 15,-5,5, PEN_UP,
    15,5,-5, 15,5,5, PEN_UP,
    -5,25,-5, -5,25,5, PEN_UP,
    -15,25,-5, -15,25,5, PEN_UP,
    -15,5,-5, -15,5,5, PEN_UP,
    -5,5,-5, -5,5,5,
    END_OF_LIST,
};

constexpr int32_t outline8[] = {
    -5,15,5, -5,-5,5, -5,-5,-5, -5,5,-5, -5,5,-15, -5,15,-15, 15,15,-15, 15,15,-5, 5,15,-5, 5,15,5, -5,15,5, -5,15,-15, PEN_UP,
    -5,-5,5, 5,-5,5, 5,15,5, PEN_UP,
    -5,5,-15, 15,5,-15, 15,15,-15, PEN_UP,
    -5,-5,-5, 5,-5,-5, 5,-5,5, PEN_UP,
    15,15,-5, 15,5,-5, 15,5,-15, PEN_UP,
    2,10,5, 2,5,5, -2,0,5,
    END_OF_LIST,
};

constexpr int32_t outline9[] = {
    -5,-5,5, 5,-5,5, 5,15,5, 15,15,5, 15,25,5, -5,25,5, -5,15,5, -15,15,5, -15,5,5, -5,5,5, -5,-5,5, PEN_UP,
    -5,-5,-5, 5,-5,-5, 5,15,-5, 15,15,-5, 15,25,-5, -5,25,-5, -5,15,-5, -15,15,-5, -15,5,-5, -5,5,-5, -5,-5,-5, PEN_UP,
    -5,-5,-5, -5,-5,5, PEN_UP,
    5,-5,-5, 5,-5,5, PEN_UP,
    15,15,-5, 15,15,5, PEN_UP,
    15,25,-5, 15,25,5, PEN_UP,
    -5,25,-5, -5,25,5, PEN_UP,
    -15,15,-5, -15,15,5, PEN_UP,
    -15,5,-5, -15,5,5,
    END_OF_LIST,
};

constexpr int32_t outline10[] = {
    5,-5,5, 15,-5,5, 15,5,5, 5,5,5, 5,15,5, -5,15,5, -5,5,5, -15,5,5, -15,-5,5, -5,-5,5, -5,-15,5, 5,-15,5, 5,-5,5, PEN_UP,
    5,-5,-5, 15,-5,-5, 15,5,-5, 5,5,-5, 5,15,-5, -5,15,-5, -5,5,-5, -15,5,-5, -15,-5,-5, -5,-5,-5, -5,-15,-5, 5,-15,-5, 5,-5,-5, PEN_UP,
    15,-5,-5, 15,-5,5, PEN_UP,
    15,5,-5, 15,5,5, PEN_UP,
    5,15,-5, 5,15,5, PEN_UP,
    -5,15,-5, -5,15,5, PEN_UP,
    -15,5,-5, -15,5,5, PEN_UP,
    -15,-5,-5, -15,-5,5, PEN_UP,
    -5,-15,-5, -5,-15,5, PEN_UP,
    5,-15,-5, 5,-15,5,
    END_OF_LIST,
};

constexpr int32_t outline11[] = {
    -5,-5,5, 15,-5,5, 15,5,5, 5,5,5, 5,15,5, 15,15,5, 15,25,5, 5,25,5, 5,35,5, -5,35,5, -5,-5,5, PEN_UP,
    -5,-5,-5, 15,-5,-5, 15,5,-5, 5,5,-5, 5,15,-5, 15,15,-5, 15,25,-5, 5,25,-5, 5,35,-5, -5,35,-5, -5,-5,-5, PEN_UP,
    -5,-5,-5, -5,-5,5, PEN_UP,
    15,-5,-5, 15,-5,5, PEN_UP,
    15,5,-5, 15,5,5, PEN_UP,
    15,15,-5, 15,15,5, PEN_UP,
    15,25,-5, 15,25,5, PEN_UP,
    5,35,-5, 5,35,5, PEN_UP,
    -5,35,-5, -5,35,5, PEN_UP,
    0,30,5, 0,5,5, 5,0,5, 10,0,5, PEN_UP,
    0,20,5, 10,20,5,
    END_OF_LIST,
};

constexpr const int32_t* pieceOutlines[pieceCount] = {
    outline0, outline1, outline2, outline3, outline4, outline5,
    outline6, outline7, outline8, outline9, outline10, outline11,
};

struct OutlineSegment {
    Cell a, b;  // placed, in centred tenths
};

// A list's polylines hold at most a few dozen segments; this bound leaves room to spare.
constexpr int maxOutlineSegments = 96;

// The segments of an outline list under the placement t (whose translation counts in
// cells), in list order, written into out up to capacity. Returns how many were written.
// An absent list, or one that starts with END_OF_LIST, has none.
int outlineSegments(const int32_t* list, const IntTransform& t, OutlineSegment* out, int capacity);
