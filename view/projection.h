// projection.h: the dimetric projection of the box onto the screen and the fixed geometry
// of both pictures built on it: axes with their labels and arrowheads, the three visible
// faces, the unit grid on them, and the visible-face filter for piece edges. Pure integer
// arithmetic (only the arrowheads use single precision); the GDI glue issues the calls.
#pragma once

#include "model/geometry.h"

struct ScreenPoint {
    int x, y;
};

constexpr bool operator==(ScreenPoint a, ScreenPoint b) { return a.x == b.x && a.y == b.y; }

// Zoom factor and the two picture origins: box corner (5,4,3) of the upper picture and box
// corner (0,0,0) of the lower one, in client coordinates.
struct ViewGeometry {
    int zoom;
    int upperX, upperY, lowerX, lowerY;
};

// The screen point of projection point (x, y, z) / d cell lengths from the box's minimum
// corner, in the upper picture (side > 0) or the lower one (side <= 0). Products are formed
// before dividing, and the divisions truncate toward zero.
ScreenPoint projectPoint(const ViewGeometry& view, int side, int x, int y, int z, int d);

// ---- axes ---------------------------------------------------------------------------------

struct AxisEnd {
    int x, y, z, d;      // end point as a projection point
    const char* label;
    int alignment;       // text alignment of the label (TA_* values)
    float direction;     // of the arrowhead, degrees counter-clockwise, screen y up
};

constexpr int arrowOpening = 22;
constexpr int arrowLength = 15;

// Axis 0 (x), 1 (y) or 2 (z) of the upper (side > 0) or the lower picture at a zoom factor.
AxisEnd axisEnd(int axis, int side, int zoom);

struct ArrowHead {
    ScreenPoint tip, p1, p2;
};

// The triangle of an arrowhead whose tip is at tip: its two back corners lie length pixels
// from the tip, opening / 2 degrees either side of the reversed direction.
ArrowHead arrowHeadAt(ScreenPoint tip, float direction, float opening, float length);

// ---- faces, grid, outline -----------------------------------------------------------------

enum BoxFace { faceX = 0, faceY = 1, faceZ = 2 };

struct FacePolygon {
    ScreenPoint points[4];
};

// The visible face (x, y or z) of a picture as four screen points starting at its origin;
// the same open polyline strokes three of the box's visible edges.
FacePolygon facePolygon(const ViewGeometry& view, int side, BoxFace face);

struct GridLine {
    ScreenPoint points[3];  // across two faces, bending at their common edge
};

constexpr int gridLineCount = 9;

// The unit grid of a picture: the two z planes, the three y planes, the four x planes.
void gridLines(const ViewGeometry& view, int side, GridLine lines[gridLineCount]);

// ---- piece edges --------------------------------------------------------------------------

// Whether the segment a-b (centred tenths, already placed) lies in one of the three face
// planes that the picture shows: x = 45, y = 35, z = 25 above; x, y or z = -5 below.
bool edgeIsVisible(int side, Cell a, Cell b);

// The screen points of a placed edge point in centred tenths.
ScreenPoint projectTenths(const ViewGeometry& view, int side, Cell p);
