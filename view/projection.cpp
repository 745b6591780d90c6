// projection.cpp: projection, axes, faces and grid of the two dimetric pictures.
#include "view/projection.h"

#include <cmath>

ScreenPoint projectPoint(const ViewGeometry& view, int side, int x, int y, int z, int d)
{
    const int s = view.zoom;
    if (side > 0)
        return {view.upperX - 93 * s + ((24 * x - 9 * z) * s) / d,
                view.upperY + 57 * s + ((3 * x - 24 * y + 8 * z) * s) / d};
    return {view.lowerX + ((24 * x - 9 * z) * s) / d, view.lowerY + ((24 * y - 3 * x - 8 * z) * s) / d};
}

ScreenPoint projectTenths(const ViewGeometry& view, int side, Cell p)
{
    return projectPoint(view, side, p.x + 5, p.y + 5, p.z + 5, 10);
}

AxisEnd axisEnd(int axis, int side, int zoom)
{
    const bool upper = side > 0;
    const float sign = upper ? 1.0f : -1.0f;
    const int d = 10 * zoom;
    switch (axis) {
    case 0: return {50 * zoom + 10, 0, 0, d, " x", 24, sign * -7.125f};
    case 1: return {0, 40 * zoom + 10, 0, d, "y", upper ? 14 : 6, sign * 90.0f};
    default: return {0, 0, 30 * zoom + 15, d, "z", upper ? 2 : 10, sign * -138.3665f};
    }
}

ArrowHead arrowHeadAt(ScreenPoint tip, float direction, float opening, float length)
{
    const float pi = 3.14159265358979f;
    const float t1 = (direction + 180.0f + 0.5f * opening) * pi * (1.0f / 180.0f);
    const float t2 = (direction + 180.0f - 0.5f * opening) * pi * (1.0f / 180.0f);
    const ScreenPoint p1 = {tip.x + int(std::floor(std::cos(t1) * length + 0.5f)),
                            tip.y - int(std::floor(std::sin(t1) * length + 0.5f))};
    const ScreenPoint p2 = {tip.x + int(std::floor(std::cos(t2) * length + 0.5f)),
                            tip.y - int(std::floor(std::sin(t2) * length + 0.5f))};
    return {tip, p1, p2};
}

FacePolygon facePolygon(const ViewGeometry& view, int side, BoxFace face)
{
    const bool upper = side > 0;
    const int s = view.zoom;
    const int i = upper ? 1 : -1;
    const int ox = upper ? view.upperX : view.lowerX;
    const int oy = upper ? view.upperY : view.lowerY;
    switch (face) {
    case faceX:
        return {{{ox, oy}, {ox, oy + 96 * s}, {ox + 27 * i * s, oy + 72 * s}, {ox + 27 * i * s, oy - 24 * s}}};
    case faceY:
        return {{{ox, oy},
                 {ox + 27 * i * s, oy - 24 * s},
                 {ox - 93 * i * s, oy - 39 * s},
                 {ox - 120 * i * s, oy - 15 * s}}};
    default:
        return {{{ox, oy}, {ox - 120 * i * s, oy - 15 * s}, {ox - 120 * i * s, oy + 81 * s}, {ox, oy + 96 * s}}};
    }
}

void gridLines(const ViewGeometry& view, int side, GridLine lines[gridLineCount])
{
    const bool upper = side > 0;
    const int s = view.zoom;
    const int i = upper ? 1 : -1;
    const int ox = upper ? view.upperX : view.lowerX;
    const int oy = upper ? view.upperY : view.lowerY;
    int n = 0;
    for (int j = 1; j <= 2; j++)
        lines[n++] = {{{ox + 9 * j * s * i, oy + (96 - 8 * j) * s},
                       {ox + 9 * j * s * i, oy - 8 * j * s},
                       {ox + (9 * j - 120) * s * i, oy - (8 * j + 15) * s}}};
    for (int j = 1; j <= 3; j++)
        lines[n++] = {{{ox - 120 * s * i, oy + (24 * j - 15) * s},
                       {ox, oy + 24 * j * s},
                       {ox + 27 * s * i, oy + (24 * j - 24) * s}}};
    for (int j = 1; j <= 4; j++)
        lines[n++] = {{{ox - 24 * j * s * i, oy + (96 - 3 * j) * s},
                       {ox - 24 * j * s * i, oy - 3 * j * s},
                       {ox + (27 - 24 * j) * s * i, oy - (3 * j + 24) * s}}};
}

bool edgeIsVisible(int side, Cell a, Cell b)
{
    if (side > 0) return (a.x == 45 && b.x == 45) || (a.y == 35 && b.y == 35) || (a.z == 25 && b.z == 25);
    return (a.x == -5 && b.x == -5) || (a.y == -5 && b.y == -5) || (a.z == -5 && b.z == -5);
}
