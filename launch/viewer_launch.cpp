// viewer_launch.cpp: the placement file's path and text and the viewer's command line.
#include "launch/viewer_launch.h"

PlacementExport preparePlacementExport(const CurrentSolution& solution, FlipOptions flips)
{
    if (!solution.loaded) return {false, "", ""};
    return {true, placementFileName(solution.number, solution.variant),
            placementFileText(solution, flips)};
}

bool viewerCommandLine(const std::string& fieldText, const std::string& path, std::string& line)
{
    line = fieldText.substr(0, fieldText.find('\0'));
    if (line.size() > size_t(viewerCommandReadLimit)) return false;
    line += ' ';
    line += path;
    // The path is at most 37 characters, so only an unusual caller's path fails here.
    return line.size() <= size_t(viewerCommandLineLimit);
}

std::string exportFailureText(const std::string& path)
{
    return "Datei '" + path + "' konnte nicht angelegt werden!";
}
