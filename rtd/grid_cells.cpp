// grid_cells.cpp: finding the grid and each solid's cells.
#include "rtd/grid_cells.h"

#include <algorithm>
#include <cmath>

#include "rtd/scene.h"

namespace {

double axisOf(Vec3 v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

// The distinct values among sorted ones, values closer than tolerance taken as one.
std::vector<double> distinct(std::vector<double> values, double tolerance)
{
    std::sort(values.begin(), values.end());
    std::vector<double> out;
    for (double v : values)
        if (out.empty() || v - out.back() > tolerance) out.push_back(v);
    return out;
}

// The axis a flat triangle faces (0, 1, 2), -1 for a slanted one, -2 for one without area.
int facingAxis(const SlpTriangle& t)
{
    const Vec3 n = cross(t.corner[1] - t.corner[0], t.corner[2] - t.corner[0]);
    const double a[3] = {std::fabs(n.x), std::fabs(n.y), std::fabs(n.z)};
    const double biggest = std::max({a[0], a[1], a[2]});
    if (biggest < 1e-12) return -2;
    int axis = -1;
    for (int k = 0; k < 3; k++) {
        if (a[k] == biggest) axis = k;
        else if (a[k] > 1e-9 * biggest) return -1;
    }
    return axis;
}

// Whether the ray from p along +x crosses the triangle (which faces x). The point never
// lies on an edge: the caller moves it off the cell's centre by odd fractions of a cell.
bool crossesAlongX(const SlpTriangle& t, Vec3 p)
{
    if (t.corner[0].x <= p.x) return false;
    double side[3];
    for (int k = 0; k < 3; k++) {
        const Vec3 a = t.corner[k], b = t.corner[(k + 1) % 3];
        side[k] = (b.y - a.y) * (p.z - a.z) - (b.z - a.z) * (p.y - a.y);
    }
    return (side[0] > 0 && side[1] > 0 && side[2] > 0) || (side[0] < 0 && side[1] < 0 && side[2] < 0);
}

// Six times the signed volume that the triangles enclose.
double volume6(const SlpSolid& solid)
{
    double v = 0;
    for (const SlpTriangle& t : solid.triangles) v += dot(t.corner[0], cross(t.corner[1], t.corner[2]));
    return v;
}

SceneGrid refuse(SceneGrid grid, GridStatus status)
{
    grid.status = status;
    grid.cells.clear();
    return grid;
}

}  // namespace

SceneGrid findSceneGrid(const std::vector<SlpSolid>& solids)
{
    SceneGrid grid = {GridStatus::noSolids, {0, 0, 0}, 0, {0, 0, 0}, {}};
    const Box bounds = sceneBounds(solids);
    if (solids.empty() || bounds.empty) return grid;
    const Vec3 extent = bounds.max - bounds.min;
    const double largest = std::max({extent.x, extent.y, extent.z, std::fabs(bounds.min.x), std::fabs(bounds.min.y),
                                     std::fabs(bounds.min.z), std::fabs(bounds.max.x), std::fabs(bounds.max.y),
                                     std::fabs(bounds.max.z)});
    // Corners written by different facets agree to the digits printed.
    const double tolerance = 1e-5 * std::max(1.0, largest);
    grid.origin = bounds.min;

    // The edge of a cell: the smallest step between two planes in which faces lie, on any
    // axis. Only the planes count: a face split into smaller triangles has corners inside
    // it (at half cells, say) that bound nothing.
    std::vector<double> values[3];
    for (const SlpSolid& solid : solids)
        for (const SlpTriangle& t : solid.triangles) {
            const int axis = facingAxis(t);
            if (axis == -1) return refuse(grid, GridStatus::offGrid);
            if (axis >= 0) values[axis].push_back(axisOf(t.corner[0], axis));
        }
    double edge = 0;
    for (int axis = 0; axis < 3; axis++) {
        values[axis].push_back(axisOf(bounds.min, axis));
        values[axis].push_back(axisOf(bounds.max, axis));
        values[axis] = distinct(std::move(values[axis]), tolerance);
        for (size_t i = 1; i < values[axis].size(); i++) {
            const double step = values[axis][i] - values[axis][i - 1];
            if (edge == 0 || step < edge) edge = step;
        }
    }
    if (edge < 100 * tolerance) return refuse(grid, GridStatus::offGrid);
    grid.cellSize = edge;

    int count[3];
    for (int axis = 0; axis < 3; axis++) {
        const double low = axisOf(bounds.min, axis);
        for (double v : values[axis]) {
            const double k = (v - low) / edge;
            if (std::fabs(k - std::round(k)) > 1e-3) return refuse(grid, GridStatus::offGrid);
        }
        count[axis] = int(std::lround((axisOf(bounds.max, axis) - low) / edge));
        if (count[axis] < 1) return refuse(grid, GridStatus::offGrid);
    }
    grid.size = {count[0], count[1], count[2]};
    if (long(count[0]) * count[1] * count[2] > maxAssemblyCells) return refuse(grid, GridStatus::tooLarge);

    // Odd fractions of a cell keep the test point off every edge and face diagonal.
    const Vec3 inCell = {0.5 + 0.0731, 0.5 + 0.1189, 0.5 + 0.1537};
    for (const SlpSolid& solid : solids) {
        const Box own = solidBounds(solid);
        // A solid without triangles fills no cell; the plan leaves it out.
        if (own.empty) {
            grid.cells.emplace_back();
            continue;
        }
        std::vector<const SlpTriangle*> facingX;
        for (const SlpTriangle& t : solid.triangles)
            if (facingAxis(t) == 0) facingX.push_back(&t);
        std::vector<GridCell> cells;
        Box covered = emptyBox;
        for (int z = 0; z < count[2]; z++)
            for (int y = 0; y < count[1]; y++)
                for (int x = 0; x < count[0]; x++) {
                    const Vec3 p = grid.origin + Vec3{x + inCell.x, y + inCell.y, z + inCell.z} * edge;
                    if (p.x < own.min.x || p.x > own.max.x || p.y < own.min.y || p.y > own.max.y ||
                        p.z < own.min.z || p.z > own.max.z)
                        continue;
                    int crossings = 0;
                    for (const SlpTriangle* t : facingX) crossings += crossesAlongX(*t, p);
                    if (crossings % 2 == 0) continue;
                    cells.push_back({x, y, z});
                    const Vec3 low = grid.origin + Vec3{double(x), double(y), double(z)} * edge;
                    grow(covered, low);
                    grow(covered, low + Vec3{edge, edge, edge});
                }
        // The cells must be the solid: its volume and its bounds.
        const double cellVolume = edge * edge * edge;
        if (cells.empty() || std::fabs(std::fabs(volume6(solid)) / 6 - double(cells.size()) * cellVolume) > 0.01 * cellVolume)
            return refuse(grid, GridStatus::offGrid);
        const double slack = 1e-3 * edge;
        const Vec3 dLow = covered.min - own.min, dHigh = covered.max - own.max;
        for (double d : {dLow.x, dLow.y, dLow.z, dHigh.x, dHigh.y, dHigh.z})
            if (std::fabs(d) > slack) return refuse(grid, GridStatus::offGrid);
        grid.cells.push_back(std::move(cells));
    }
    grid.status = GridStatus::onGrid;
    return grid;
}
