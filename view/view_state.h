// view_state.h: the dimetric pictures, picking and the legend as the window sees them.
// selectedPiece is written by a right click into a picture and read by the legend. The
// drawing itself keeps no state: every paint recomputes everything from the shell's
// globals (zoom, origins, layout), the current solution and the turn-over options.
#pragma once

#include <windows.h>

#include "model/placement.h"
#include "view/outlines.h"

// The piece that the last right click found, -1 for none.
extern int selectedPiece;

// On WM_PAINT, in this order.
void paintSeparators(HDC dc);
void paintLegend(HDC dc);
void paintViews(HDC dc);

// A click into the drawing area (left or right button), in client coordinates.
void pickCell(HWND window, bool right, int x, int y);
void showPositionInfo(int x, int y, int z);
void takeFilterCoordinate(int x, int y, int z);

// The drawing steps of the pictures (side > 0: upper picture, else lower).
BOOL projectMoveTo(HDC dc, int side, int x, int y, int z, int d);
BOOL projectLineTo(HDC dc, int side, int x, int y, int z, int d);
void textAtCursor(HDC dc, const char* text, UINT alignment);
void drawArrowHead(HDC dc, float direction, float opening, float length);
void drawVisibleEdge(HDC dc, int side, Cell a, Cell b);
void drawOutline(HDC dc, int side, const IntTransform& transform, const int32_t* list);
void drawSolutionPieces(HDC dc, int side);

// Draws an icon list with its point (x, y) at (ox + x, oy - y) when dc is given; reports
// its bounding rectangle when bounds is given.
void drawIcon(HDC dc, RECT* bounds, const int32_t* list, int ox, int oy);
