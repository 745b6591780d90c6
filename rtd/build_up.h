// build_up.h: the build-up mode over time. Its state is how many moves of the plan are
// done and the slide that is running, if any; every question about it takes the time, in
// seconds on the caller's clock, as an argument. One step forward slides that move's
// solids from where they stand to where it takes them, one step back slides them home,
// each in slideSeconds; other changes jump. The view is fitted to the box, the current
// move's path and the solids brought in (not every path so far), and eases from one fit to
// the next during a slide instead of jumping.
#pragma once

#include <vector>

#include "rtd/build_up_plan.h"
#include "rtd/camera.h"

constexpr double slideSeconds = 0.3;

struct BuildUp {
    int count = -1;         // moves done; -1: the mode is off
    int slideFrom = -1;     // the count the running slide started from; -1: none
    double slideBegins = 0;
};

// Page Down (+1) and Page Up (-1). Page Down starts the mode from no move done, Page Up
// from all of them done; a step within the plan starts its slide at now (where the plan's
// moves travel).
void stepBuildUp(BuildUp& b, const BuildUpPlan& plan, int direction, double now);
// To this count at once (clamped to the plan; below 0 ends the mode).
void jumpBuildUp(BuildUp& b, const BuildUpPlan& plan, int count);
bool slideRunning(const BuildUp& b, double now);
// Forgets a slide that has ended; true when there was one.
bool endSlide(BuildUp& b, double now);

// Where the solids stand at time now, and which the build-up lets be drawn (all of them,
// at their places, while the mode is off). A solid on its way out is drawn until it is out.
BuildUpPlacement buildUpAt(const BuildUp& b, const BuildUpPlan& plan, size_t solidCount, double now);

// The sphere the view is fitted to: around box (the scene as it is drawn outside the
// build-up), the path of the move done last and the solids brought in.
Fit buildUpFit(const BuildUp& b, const BuildUpPlan& plan, const std::vector<Box>& solidBoxes, const Box& box,
               double now);
