// paint_win.cpp: the GDI calls that draw both dimetric pictures of the current solution:
// axes, faces, grid, box outline and the piece edges on the visible faces. The geometry
// comes from projection.h and outlines.h; this file only issues the calls in order.
#include "model/solution_table.h"
#include "shell/window_state.h"
#include "view/projection.h"
#include "view/view_state.h"

int selectedPiece = -1;

static ViewGeometry currentView()
{
    return {zoomFactor, upperOriginX, upperOriginY, lowerOriginX, lowerOriginY};
}

BOOL projectMoveTo(HDC dc, int side, int x, int y, int z, int d)
{
    const ScreenPoint p = projectPoint(currentView(), side, x, y, z, d);
    return MoveToEx(dc, p.x, p.y, nullptr);
}

BOOL projectLineTo(HDC dc, int side, int x, int y, int z, int d)
{
    const ScreenPoint p = projectPoint(currentView(), side, x, y, z, d);
    return LineTo(dc, p.x, p.y);
}

void textAtCursor(HDC dc, const char* text, UINT alignment)
{
    POINT at = {};
    GetCurrentPositionEx(dc, &at);
    const UINT previousAlignment = GetTextAlign(dc);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    if (alignment != 0) SetTextAlign(dc, alignment);
    TextOutA(dc, at.x, at.y, text, lstrlenA(text));
    SetTextAlign(dc, previousAlignment);
    SetBkMode(dc, previousMode);
}

void drawArrowHead(HDC dc, float direction, float opening, float length)
{
    POINT tip = {};
    GetCurrentPositionEx(dc, &tip);
    const ArrowHead head = arrowHeadAt({tip.x, tip.y}, direction, opening, length);
    const POINT points[3] = {{head.tip.x, head.tip.y}, {head.p1.x, head.p1.y}, {head.p2.x, head.p2.y}};
    BeginPath(dc);
    Polyline(dc, points, 3);
    EndPath(dc);
    StrokeAndFillPath(dc);
}

void drawVisibleEdge(HDC dc, int side, Cell a, Cell b)
{
    if (!edgeIsVisible(side, a, b)) return;
    projectMoveTo(dc, side, a.x + 5, a.y + 5, a.z + 5, 10);
    projectLineTo(dc, side, b.x + 5, b.y + 5, b.z + 5, 10);
}

void drawOutline(HDC dc, int side, const IntTransform& transform, const int32_t* list)
{
    OutlineSegment segments[maxOutlineSegments];
    const int count = outlineSegments(list, transform, segments, maxOutlineSegments);
    for (int i = 0; i < count; i++) drawVisibleEdge(dc, side, segments[i].a, segments[i].b);
}

void drawSolutionPieces(HDC dc, int side)
{
    if (!currentSolution.loaded) return;
    const int variant = currentSolution.variant < 0 ? 0 : currentSolution.variant;
    HGDIOBJ previousPen = GetCurrentObject(dc, OBJ_PEN);
    HPEN piecePen = CreatePen(PS_SOLID, 3, RGB(0, 0, 255));
    SelectObject(dc, piecePen);
    for (PlacementWord word : currentSolution.record.words) {
        const int piece = placementPieceIndex(word);
        if (piece < 0 || piece >= pieceCount) continue;
        drawOutline(dc, side, effectivePlacement(word, variant, true), pieceOutlines[piece]);
    }
    SelectObject(dc, previousPen);
    DeleteObject(piecePen);
}

static void drawAxes(HDC dc, int side)
{
    for (int axis = 0; axis < 3; axis++) {
        const AxisEnd a = axisEnd(axis, side, zoomFactor);
        projectMoveTo(dc, side, 0, 0, 0, 1);
        projectLineTo(dc, side, a.x, a.y, a.z, a.d);
        textAtCursor(dc, a.label, UINT(a.alignment));
        drawArrowHead(dc, a.direction, float(arrowOpening), float(arrowLength));
    }
}

static void facePath(HDC dc, const FacePolygon& face)
{
    POINT points[4];
    for (int i = 0; i < 4; i++) points[i] = {face.points[i].x, face.points[i].y};
    BeginPath(dc);
    Polyline(dc, points, 4);
    EndPath(dc);
}

// Faces, grid and box outline of one picture; the face brushes are x, y, z in that order.
static void drawBox(HDC dc, int side, HPEN gridPen, HPEN outlinePen, const HBRUSH faceBrushes[3])
{
    const ViewGeometry view = currentView();
    SelectObject(dc, gridPen);
    for (int face = faceX; face <= faceZ; face++) {
        SelectObject(dc, faceBrushes[face]);
        facePath(dc, facePolygon(view, side, BoxFace(face)));
        FillPath(dc);
    }
    GridLine lines[gridLineCount];
    gridLines(view, side, lines);
    for (const GridLine& line : lines) {
        MoveToEx(dc, line.points[0].x, line.points[0].y, nullptr);
        LineTo(dc, line.points[1].x, line.points[1].y);
        LineTo(dc, line.points[2].x, line.points[2].y);
    }
    SelectObject(dc, outlinePen);
    for (int face = faceX; face <= faceZ; face++) {
        facePath(dc, facePolygon(view, side, BoxFace(face)));
        StrokePath(dc);
    }
    drawSolutionPieces(dc, side);
}

void paintViews(HDC dc)
{
    HGDIOBJ previousBrush = GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ previousPen = GetCurrentObject(dc, OBJ_PEN);
    HBRUSH lightBlue = CreateSolidBrush(RGB(224, 224, 255));
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH lightYellow = CreateSolidBrush(RGB(255, 255, 224));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HPEN outlinePen = CreatePen(PS_SOLID, 0, RGB(0, 0, 255));
    HPEN gridPen = CreatePen(PS_SOLID, 0, RGB(0, 255, 255));

    // Nothing of the pictures may reach the separator or the top line.
    BeginPath(dc);
    Rectangle(dc, layout.viewLeft + 1, 1, layout.clientWidth, layout.clientHeight);
    EndPath(dc);
    SelectClipPath(dc, RGN_COPY);

    SelectObject(dc, red);
    drawAxes(dc, +1);
    drawAxes(dc, -1);

    const HBRUSH upperBrushes[3] = {lightBlue, white, lightYellow};
    const HBRUSH lowerBrushes[3] = {lightYellow, white, lightBlue};
    drawBox(dc, +1, gridPen, outlinePen, upperBrushes);
    drawBox(dc, -1, gridPen, outlinePen, lowerBrushes);

    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(lightBlue);
    DeleteObject(white);
    DeleteObject(lightYellow);
    DeleteObject(red);
    DeleteObject(outlinePen);
    DeleteObject(gridPen);
}
