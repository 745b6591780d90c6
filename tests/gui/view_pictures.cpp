// view_pictures.cpp: starting the program for the view's scenarios, and the piece edge check.
#include "tests/gui/view_pictures.h"

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "shell/command_ids.h"
#include "tests/support/face_edges.h"
#include "tests/support/real_solutions.h"
#include "tests/support/table_file.h"
#include "view/outlines.h"

std::string colourText(COLORREF c)
{
    char text[32];
    std::snprintf(text, sizeof text, "(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

bool colourNear(const Capture& cap, int x, int y, COLORREF c)
{
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
            if (cap.at(x + dx, y + dy) == c) return true;
    return false;
}

ViewSetup viewSetupFor(int width, int height, int zoom)
{
    const LONG units = GetDialogBaseUnits();
    ViewSetup s;
    s.layout = computeLayout({LOWORD(units), HIWORD(units), width, height, 0});
    const PictureOrigins o = computePictureOrigins(s.layout, zoom);
    s.view = {zoom, o.upperX, o.upperY, o.lowerX, o.lowerY};
    return s;
}

bool startOnRealTable(Program& program, const char* tag, bool table)
{
    const std::string folder = makeWorkFolder(tag);
    const std::vector<SolutionRecord> records =
        table ? std::vector<SolutionRecord>(realSolutions().begin(), realSolutions().begin() + realSolutionsInOrder)
              : std::vector<SolutionRecord>();
    writeTableFile(folder + "\\kubo_puzzle_erg.bin", records);
    if (!startProgram(program, folder)) return false;
    // The whole window on the screen, whose pixels are read.
    SetWindowPos(program.window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return setClientSize(program, viewClientWidth, viewClientHeight);
}

void selectZoomOf(Program& program, int zoom)
{
    PostMessageA(program.window, WM_COMMAND, idZoom1 - 1 + zoom, 0);
    settle(program);
    Sleep(60);
}

namespace {

// Distance from a point to a screen segment.
double distance(ScreenPoint p, ScreenPoint a, ScreenPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len = dx * dx + dy * dy;
    double t = len > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len : 0;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The visible marks of the placed pieces, on screen.
std::vector<std::pair<ScreenPoint, ScreenPoint>> visibleMarks(const SolutionRecord& r, int variant, FlipOptions flips,
                                                              const ViewGeometry& v, int side)
{
    std::vector<std::pair<ScreenPoint, ScreenPoint>> marks;
    auto onGrid = [](int c) { return ((c % 10) + 10) % 10 == 5; };
    for (PlacementWord w : r.words) {
        OutlineSegment out[maxOutlineSegments];
        const int n = outlineSegments(pieceOutlines[placementPieceIndex(w)], effectivePlacementWith(w, variant, true, flips),
                                      out, maxOutlineSegments);
        for (int i = 0; i < n; i++) {
            const Cell a = out[i].a, b = out[i].b;
            if (!edgeIsVisible(side, a, b)) continue;
            if (onGrid(a.x) && onGrid(a.y) && onGrid(a.z) && onGrid(b.x) && onGrid(b.y) && onGrid(b.z)) continue;
            marks.push_back({projectTenths(v, side, a), projectTenths(v, side, b)});
        }
    }
    return marks;
}

}  // namespace

int checkPieceEdges(const Capture& cap, const SolutionRecord& r, int variant, FlipOptions flips, const ViewGeometry& v,
                    int side)
{
    const auto marks = visibleMarks(r, variant, flips, v, side);
    int checked = 0;
    for (const FaceEdge& e : innerFaceEdges(r, variant, flips, side)) {
        const ScreenPoint p = projectTenths(v, side, e.middle);
        bool nearMark = false;
        for (const auto& mk : marks) nearMark = nearMark || distance(p, mk.first, mk.second) < 4;
        // Edges along y are vertical on screen: there the width is exact.
        const bool vertical = e.along == 1;
        if (e.meet) {
            CHECK_PIXEL(cap, p.x, p.y, blue);
            if (vertical) {
                CHECK_PIXEL(cap, p.x - 1, p.y, blue);
                CHECK_PIXEL(cap, p.x + 1, p.y, blue);
                if (!nearMark) {
                    CHECK(cap.at(p.x - 2, p.y) != blue);
                    CHECK(cap.at(p.x + 2, p.y) != blue);
                }
            }
        } else if (!nearMark) {
            CHECK(cap.at(p.x, p.y) != blue);
            CHECK(colourNear(cap, p.x, p.y, gridCyan));
            if (vertical) CHECK_PIXEL(cap, p.x, p.y, gridCyan);
        }
        checked++;
    }
    return checked;
}
