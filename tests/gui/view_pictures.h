// view_pictures.h: what the dimetric view's GUI scenarios and its repaint benchmark share:
// the program started on a table of real solutions at a fixed client size, the geometry
// that the layout and projection formulas expect at a zoom factor, and the check of a
// solution's piece edges in a capture of the window.
#pragma once

#include <string>

#include "model/placement.h"
#include "shell/layout.h"
#include "tests/gui/harness.h"
#include "view/projection.h"

// Tall enough for both pictures at zoom 3.
constexpr int viewClientWidth = 1000, viewClientHeight = 940;

const COLORREF blue = RGB(0, 0, 255), gridCyan = RGB(0, 255, 255);

std::string colourText(COLORREF c);
// Whether colour c is within one pixel of (x, y).
bool colourNear(const Capture& cap, int x, int y, COLORREF c);

#define CHECK_PIXEL(cap, x, y, colour)                                                                    \
    do {                                                                                                  \
        const COLORREF got_ = (cap).at((x), (y));                                                         \
        if (got_ != (colour))                                                                             \
            recordFailure("pixel " + std::to_string(x) + "," + std::to_string(y) + " is " + colourText(got_) + \
                              ", expected " + colourText(colour),                                         \
                          __FILE__, __LINE__);                                                            \
    } while (0)

struct ViewSetup {
    Layout layout;
    ViewGeometry view;
};

// What the program's window of the given client size shows at zoom.
ViewSetup viewSetupFor(int width, int height, int zoom);

// Starts the program in a new work folder at the screen's corner with the fixed client size;
// with table, on the first real solutions (so that it has a solution 17), else on an empty
// table (a missing one would start the solver).
bool startOnRealTable(Program& program, const char* tag, bool table);

// Chooses zoom factor 1..3 from the menu and waits for the repaint.
void selectZoomOf(Program& program, int zoom);

// Checks every inner grid edge of the visible faces of picture side (+1 upper, -1 lower): a
// 3-pixel piece edge where two pieces meet, the thin grid line where one piece continues.
// Returns how many edges were checked.
int checkPieceEdges(const Capture& cap, const SolutionRecord& r, int variant, FlipOptions flips,
                    const ViewGeometry& v, int side);
