// build_up.cpp: steps, slides and the view's fit of the build-up mode.
#include "rtd/build_up.h"

#include <algorithm>

namespace {

// 0 at the slide's start to 1 at its end, eased so that it starts and stops gently; 1 when
// no slide runs.
double slideProgress(const BuildUp& b, double now)
{
    if (b.slideFrom < 0) return 1;
    const double u = std::clamp((now - b.slideBegins) / slideSeconds, 0.0, 1.0);
    return u * u * (3 - 2 * u);
}

// The box, the last move's path, and the solids brought in where they stand: some wait
// above the rim, or are put together outside the box.
Fit restingFit(const BuildUpPlan& plan, const std::vector<Box>& solidBoxes, Box box, int count)
{
    grow(box, movePath(plan, solidBoxes, count - 1));
    const BuildUpPlacement p = placementAfter(plan, count);
    for (size_t i = 0; i < solidBoxes.size() && i < p.in.size(); i++)
        if (p.in[i]) grow(box, shifted(solidBoxes[i], p.offsets[i]));
    return fitToBounds(box);
}

}  // namespace

void stepBuildUp(BuildUp& b, const BuildUpPlan& plan, int direction, double now)
{
    const int n = int(plan.moves.size());
    int from = b.count;
    if (from < 0) from = direction > 0 ? 0 : n;
    const int to = std::clamp(from + (direction > 0 ? 1 : -1), 0, n);
    b.count = to;
    b.slideFrom = -1;
    if (to != from && movesTravel(plan)) {
        b.slideFrom = from;
        b.slideBegins = now;
    }
}

void jumpBuildUp(BuildUp& b, const BuildUpPlan& plan, int count)
{
    b.count = count < 0 ? -1 : std::min(count, int(plan.moves.size()));
    b.slideFrom = -1;
}

bool slideRunning(const BuildUp& b, double now) { return b.slideFrom >= 0 && now - b.slideBegins < slideSeconds; }

bool endSlide(BuildUp& b, double now)
{
    if (b.slideFrom < 0 || slideRunning(b, now)) return false;
    b.slideFrom = -1;
    return true;
}

BuildUpPlacement buildUpAt(const BuildUp& b, const BuildUpPlan& plan, size_t solidCount, double now)
{
    if (b.count < 0) return {std::vector<Vec3>(solidCount, Vec3{0, 0, 0}), std::vector<bool>(solidCount, true)};
    const double u = slideProgress(b, now);
    if (u >= 1) return placementAfter(plan, b.count);
    // The move between the two counts, done forward by u or taken back by u.
    const bool forward = b.count > b.slideFrom;
    const int move = std::min(b.count, b.slideFrom);
    BuildUpPlacement p = placementAfter(plan, move + 1);
    const BuildUpMove& m = plan.moves[size_t(move)];
    const double back = forward ? 1 - u : u;
    for (int solid : m.solids)
        if (solid >= 0 && size_t(solid) < p.offsets.size())
            p.offsets[size_t(solid)] = p.offsets[size_t(solid)] - m.shift * back;
    return p;
}

Fit buildUpFit(const BuildUp& b, const BuildUpPlan& plan, const std::vector<Box>& solidBoxes, const Box& box,
               double now)
{
    if (b.count < 0) return fitToBounds(box);
    const Fit to = restingFit(plan, solidBoxes, box, b.count);
    const double u = slideProgress(b, now);
    if (u >= 1) return to;
    const Fit from = restingFit(plan, solidBoxes, box, b.slideFrom);
    return {from.centre + (to.centre - from.centre) * u, from.radius + (to.radius - from.radius) * u};
}
