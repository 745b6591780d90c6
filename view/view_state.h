// view_state.h: the dimetric pictures, picking and the legend as the window sees them.
#pragma once

#include <windows.h>

// The piece that the last right click found, -1 for none.
extern int selectedPiece;

void paintSeparators(HDC dc);
void paintLegend(HDC dc);
void paintViews(HDC dc);
void pickCell(HWND window, bool right, int x, int y);
