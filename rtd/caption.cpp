// caption.cpp: problem lines and the caption.
#include "rtd/caption.h"

#include <cstdio>

std::string problemTextFor(Language language, const Options& options, const SlpScene& scene)
{
    std::string out;
    char line[600];
    const char* option = options.badOption.c_str();
    switch (options.problem) {
    case OptionProblem::none: break;
    case OptionProblem::unknown:
        std::snprintf(line, sizeof line, text(language, Text::badOption), option);
        out = line;
        break;
    case OptionProblem::needsNumber:
        std::snprintf(line, sizeof line, text(language, Text::optionNeedsNumber), option, options.low, options.high);
        out = line;
        break;
    case OptionProblem::needsName:
        std::snprintf(line, sizeof line, text(language, Text::optionNeedsName), option);
        out = line;
        break;
    }
    if (options.fileName.empty()) {
        if (!out.empty()) out += '\n';
        out += text(language, Text::noFileGiven);
    }
    const std::string step =
        sceneIsEmpty(scene) ? "" : stepProblemText(language, options.buildUpStep, int(scene.solids.size()));
    if (!step.empty()) {
        if (!out.empty()) out += '\n';
        out += step;
    }
    const std::string problems = describeProblems(language, scene, options.fileName);
    if (!problems.empty()) {
        if (!out.empty()) out += '\n';
        out += problems;
    }
    return out;
}

std::string captionFor(const ViewState& view, const std::string& fileName, int solidCount,
                       const std::string& problemText, const BuildUpSteps* steps)
{
    std::string caption = text(view.language, Text::caption);
    if (!fileName.empty()) caption += " - " + fileName;
    if (steps && view.visibility.buildUpCount >= 0) {
        caption += " - " + buildUpStatus(view.language, *steps, view.visibility.buildUpCount);
    } else if (view.visibility.buildUpCount >= 0) {
        char line[100];
        std::snprintf(line, sizeof line, text(view.language, Text::buildUpStatus), view.visibility.buildUpCount,
                      solidCount);
        caption += std::string(" - ") + line;
    }
    const std::string first = problemText.substr(0, problemText.find('\n'));
    if (!first.empty()) caption += " - " + first;
    if (!view.statusText.empty()) caption += " - " + view.statusText;
    return caption;
}
