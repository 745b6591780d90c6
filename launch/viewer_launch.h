// viewer_launch.h: what START hands to the 3-D viewer: the placement file's path and text
// for the shown solution, and the command line that runs the viewer command on it.
#pragma once

#include <string>

#include "launch/placement_file.h"

// The viewer command field is read into 260 bytes, the command line formed in 520.
constexpr int viewerCommandReadLimit = 259;
constexpr int viewerCommandLineLimit = 519;

struct PlacementExport {
    bool wanted;       // a solution is loaded; without one START does nothing at all
    std::string path;  // relative to the current folder, below the folder "loesungen"
    std::string text;  // the lines, each ending in "\n" (a text-mode stream adds the CR)
};

constexpr const char placementFolder[] = "loesungen";

PlacementExport preparePlacementExport(const CurrentSolution& solution, FlipOptions flips);

// The field's text (at most its first 259 characters), a blank and the path.
std::string viewerCommandLine(const std::string& fieldText, const std::string& path);

// "Datei '%s' konnte nicht angelegt werden!" with the path.
std::string exportFailureText(const std::string& path);
