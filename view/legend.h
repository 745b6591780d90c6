// legend.h: the small picture of each piece that stands beside its row of filter fields,
// as constant polygon lists with three fills, and where the legend puts each row's icon,
// its selection frame and its turn-over mark.
#pragma once

#include <cstdint>

#include "model/geometry.h"
#include "view/outlines.h"

// Fill codes; any value of 1000 or more starts a new polygon. Other values come in pairs,
// one point (x, y) in pixels with y pointing up. END_OF_LIST (outlines.h) ends a list.
constexpr int32_t iconWhite = 1000;
constexpr int32_t iconYellow = 1001;
constexpr int32_t iconCyan = 1002;
constexpr int maxIconPolygonPoints = 12;

constexpr int32_t icon0[] = {
    iconYellow, 0,12, 21,0, 21,8, 0,20,
    iconCyan, 21,0, 35,8, 35,16, 21,8,
    iconWhite, 0,20, 21,8, 35,16, 28,20, 21,16, 14,20, 21,24, 14,28,
    iconCyan, 14,20, 21,16, 21,24,
    END_OF_LIST,
};

constexpr int32_t icon1[] = {
    iconYellow, 0,8, 14,0, 14,8, 0,16,
    iconCyan, 14,0, 28,8, 28,16, 14,8,
    iconYellow, 28,8, 35,4, 35,12, 28,16,
    iconCyan, 35,4, 42,8, 42,16, 35,12,
    iconWhite, 0,16, 14,8, 28,16, 35,12, 42,16, 28,24, 14,16, 7,20,
    END_OF_LIST,
};

constexpr int32_t icon2[] = {
    iconYellow, 0,8, 14,0, 14,8, 0,16,
    iconCyan, 14,0, 42,16, 42,24, 14,8,
    iconWhite, 0,16, 14,8, 42,24, 35,28, 14,16, 7,20,
    END_OF_LIST,
};

constexpr int32_t icon3[] = {
    iconYellow, 0,4, 7,0, 7,8, 0,12,
    iconCyan, 7,0, 21,8, 21,16, 7,8,
    iconYellow, 21,8, 28,4, 28,12, 21,16,
    iconCyan, 28,4, 35,8, 35,16, 28,12,
    iconWhite, 0,12, 7,8, 21,16, 28,12, 35,16, 28,20, 35,24, 28,28,
    iconCyan, 28,20, 35,16, 35,24,
    END_OF_LIST,
};

constexpr int32_t icon4[] = {
    iconYellow, 0,4, 7,0, 7,8, 0,12,
    iconCyan, 7,0, 14,4, 14,12, 7,8,
    iconWhite, 0,12, 7,8, 14,12, 7,16,
    iconYellow, 14,4, 21,0, 21,16, 7,24, 7,16, 14,12,
    iconCyan, 21,0, 28,4, 28,20, 21,16,
    iconWhite, 7,24, 21,16, 28,20, 14,28,
    END_OF_LIST,
};

constexpr int32_t icon5[] = {
    iconYellow, 0,8, 7,4, 7,12, 0,16,
    iconCyan, 7,4, 14,8, 14,16, 7,12,
    iconYellow, 14,8, 28,0, 28,8, 14,16,
    iconCyan, 28,0, 35,4, 35,12, 28,8,
    iconWhite, 0,16, 7,12, 14,16, 28,8, 35,12, 21,20, 28,24, 21,28,
    iconCyan, 21,20, 28,16, 28,24,
    END_OF_LIST,
};

constexpr int32_t icon6[] = {
    iconYellow, 0,4, 7,0, 7,8, 0,12,
    iconCyan, 7,0, 14,4, 14,12, 7,8,
    iconYellow, 14,4, 21,0, 21,8, 14,12,
    iconCyan, 21,0, 35,8, 35,16, 21,8,
    iconWhite, 0,12, 7,8, 14,12, 21,8, 35,16, 21,24,
    END_OF_LIST,
};

