// legend.cpp: walking an icon list into polygons, and the place of each legend row.
#include "view/legend.h"

IconShape iconShape(const int32_t* list, int ox, int oy)
{
    IconShape shape = {};
    bool hasPoints = false;
    int fill = -1;
    IconPolygon* open = nullptr;  // the polygon that points go into
    for (int k = 0; list && list[k] < END_OF_LIST;) {
        if (list[k] >= iconWhite) {
            if (list[k] <= iconCyan) fill = list[k] - iconWhite;
            open = nullptr;
            k++;
            continue;
        }
        if (list[k + 1] >= iconWhite) {
            // A lone value before a code or the end is no point; a broken list must not
            // make a marker its y.
            k++;
            continue;
        }
        const int x = ox + list[k], y = oy - list[k + 1];
        k += 2;
        if (!hasPoints) shape.bounds = {x, y, x, y};
        hasPoints = true;
        if (x < shape.bounds.left) shape.bounds.left = x;
        if (x > shape.bounds.right) shape.bounds.right = x;
        if (y < shape.bounds.top) shape.bounds.top = y;
        if (y > shape.bounds.bottom) shape.bounds.bottom = y;
        if (!open && shape.polygonCount < maxIconPolygons) {
            open = &shape.polygons[shape.polygonCount++];
            open->fill = fill;
        }
        if (open && open->count < maxIconPolygonPoints) {
            open->x[open->count] = x;
            open->y[open->count] = y;
            open->count++;
        }
    }
    return shape;
}

LegendRow legendRow(int index, int firstRowCentre, int rowPitch, IconBounds b)
{
    const int cy = firstRowCentre + index * rowPitch;
    const int h = rowPitch / 2;
    const int w = 4 * rowPitch / 7;
    LegendRow row = {cy, cy - h, cy + h, 30 + w, 30 - w, 0, 0};
    row.iconX = (legendWidth - b.right + b.left) / 2;
    row.iconY = cy + (b.bottom - b.top) / 2;
    return row;
}
