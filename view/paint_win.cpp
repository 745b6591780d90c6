// paint_win.cpp: GDI painting of the separators, the legend and the two pictures.
// Drawing arrives with the dimetric view; until then the areas stay background.
#include "view/view_state.h"

int selectedPiece = -1;

void paintSeparators(HDC) {}
void paintLegend(HDC) {}
void paintViews(HDC) {}
void pickCell(HWND, bool, int, int) {}
