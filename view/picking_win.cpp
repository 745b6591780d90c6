// picking_win.cpp: a mouse click into a picture. The right button tells which piece lies
// on the cell (frame in the legend, message box); the left button copies the cell into
// the filter field that has the focus. The arithmetic is picking.h's.
#include "model/solution_table.h"
#include "search/search_state.h"
#include "shell/window_state.h"
#include "view/picking.h"
#include "view/view_state.h"

void pickCell(HWND window, bool right, int x, int y)
{
    if (x < layout.viewLeft) return;
    const CellPick pick = pickCellAt({zoomFactor, upperOriginX, upperOriginY, lowerOriginX, lowerOriginY},
                                     layout.viewLeft, x, y);
    if (pick.found) {
        if (right)
            showPositionInfo(pick.cell.x, pick.cell.y, pick.cell.z);
        else
            takeFilterCoordinate(pick.cell.x, pick.cell.y, pick.cell.z);
    } else if (right) {
        selectedPiece = -1;
        invalidate(window, layout.filterRect);
    }
}

void showPositionInfo(int x, int y, int z)
{
    selectedPiece = -1;
    if (!currentSolution.loaded) return;
    const Cell cell = {x, y, z};
    const int piece = pieceCoveringCell(currentSolution.record, currentSolution.variant, cell);
    // Repainting the legend now shows the frame while the box below is open.
    selectedPiece = piece;
    invalidate(mainWindow, layout.filterRect);
    if (piece < 0) return;
    const std::string text = positionInfoText(piece, cell);
    MessageBoxA(mainWindow, text.c_str(), positionInfoCaption, MB_OK | MB_ICONINFORMATION);
}

void takeFilterCoordinate(int x, int y, int z)
{
    if (!filterEnabled || focusedRow < 0 || focusedColumn < 0) return;
    // The focus handling only ever names one of the 12 x 3 fields; anything else is no field.
    if (focusedRow >= 12 || focusedColumn >= 3) return;
    SetWindowTextA(controlWindows[focusedRow * 3 + focusedColumn], coordinateText({x, y, z}).c_str());
    FilterCriterion& criterion = FilterTable[focusedRow][focusedColumn];
    criterion.x = x;
    criterion.y = y;
    criterion.z = z;
    criterion.active = 1;
    criteriaChanged = 1;
    if (!isSearchRunning()) SetWindowTextA(controlWindows[slotSearch], "Suchen!");
}