constexpr int32_t icon7[] = {
    iconYellow, 0,4, 7,0, 7,8, 0,12,
    iconCyan, 7,0, 14,4, 14,12, 7,8,
    iconYellow, 14,4, 21,0, 21,8, 14,12,
    iconCyan, 21,0, 28,4, 28,12, 21,8,
    iconYellow, 28,4, 35,0, 35,8, 28,12,
    iconCyan, 35,0, 42,4, 42,12, 35,8,
    iconWhite, 0,12, 7,8, 14,12, 21,8, 28,12, 35,8, 42,12, 28,20, 21,16, 14,20,
    END_OF_LIST,
};

constexpr int32_t icon8[] = {
    iconYellow, 0,8, 14,0, 14,8, 0,16,
    iconCyan, 14,0, 21,4, 21,12, 14,8,
    iconWhite, 0,16, 14,8, 21,12, 7,20,
    iconYellow, 7,20, 14,16, 14,24, 7,28,
    iconCyan, 14,16, 21,12, 21,28, 14,24,
    iconWhite, 7,28, 14,24, 21,28, 14,32,
    END_OF_LIST,
};

constexpr int32_t icon9[] = {
    iconYellow, 0,8, 14,0, 14,8, 0,16,
    iconCyan, 14,0, 21,4, 21,12, 14,8,
    iconYellow, 21,4, 28,0, 28,8, 21,12,
    iconCyan, 28,0, 35,4, 35,12, 28,8,
    iconWhite, 0,16, 14,8, 21,12, 28,8, 35,12, 28,16, 35,20, 28,24, 14,16, 7,20,
    iconCyan, 35,12, 35,20, 28,16,
    END_OF_LIST,
};

constexpr int32_t icon10[] = {
    iconYellow, 0,4, 7,0, 7,8, 0,12,
    iconCyan, 7,0, 14,4, 14,12, 7,8,
    iconYellow, 14,4, 21,0, 21,8, 14,12,
    iconCyan, 21,0, 28,4, 28,12, 21,8,
    iconWhite, 0,12, 7,8, 14,12, 21,8, 28,12, 21,16, 28,20, 21,24, 14,20, 7,24, 0,20, 7,16,
    iconYellow, 0,12, 7,16, 0,20,
    iconCyan, 21,16, 28,12, 28,20,
    END_OF_LIST,
};

constexpr int32_t icon11[] = {
    iconYellow, 0,16, 28,0, 28,8, 0,24,
    iconCyan, 28,0, 42,8, 42,16, 28,8,
    iconWhite, 0,24, 28,8, 42,16, 35,20, 28,16, 21,20, 28,24, 21,28, 14,24, 7,28,
    iconCyan, 21,20, 28,16, 28,24,
    END_OF_LIST,
};

constexpr const int32_t* legendIcons[pieceCount] = {
    icon0, icon1, icon2, icon3, icon4, icon5, icon6, icon7, icon8, icon9, icon10, icon11,
};

struct IconBounds {
    int left, top, right, bottom;
};

struct IconPolygon {
    int fill;  // 0 white, 1 yellow, 2 cyan; -1 before any fill code: the brush in use
    int count;
    int x[maxIconPolygonPoints], y[maxIconPolygonPoints];
};

constexpr int maxIconPolygons = 16;

// An icon with its point (x, y) at screen point (ox + x, oy - y): its polygons in list
// order and the bounding rectangle of all its points (all zero when it has none). Points
// past a polygon's twelfth still widen the bounds but are not drawn; polygons past the
// sixteenth are dropped.
struct IconShape {
    int polygonCount;
    IconPolygon polygons[maxIconPolygons];
    IconBounds bounds;
};

IconShape iconShape(const int32_t* list, int ox, int oy);

// The legend column is this wide, left of the filter fields.
constexpr int legendWidth = 60;

// Where legend row i draws, about the row centre firstRowCentre + i * rowPitch: the frame
// of the selected piece (0..60 across, top..bottom down), the turn-over diagonal from
// (markTopX, top) to (markBottomX, bottom), and the origin that centres an icon with the
// bounds b (measured at origin 0, 0) in the column and on the row's centre.
struct LegendRow {
    int centre, top, bottom;
    int markTopX, markBottomX;
    int iconX, iconY;
};

LegendRow legendRow(int index, int firstRowCentre, int rowPitch, IconBounds b);
