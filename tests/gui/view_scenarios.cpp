// The dimetric view in the real window: faces, grid, box outline, axes and arrowheads at
// every zoom factor; the piece edges of a real solution; the separators and the legend;
// right and left clicks into the pictures; and the turn-over marks. Expected points come
// from the projection and layout formulas; the colours are read from the screen.
#include <cstdlib>
#include <set>
#include <string>

#include "shell/command_ids.h"
#include "tests/gui/harness.h"
#include "tests/gui/view_pictures.h"
#include "tests/support/real_solutions.h"
#include "view/legend.h"
#include "view/picking.h"

namespace {

const COLORREF lightBlue = RGB(224, 224, 255), white = RGB(255, 255, 255), lightYellow = RGB(255, 255, 224);
const COLORREF red = RGB(255, 0, 0), black = RGB(0, 0, 0);
const COLORREF navy = RGB(0, 0, 128), iconYellowFill = RGB(255, 255, 0), iconCyanFill = RGB(0, 255, 255);
const COLORREF dotGap = RGB(255, 255, 128);

// A command, handled and painted before the scenario looks.
void commandSettled(Program& program, int id)
{
    command(program, id);
    settle(program);
    Sleep(60);
}

// The fill of each visible face of a picture: x, y, z.
COLORREF faceFill(int side, int face)
{
    const COLORREF upper[3] = {lightBlue, white, lightYellow}, lower[3] = {lightYellow, white, lightBlue};
    return side > 0 ? upper[face] : lower[face];
}

// The centre of a visible face of a cell, as a projection point in tenths.
ScreenPoint faceCentre(const ViewGeometry& v, int side, int face, Cell c)
{
    const bool up = side > 0;
    int p[3] = {10 * c.x + 5, 10 * c.y + 5, 10 * c.z + 5};
    const int high[3] = {50, 40, 30};
    p[face] = up ? high[face] : 0;
    return projectPoint(v, side, p[0], p[1], p[2], 10);
}

bool cellOnFace(int side, int face, Cell c)
{
    const int v[3] = {c.x, c.y, c.z}, high[3] = {4, 3, 2};
    return v[face] == (side > 0 ? high[face] : 0);
}

void checkBoxPicture(const Capture& cap, const ViewGeometry& v, int side)
{
    // Every visible cell's face is filled with its face's colour at its centre.
    for (int face = 0; face < 3; face++)
        for (int x = 0; x < 5; x++)
            for (int y = 0; y < 4; y++)
                for (int z = 0; z < 3; z++) {
                    if (!cellOnFace(side, face, {x, y, z})) continue;
                    const ScreenPoint p = faceCentre(v, side, face, {x, y, z});
                    CHECK_PIXEL(cap, p.x, p.y, faceFill(side, face));
                }
    // Grid lines across the faces, in the middle of each unit edge.
    GridLine lines[gridLineCount];
    gridLines(v, side, lines);
    for (const GridLine& line : lines)
        for (int k = 0; k < 2; k++) {
            const ScreenPoint a = line.points[k], b = line.points[k + 1];
            const int x = (a.x + b.x) / 2, y = (a.y + b.y) / 2;
            CHECK(colourNear(cap, x, y, gridCyan));
            if (a.x == b.x) CHECK_PIXEL(cap, a.x, y, gridCyan);  // vertical lines are exact
        }
    // The nine visible box edges in the outline colour.
    for (int face = 0; face < 3; face++) {
        const FacePolygon f = facePolygon(v, side, BoxFace(face));
        for (int k = 0; k < 3; k++) {
            const ScreenPoint a = f.points[k], b = f.points[k + 1];
            CHECK(colourNear(cap, (a.x + b.x) / 2, (a.y + b.y) / 2, blue));
        }
    }
    // Red arrowheads at the three axis ends, the black axis beyond the box.
    for (int axis = 0; axis < 3; axis++) {
        const AxisEnd a = axisEnd(axis, side, v.zoom);
        const ScreenPoint tip = projectPoint(v, side, a.x, a.y, a.z, a.d);
        const ArrowHead h = arrowHeadAt(tip, a.direction, float(arrowOpening), float(arrowLength));
        CHECK_PIXEL(cap, (h.tip.x + h.p1.x + h.p2.x) / 3, (h.tip.y + h.p1.y + h.p2.y) / 3, red);
        // Halfway between the box's corner on the axis and the back of the arrowhead.
        const int corner[3][3] = {{5, 0, 0}, {0, 4, 0}, {0, 0, 3}};
        const ScreenPoint c = projectPoint(v, side, corner[axis][0], corner[axis][1], corner[axis][2], 1);
        const ScreenPoint back = {(h.p1.x + h.p2.x) / 2, (h.p1.y + h.p2.y) / 2};
        CHECK(colourNear(cap, (c.x + back.x) / 2, (c.y + back.y) / 2, black));
    }
}

void checkSeparatorsAndLegend(const Capture& cap, const Layout& l)
{
    CHECK_PIXEL(cap, l.paneWidth, l.clientHeight / 2, navy);
    CHECK_PIXEL(cap, l.viewLeft, l.clientHeight / 2, navy);
    CHECK_PIXEL(cap, l.viewLeft, l.clientHeight - 1, navy);
    CHECK_PIXEL(cap, 5, 0, white);
    CHECK_PIXEL(cap, l.viewLeft + 5, 0, white);
    CHECK_PIXEL(cap, l.clientWidth - 1, 0, white);
    // Each icon's first two polygons: yellow and cyan at their centres.
    for (int i = 0; i < pieceCount; i++) {
        const IconBounds b = iconShape(legendIcons[i], 0, 0).bounds;
        const LegendRow row = legendRow(i, l.firstRowCentre, l.rowPitch, b);
        const IconShape s = iconShape(legendIcons[i], row.iconX, row.iconY);
        for (int k = 0; k < 2; k++) {
            const IconPolygon& p = s.polygons[k];
            int x = 0, y = 0;
            for (int n = 0; n < p.count; n++) x += p.x[n], y += p.y[n];
            CHECK_PIXEL(cap, x / p.count, y / p.count, p.fill == 1 ? iconYellowFill : iconCyanFill);
        }
    }
}

}  // namespace

