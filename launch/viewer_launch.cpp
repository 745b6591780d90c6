// viewer_launch.cpp: the placement file's path and text and the viewer's command line.
#include "launch/viewer_launch.h"

PlacementExport preparePlacementExport(const CurrentSolution& solution, FlipOptions flips)
{
    if (!solution.loaded) return {false, "", ""};
    return {true, placementFileName(solution.number, solution.variant),
            placementFileText(solution, flips)};
}

std::string viewerCommandLine(const std::string& fieldText, const std::string& path)
{
    std::string line = fieldText.substr(0, fieldText.find('\0'));
    if (line.size() > size_t(viewerCommandReadLimit)) line.resize(viewerCommandReadLimit);
    line += ' ';
    line += path;
    // The path is at most 37 characters, so this cut never touches it in practice.
    if (line.size() > size_t(viewerCommandLineLimit)) line.resize(viewerCommandLineLimit);
    return line;
}

std::string exportFailureText(const std::string& path)
{
    return "Datei '" + path + "' konnte nicht angelegt werden!";
}
