// legend_win.cpp: the GDI calls of the pane separators and of the piece legend beside the
// filter rows: selection frame, turn-over mark and icon. The geometry is legend.h's.
#include "view/legend.h"
#include "view/view_win.h"

void paintSeparators(HDC dc, const PaneFrame& frame)
{
    HGDIOBJ previousPen = GetCurrentObject(dc, OBJ_PEN);
    HPEN separatorPen = CreatePen(PS_SOLID, 0, RGB(0, 0, 128));
    HPEN topLinePen = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
    SelectObject(dc, separatorPen);
    MoveToEx(dc, frame.paneWidth, 0, nullptr);
    LineTo(dc, frame.paneWidth, frame.clientHeight);
    MoveToEx(dc, frame.viewLeft, 0, nullptr);
    LineTo(dc, frame.viewLeft, frame.clientHeight);
    SelectObject(dc, topLinePen);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, frame.clientWidth, 0);
    SelectObject(dc, previousPen);
    DeleteObject(separatorPen);
    DeleteObject(topLinePen);
}

// Draws an icon list with its point (x, y) at (ox + x, oy - y) when dc is given; reports
// its bounding rectangle when bounds is given.
static void drawIcon(HDC dc, RECT* bounds, const int32_t* list, int ox, int oy)
{
    const IconShape shape = iconShape(list, ox, oy);
    if (bounds) *bounds = {shape.bounds.left, shape.bounds.top, shape.bounds.right, shape.bounds.bottom};
    if (!dc) return;
    HGDIOBJ previousBrush = GetCurrentObject(dc, OBJ_BRUSH);
    const HBRUSH fills[3] = {CreateSolidBrush(RGB(255, 255, 255)), CreateSolidBrush(RGB(255, 255, 0)),
                             CreateSolidBrush(RGB(0, 255, 255))};
    for (int i = 0; i < shape.polygonCount; i++) {
        const IconPolygon& polygon = shape.polygons[i];
        if (polygon.fill >= 0) SelectObject(dc, fills[polygon.fill]);
        POINT points[maxIconPolygonPoints];
        for (int k = 0; k < polygon.count; k++) points[k] = {polygon.x[k], polygon.y[k]};
        BeginPath(dc);
        Polyline(dc, points, polygon.count);
        EndPath(dc);
        StrokeAndFillPath(dc);
    }
    SelectObject(dc, previousBrush);
    for (HBRUSH fill : fills) DeleteObject(fill);
}

void paintLegend(HDC dc, const PaneFrame& frame, int selectedPiece, FlipOptions flips)
{
    HGDIOBJ previousPen = GetCurrentObject(dc, OBJ_PEN);
    const COLORREF previousBackground = GetBkColor(dc);
    HPEN turnOverPen = CreatePen(PS_DOT, 0, RGB(0, 0, 0));
    // The dotted pen's gaps show this colour in the default opaque background mode.
    SetBkColor(dc, RGB(255, 255, 128));
    for (int i = 0; i < pieceCount; i++) {
        RECT measured;
        drawIcon(nullptr, &measured, legendIcons[i], 0, 0);
        const LegendRow row = legendRow(i, frame.firstRowCentre, frame.rowPitch,
                                        {measured.left, measured.top, measured.right, measured.bottom});
        if (i == selectedPiece) {
            MoveToEx(dc, 0, row.top, nullptr);
            LineTo(dc, legendWidth, row.top);
            LineTo(dc, legendWidth, row.bottom);
            LineTo(dc, 0, row.bottom);
            LineTo(dc, 0, row.top);
        }
        if (flipIsOn(flips, i)) {
            // Before the icon, whose polygons then cover the part of the mark inside them.
            SelectObject(dc, turnOverPen);
            MoveToEx(dc, row.markTopX, row.top, nullptr);
            LineTo(dc, row.markBottomX, row.bottom);
            SelectObject(dc, previousPen);
        }
        drawIcon(dc, nullptr, legendIcons[i], row.iconX, row.iconY);
    }
    SetBkColor(dc, previousBackground);
    DeleteObject(turnOverPen);
}
