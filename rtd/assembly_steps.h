// assembly_steps.h: the build-up mode's steps. Where the solids lie on a grid, the order
// is the assembly plan's, in which the real pieces go together: each step's solid slides
// in along one axis from outside the box to its place. The plan is made twice, free (from
// any side) and box (into the box open at the top of the start view). Where no plan
// exists the steps say which solids interlock and fall back to the bottom-up order; files
// whose solids are not on a grid keep that order and nothing else changes for them.
// Also here: the slide of one solid over time, the bounds the view is fitted to, and the
// status line of a step.
#pragma once

#include <string>
#include <vector>

#include "assembly/assembly.h"
#include "rtd/scene.h"
#include "rtd/texts.h"

struct BuildUpSteps {
    std::vector<int> order;        // the solids in the order they come in
    std::vector<Vec3> start;       // per step: its solid's offset where the slide starts;
                                   // empty when the solids just appear (no plan)
    std::vector<BoxFace> from;     // per step, with start: the side it comes in from
    std::vector<int> interlocked;  // no plan: the solids that lock each other
};

struct BuildUpPlans {
    bool onGrid;
    BuildUpSteps free, box;
};

constexpr BoxFace boxOpenFace = BoxFace::top;

BuildUpPlans planBuildUp(const std::vector<SlpSolid>& solids);
const BuildUpSteps& stepsFor(const BuildUpPlans& plans, bool boxMode);
inline bool followsPlan(const BuildUpSteps& steps) { return !steps.start.empty(); }

// The line the caption shows for the build-up after count steps (count < 0: mode off, ""):
// "Teil 5 von 12: Baustein 7 von oben" along a plan, else "Aufbau 5 von 12", then which
// solids interlock where no plan exists.
std::string buildUpStatus(Language language, const BuildUpSteps& steps, int count);

// One solid sliding in or out, timed in seconds on the caller's clock.
constexpr double slideSeconds = 0.3;
struct Slide {
    int solid;       // -1: nothing moves
    Vec3 start;      // the offset outside the box
    bool entering;   // in: from start to its place; out: from its place to start
    double beginsAt;
};
constexpr Slide noSlide = {-1, {0, 0, 0}, false, 0};

// The slide that a build-up change from count before to after starts at time now: one
// step forward brings that step's solid in, one step back takes it out; no slide for
// other changes or without a plan. A count below 0 (mode off) counts as 0.
Slide slideForStep(const BuildUpSteps& steps, int before, int after, double now);
bool slideRunning(const Slide& slide, double now);
// The sliding solid's offset at time now, eased so that it starts and stops gently.
Vec3 slideOffset(const Slide& slide, double now);
// Adds the slide to the solids' offsets (when offsets is not null) and keeps a solid that
// is on its way out drawn until it is out, unless it is hidden (when drawn is not null).
void applySlide(const Slide& slide, double now, const std::vector<bool>& shown, std::vector<Vec3>* offsets,
                std::vector<bool>* drawn);

// The problem with --step K for a build-up of lastStep steps; "" when there is none (K
// below 0 stands for no --step).
std::string stepProblemText(Language language, int step, int lastStep);

// The bounds the view is fitted to: every solid at its offset and, while building up
// along a plan (steps not null), also where each slide starts, so that the camera stays
// put through the whole build-up.
Box viewBounds(const std::vector<SlpSolid>& solids, const std::vector<Vec3>& offsets, const BuildUpSteps* steps);
