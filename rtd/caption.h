// caption.h: the texts the window shows about itself: the problems with the call and the
// file (in the window's own area, never in a box that would wait for an answer); the
// build-up's line, which says the step and the mode, and its note on interlocked solids;
// and the caption, which repeats the build-up's line and the first problem where a task
// list shows them. The caption stays short: what is longer goes into the window's area.
#pragma once

#include <string>

#include "rtd/build_up_plan.h"
#include "rtd/options.h"
#include "rtd/slp.h"

// Every problem, one a line: the command line's, then the file's; "" when none. stepCount
// is the number of the build-up's steps, which --step is checked against.
std::string problemTextFor(Language language, const Options& options, const SlpScene& scene, int stepCount);

// The problem with --step K for a build-up of lastStep steps; "" when there is none (K
// below 0 stands for no --step).
std::string stepProblemText(Language language, int step, int lastStep);

// The build-up after count moves of the plan (count < 0: the mode is off, ""): "Teil 5 von
// 12: Baustein 7 von oben" along a straight plan, "Schritt 7 von 19: Baustein 4 eine Zelle
// nach links" along a packing plan, else "Aufbau 5 von 12"; then the mode.
std::string buildUpStatus(Language language, const BuildUpPlan& plan, int count, bool boxMode);
// Which solids interlock where no plan exists, or that the packing plan reached its bound,
// while the build-up is on; else "".
std::string buildUpNote(Language language, const BuildUpPlan& plan, int count);

struct CaptionParts {
    Language language;
    std::string fileName;
    std::string buildUpLine;  // "" when the mode is off
    std::string problems;     // its first line goes in
    std::string statusText;   // the last action's note
};
std::string captionFor(const CaptionParts& parts);
