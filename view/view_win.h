// view_win.h: the GDI painting of the pane separators, the piece legend and the two
// dimetric pictures. The drawing keeps no state: every paint is computed afresh from what
// the caller hands over (the window's columns, zoom and picture origins, the shown
// solution, the turn-over options, the piece that the last right click found).
#pragma once

#include <windows.h>

#include "model/current_solution.h"
#include "model/placement.h"
#include "view/projection.h"

// The columns of the main window that the painting needs, from its layout.
struct PaneFrame {
    int paneWidth, viewLeft;        // right edges of the filter pane and of the hit list
    int clientWidth, clientHeight;
    int firstRowCentre, rowPitch;   // the legend rows beside the filter fields
};

// On WM_PAINT, in this order.
void paintSeparators(HDC dc, const PaneFrame& frame);
void paintLegend(HDC dc, const PaneFrame& frame, int selectedPiece, FlipOptions flips);
void paintViews(HDC dc, const PaneFrame& frame, const ViewGeometry& view, const CurrentSolution& solution,
                FlipOptions flips);
