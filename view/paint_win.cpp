// paint_win.cpp: the GDI calls that draw both dimetric pictures of the current solution:
// axes, faces, grid, box outline and the piece edges on the visible faces. The geometry
// comes from projection.h and outlines.h; this file only issues the calls in order.
#include "view/outlines.h"
#include "view/projection.h"
#include "view/view_win.h"

// One paint's inputs, handed down the drawing steps (side > 0: upper picture, else lower).
namespace {
struct Picture {
    HDC dc;
    const ViewGeometry& view;
    const CurrentSolution& solution;
    FlipOptions flips;
};
}  // namespace

static BOOL projectMoveTo(const Picture& p, int side, int x, int y, int z, int d)
{
    const ScreenPoint at = projectPoint(p.view, side, x, y, z, d);
    return MoveToEx(p.dc, at.x, at.y, nullptr);
}

static BOOL projectLineTo(const Picture& p, int side, int x, int y, int z, int d)
{
    const ScreenPoint at = projectPoint(p.view, side, x, y, z, d);
    return LineTo(p.dc, at.x, at.y);
}

static void textAtCursor(HDC dc, const char* text, UINT alignment)
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

static void drawArrowHead(HDC dc, float direction, float opening, float length)
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

static void drawVisibleEdge(const Picture& p, int side, Cell a, Cell b)
{
    if (!edgeIsVisible(side, a, b)) return;
    projectMoveTo(p, side, a.x + 5, a.y + 5, a.z + 5, 10);
    projectLineTo(p, side, b.x + 5, b.y + 5, b.z + 5, 10);
}

static void drawOutline(const Picture& p, int side, const IntTransform& transform, const int32_t* list)
{
    OutlineSegment segments[maxOutlineSegments];
    const int count = outlineSegments(list, transform, segments, maxOutlineSegments);
    for (int i = 0; i < count; i++) drawVisibleEdge(p, side, segments[i].a, segments[i].b);
}

static void drawSolutionPieces(const Picture& p, int side)
{
    if (!p.solution.loaded) return;
    const int variant = p.solution.variant < 0 ? 0 : p.solution.variant;
    HGDIOBJ previousPen = GetCurrentObject(p.dc, OBJ_PEN);
    HPEN piecePen = CreatePen(PS_SOLID, 3, RGB(0, 0, 255));
    SelectObject(p.dc, piecePen);
    for (PlacementWord word : p.solution.record.words) {
        const int piece = placementPieceIndex(word);
        if (piece < 0 || piece >= pieceCount) continue;
        drawOutline(p, side, effectivePlacementWith(word, variant, true, p.flips), pieceOutlines[piece]);
    }
    SelectObject(p.dc, previousPen);
    DeleteObject(piecePen);
}

static void drawAxes(const Picture& p, int side)
{
    for (int axis = 0; axis < 3; axis++) {
        const AxisEnd a = axisEnd(axis, side, p.view.zoom);
        projectMoveTo(p, side, 0, 0, 0, 1);
        projectLineTo(p, side, a.x, a.y, a.z, a.d);
        textAtCursor(p.dc, a.label, UINT(a.alignment));
        drawArrowHead(p.dc, a.direction, float(arrowOpening), float(arrowLength));
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
static void drawBox(const Picture& p, int side, HPEN gridPen, HPEN outlinePen, const HBRUSH faceBrushes[3])
{
    HDC dc = p.dc;
    const ViewGeometry& view = p.view;
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
    drawSolutionPieces(p, side);
}

void paintViews(HDC dc, const PaneFrame& frame, const ViewGeometry& view, const CurrentSolution& solution,
                FlipOptions flips)
{
    const Picture picture = {dc, view, solution, flips};
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
    Rectangle(dc, frame.viewLeft + 1, 1, frame.clientWidth, frame.clientHeight);
    EndPath(dc);
    SelectClipPath(dc, RGN_COPY);

    SelectObject(dc, red);
    drawAxes(picture, +1);
    drawAxes(picture, -1);

    const HBRUSH upperBrushes[3] = {lightBlue, white, lightYellow};
    const HBRUSH lowerBrushes[3] = {lightYellow, white, lightBlue};
    drawBox(picture, +1, gridPen, outlinePen, upperBrushes);
    drawBox(picture, -1, gridPen, outlinePen, lowerBrushes);

    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(lightBlue);
    DeleteObject(white);
    DeleteObject(lightYellow);
    DeleteObject(red);
    DeleteObject(outlinePen);
    DeleteObject(gridPen);
}
