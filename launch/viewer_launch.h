// viewer_launch.h: what START hands to the 3-D viewer: the placement file's path and text
// for the shown solution, and the command line that runs the viewer command on it.
#pragma once

#include <string>

#include "launch/placement_file.h"

// The viewer command field holds at most 259 characters for a start, the command line
// at most 519.
constexpr int viewerCommandReadLimit = 259;
constexpr int viewerCommandLineLimit = 519;

struct PlacementExport {
    bool wanted;       // a solution is loaded; without one START does nothing at all
    std::string path;  // relative to the current folder, below the folder "loesungen"
    std::string text;  // the lines, each ending in "\n" (a text-mode stream adds the CR)
};

constexpr const char placementFolder[] = "loesungen";

PlacementExport preparePlacementExport(const CurrentSolution& solution, FlipOptions flips);

// The field's text, a blank and the path. False when the text is longer than 259
// characters or the line longer than 519: such a command is not started at all, as one
// that cannot be started, since cut short it could be another command (a lost "-L-" at
// its end would start a viewer that was not asked for).
bool viewerCommandLine(const std::string& fieldText, const std::string& path, std::string& line);

// "Datei '%s' konnte nicht angelegt werden!" with the path.
std::string exportFailureText(const std::string& path);
