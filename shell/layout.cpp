// layout.cpp: the layout metrics and control rectangles of the main window.
#include "shell/layout.h"

Layout computeLayout(const LayoutInput& in)
{
    Layout l = {};
    l.dialogUnitX = in.dialogUnitX;
    l.dialogUnitY = in.dialogUnitY;
    l.clientWidth = in.clientWidth;
    l.clientHeight = in.clientHeight;
    const int du = in.dialogUnitX;
    const int w = in.clientWidth;
    const int h = in.clientHeight;

    l.lineHeight = in.textHeight + 2;
    l.cellWidth = 6 * du;
    l.paneWidth = 3 * l.cellWidth + 60;
    l.viewLeft = l.paneWidth + 15 * du;
    l.filterRect = {0, 0, l.paneWidth, h};
    l.listRect = {l.paneWidth, 0, l.viewLeft, h};
    l.viewRect = {l.viewLeft, 0, w, h};
    l.rowHeight = in.dialogUnitY + 6;
    l.rowPitch = (h - l.rowHeight - 2) / 14;
    l.hintHeight = h - l.rowHeight - 12 * l.rowPitch - 1;
    l.firstRowCentre = l.rowPitch / 2 + l.rowHeight + 1;
    l.fieldHeight = l.rowPitch < in.dialogUnitY + 6 ? l.rowPitch : in.dialogUnitY + 6;
    l.scrollLeft = l.viewLeft - 2 * du;
    l.listTop = 2 * l.rowHeight + 1;
    l.visibleLines = l.lineHeight ? (h - l.listTop - 2 * l.rowHeight) / l.lineHeight : 0;
    l.commandLeft = w - 7 * du;
    if (l.commandLeft <= l.viewLeft) l.commandLeft = l.viewLeft + 1;
    l.stepLeft = w - 2 * du;
    l.numberWidth = 9 * du;
    if (l.stepLeft <= l.viewLeft) {
        l.stepLeft = l.viewLeft + 1;
        l.numberWidth = 0;
    }

    const int listWidth = l.viewLeft - l.paneWidth - 1;
    const int half = listWidth / 2;
    l.filterSwitch = {1, 1, l.paneWidth - 1, l.rowHeight};
    for (int i = 0; i < 12; i++)
        for (int j = 0; j < 3; j++)
            l.filterFields[i][j] = {l.paneWidth - (3 - j) * l.cellWidth + 1,
                                    l.firstRowCentre - l.fieldHeight / 2 + i * l.rowPitch,
                                    l.cellWidth - 2, l.fieldHeight - 2};
    l.hint = {0, h - l.hintHeight, l.paneWidth, l.hintHeight};
    l.rotationsSwitch = {l.paneWidth + 1, 1, listWidth, l.rowHeight};
    l.searchButton = {l.paneWidth + 1, l.rowHeight + 1, listWidth, l.rowHeight};
    l.hitStatus = {l.paneWidth + 1, h - l.rowHeight, listWidth, l.rowHeight};
    l.previousHit = {l.paneWidth + 1, h - 2 * l.rowHeight, half, l.rowHeight};
    l.nextHit = {l.viewLeft - half, h - 2 * l.rowHeight, half, l.rowHeight};
    l.hitScrollbar = {l.scrollLeft, l.listTop, 2 * du, h - l.listTop - 2 * l.rowHeight};
    l.nextSolution = {l.stepLeft, 1, w - l.stepLeft, l.rowHeight / 2};
    l.previousSolution = {l.stepLeft, l.rowHeight / 2 + 1, w - l.stepLeft, l.rowHeight / 2};
    l.solutionLabel = {l.viewLeft + 1, 1, l.stepLeft - l.viewLeft - 1, l.rowHeight};
    l.solutionNumber = {l.stepLeft - l.numberWidth - 1, 2, l.numberWidth, l.rowHeight - 2};
    l.viewerLabel = {l.viewLeft + 1, h - 2 * l.rowHeight, l.commandLeft - l.viewLeft - 1, l.rowHeight};
    l.viewerCommand = {l.viewLeft + 1, h - l.rowHeight, l.commandLeft - l.viewLeft - 1, l.rowHeight};
    l.startButton = {l.commandLeft, h - 2 * l.rowHeight, w - l.commandLeft, 2 * l.rowHeight};
    return l;
}

PictureOrigins computePictureOrigins(const Layout& l, int factor)
{
    const int freeHeight = l.clientHeight - 3 * l.rowHeight - 1;
    return {(l.clientWidth + l.viewLeft + 93 * factor) / 2,
            (freeHeight - 114 * factor) / 4 + l.rowHeight + 1,
            (l.clientWidth + l.viewLeft - 93 * factor) / 2,
            (3 * freeHeight - 114 * factor) / 4 + l.rowHeight + 1};
}