SCENARIO(view_box_grid_axes_separators_and_legend_at_every_zoom)
{
    Program program;
    if (startOnRealTable(program, "viewbox", false)) {
        for (int zoom : {1, 2, 3}) {
            selectZoomOf(program, zoom);
            const ViewSetup s = viewSetupFor(viewClientWidth, viewClientHeight, zoom);
            const Capture cap = captureClient(program.window);
            REQUIRE(cap.width == viewClientWidth);
            checkBoxPicture(cap, s.view, +1);
            checkBoxPicture(cap, s.view, -1);
            checkSeparatorsAndLegend(cap, s.layout);
        }
        // Resizing moves the pictures to the new origins.
        selectZoomOf(program, 2);
        REQUIRE(setClientSize(program, 900, 760));
        Sleep(60);
        const ViewSetup s = viewSetupFor(900, 760, 2);
        const Capture cap = captureClient(program.window);
        checkBoxPicture(cap, s.view, +1);
        checkBoxPicture(cap, s.view, -1);
        checkSeparatorsAndLegend(cap, s.layout);
        if (std::getenv("KUBO_VIEW_SCREENSHOT")) saveScreenBmp(std::string(std::getenv("KUBO_VIEW_SCREENSHOT")) + "_empty.bmp");
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

SCENARIO(view_piece_edges_of_solution_17c_at_every_zoom)
{
    Program program;
    if (startOnRealTable(program, "viewedges", true)) {
        typeChars(program, control(program, idSolutionNumber), "17c");
        Sleep(60);
        const SolutionRecord& r = realSolutions()[16];
        for (int zoom : {1, 2, 3}) {
            selectZoomOf(program, zoom);
            const ViewSetup s = viewSetupFor(viewClientWidth, viewClientHeight, zoom);
            const Capture cap = captureClient(program.window);
            CHECK_EQ(checkPieceEdges(cap, r, 2, {0, 0, 0}, s.view, +1), 70);  // 17 + 22 + 31 inner edges
            checkPieceEdges(cap, r, 2, {0, 0, 0}, s.view, -1);
            if (zoom == 3 && std::getenv("KUBO_VIEW_SCREENSHOT"))
                saveScreenBmp(std::string(std::getenv("KUBO_VIEW_SCREENSHOT")) + "_17c.bmp");
        }
        // Turning pieces over moves their marks; the edges between pieces stay.
        commandSettled(program, idMirrorC);
        commandSettled(program, idMirrorZ);
        commandSettled(program, idMirrorR);
        const ViewSetup s = viewSetupFor(viewClientWidth, viewClientHeight, 3);
        const Capture cap = captureClient(program.window);
        checkPieceEdges(cap, r, 2, {1, 1, 1}, s.view, +1);
        checkPieceEdges(cap, r, 2, {1, 1, 1}, s.view, -1);
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

namespace {

// Whether the legend frame of row i is drawn (its top and left sides).
bool frameShown(const Capture& cap, const Layout& l, int i)
{
    const LegendRow row = legendRow(i, l.firstRowCentre, l.rowPitch, iconShape(legendIcons[i], 0, 0).bounds);
    return cap.at(legendWidth / 2, row.top) == black && cap.at(0, row.centre) == black &&
           cap.at(legendWidth, row.centre) == black && cap.at(legendWidth / 2, row.bottom) == black;
}

// Keeps a message box off the window's left part, where the legend is read.
void moveAside(HWND box)
{
    RECT r = {};
    GetWindowRect(box, &r);
    SetWindowPos(box, nullptr, GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left),
                 GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(150);
}

}  // namespace

SCENARIO(view_right_click_names_the_piece_and_frames_it)
{
    Program program;
    if (startOnRealTable(program, "viewright", true)) {
        // Without a solution a right click shows nothing.
        ViewSetup s = viewSetupFor(viewClientWidth, viewClientHeight, 1);
        ScreenPoint p = faceCentre(s.view, +1, 2, {2, 1, 2});
        clickAt(program, p.x, p.y, true);
        CHECK(findMessageBox(program, 300) == nullptr);

        typeChars(program, control(program, idSolutionNumber), "17c");
        const SolutionRecord& r = realSolutions()[16];
        const Cell cells[] = {{2, 1, 2}, {4, 0, 0}, {0, 3, 1}, {3, 0, 2}, {0, 0, 0}, {1, 2, 0}};
        const int sides[] = {+1, +1, +1, -1, -1, -1};
        const int faces[] = {2, 0, 1, 1, 0, 2};
        for (int zoom : {1, 3}) {
            selectZoomOf(program, zoom);
            s = viewSetupFor(viewClientWidth, viewClientHeight, zoom);
            for (int k = 0; k < 6; k++) {
                const Cell c = cells[k];
                const int piece = pieceCoveringCell(r, 2, c);
                p = faceCentre(s.view, sides[k], faces[k], c);
                REQUIRE(pickCellAt(s.view, s.layout.viewLeft, p.x, p.y).cell == c);
                clickAt(program, p.x, p.y, true);
                HWND box = findMessageBox(program, 3000);
                REQUIRE(box != nullptr);
                CHECK_EQ(windowText(box), std::string("Positionsinfo:"));
                CHECK_EQ(messageBoxText(box), positionInfoText(piece, c));
                CHECK(GetDlgItem(box, 1088) != nullptr);  // the information icon
                CHECK(GetDlgItem(box, IDOK) != nullptr);
                CHECK(GetDlgItem(box, IDCANCEL) == nullptr);
                // The legend frames the piece while the box is open, and keeps it after.
                moveAside(box);
                Capture cap = captureClient(program.window);
                CHECK(frameShown(cap, s.layout, piece));
                for (int other = 0; other < pieceCount; other++)
                    if (other != piece) CHECK(!frameShown(cap, s.layout, other));
                CHECK(answerMessageBox(box, IDOK));
                settle(program);
                Sleep(60);
                cap = captureClient(program.window);
                CHECK(frameShown(cap, s.layout, piece));
            }
            // A right click beside the pictures clears the frame and shows nothing.
            const int x = s.layout.viewLeft + 3, y = viewClientHeight / 2;
            REQUIRE(!pickCellAt(s.view, s.layout.viewLeft, x, y).found);
            clickAt(program, x, y, true);
            CHECK(findMessageBox(program, 300) == nullptr);
            Sleep(60);
            const Capture cap = captureClient(program.window);
            for (int i = 0; i < pieceCount; i++) CHECK(!frameShown(cap, s.layout, i));
        }
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

SCENARIO(view_left_click_fills_the_focused_filter_field)
{
    Program program;
    if (startOnRealTable(program, "viewleft", true)) {
        typeChars(program, control(program, idSolutionNumber), "17c");
        const ViewSetup s = viewSetupFor(viewClientWidth, viewClientHeight, 1);
        HWND field = control(program, idFirstFilterField + 3 * 4 + 1);
        HWND search = control(program, idSearch);
        const ScreenPoint p = faceCentre(s.view, -1, 0, {0, 2, 1});
        // Filtering off: the click does nothing.
        clickAt(program, p.x, p.y);
        CHECK_EQ(editText(field), std::string(""));
        CHECK_EQ(windowText(search), std::string("Suchen"));

        PostMessageA(control(program, idFilterSwitch), BM_CLICK, 0, 0);
        settle(program);
        REQUIRE(IsWindowEnabled(field));
        // Clicking into the field gives it the focus, as a user would.
        PostMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        PostMessageA(field, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        settle(program);
        clickAt(program, p.x, p.y);
        CHECK_EQ(editText(field), std::string("0,2,1"));
        CHECK_EQ(windowText(search), std::string("Suchen!"));
        // The upper picture's cell (4,3,2), the same field again.
        const ScreenPoint q = faceCentre(s.view, +1, 1, {4, 3, 2});
        clickAt(program, q.x, q.y);
        CHECK_EQ(editText(field), std::string("4,3,2"));
        // Beside the pictures nothing changes.
        clickAt(program, s.layout.viewLeft + 3, viewClientHeight / 2);
        CHECK_EQ(editText(field), std::string("4,3,2"));
        // Every visible cell of both pictures, at every zoom factor, at its face's centre.
        for (int zoom : {1, 2, 3}) {
            selectZoomOf(program, zoom);
            const ViewSetup z = viewSetupFor(viewClientWidth, viewClientHeight, zoom);
            int clicked = 0;
            for (int side : {+1, -1})
                for (int face = 0; face < 3; face++)
                    for (int x = 0; x < 5; x++)
                        for (int y = 0; y < 4; y++)
                            for (int c = 0; c < 3; c++) {
                                if (!cellOnFace(side, face, {x, y, c})) continue;
                                const ScreenPoint at = faceCentre(z.view, side, face, {x, y, c});
                                clickAt(program, at.x, at.y);
                                CHECK_EQ(editText(field), coordinateText({x, y, c}));
                                clicked++;
                            }
            CHECK_EQ(clicked, 2 * (12 + 15 + 20));  // the cells of the x, y and z faces
        }
        CHECK(findMessageBox(program, 200) == nullptr);
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

namespace {

// Colours along the turn-over diagonal of row i, outside the icon's bounds.
std::set<COLORREF> diagonalColours(const Capture& cap, const Layout& l, int i)
{
    const IconBounds b0 = iconShape(legendIcons[i], 0, 0).bounds;
    const LegendRow row = legendRow(i, l.firstRowCentre, l.rowPitch, b0);
    const IconBounds b = iconShape(legendIcons[i], row.iconX, row.iconY).bounds;
    std::set<COLORREF> seen;
    for (int y = row.top + 1; y < row.bottom; y++) {
        const int x = row.markTopX + (row.markBottomX - row.markTopX) * (y - row.top) / (row.bottom - row.top);
        if (x >= b.left - 1 && x <= b.right + 1 && y >= b.top - 1 && y <= b.bottom + 1) continue;
        for (int dx = -1; dx <= 1; dx++) seen.insert(cap.at(x + dx, y));
    }
    return seen;
}

}  // namespace

SCENARIO(view_turn_over_marks_in_the_legend)
{
    Program program;
    if (startOnRealTable(program, "viewflip", true)) {
        const ViewSetup s = viewSetupFor(viewClientWidth, viewClientHeight, 1);
        Capture cap = captureClient(program.window);
        for (int i : {0, 1, 8}) CHECK(!diagonalColours(cap, s.layout, i).count(dotGap));
        commandSettled(program, idMirrorC);
        commandSettled(program, idMirrorR);
        cap = captureClient(program.window);
        for (int i : {0, 8}) {
            const std::set<COLORREF> seen = diagonalColours(cap, s.layout, i);
            CHECK(seen.count(black) == 1);
            CHECK(seen.count(dotGap) == 1);
        }
        CHECK(!diagonalColours(cap, s.layout, 1).count(dotGap));
        CHECK(!diagonalColours(cap, s.layout, 2).count(dotGap));
        checkSeparatorsAndLegend(cap, s.layout);  // the icons cover the mark inside them
        commandSettled(program, idMirrorC);
        commandSettled(program, idMirrorZ);
        cap = captureClient(program.window);
        CHECK(!diagonalColours(cap, s.layout, 0).count(dotGap));
        CHECK(diagonalColours(cap, s.layout, 1).count(dotGap) == 1);
        CHECK(diagonalColours(cap, s.layout, 8).count(dotGap) == 1);
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}
