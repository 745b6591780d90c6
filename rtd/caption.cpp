// caption.cpp: problem lines, the build-up's line and note, and the caption.
#include "rtd/caption.h"

#include <cstdio>

namespace {

void addLine(std::string& out, const std::string& line)
{
    if (line.empty()) return;
    if (!out.empty()) out += '\n';
    out += line;
}

}  // namespace

std::string problemTextFor(Language language, const Options& options, const SlpScene& scene, int stepCount)
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
    if (options.fileName.empty()) addLine(out, text(language, Text::noFileGiven));
    if (!sceneIsEmpty(scene)) addLine(out, stepProblemText(language, options.buildUpStep, stepCount));
    addLine(out, describeProblems(language, scene, options.fileName));
    return out;
}

std::string stepProblemText(Language language, int step, int lastStep)
{
    if (step < 0 || step <= lastStep) return "";
    char line[200];
    std::snprintf(line, sizeof line, text(language, Text::stepOutOfRange), step, lastStep);
    return line;
}

std::string buildUpStatus(Language language, const BuildUpPlan& plan, int count, bool boxMode)
{
    if (count < 0) return "";
    const int total = int(plan.moves.size());
    char line[300];
    const std::string& caption =
        count >= 1 && count <= total ? plan.moves[size_t(count - 1)].caption[size_t(language)] : std::string();
    if (!caption.empty())
        std::snprintf(line, sizeof line, text(language, plan.cellSteps ? Text::moveStepStatus : Text::planStepStatus),
                      count, total, caption.c_str());
    else
        std::snprintf(line, sizeof line, text(language, Text::buildUpStatus), count, total);
    return line + std::string(text(language, boxMode ? Text::buildUpIntoBox : Text::buildUpFree));
}

std::string buildUpNote(Language language, const BuildUpPlan& plan, int count)
{
    if (count < 0) return "";
    if (plan.boundReached > 0) {
        char line[300];
        std::snprintf(line, sizeof line, text(language, Text::boundReachedNote), (unsigned long)plan.boundReached);
        return line;
    }
    if (plan.interlocked.empty()) return "";
    std::string names;
    for (int solid : plan.interlocked) names += (names.empty() ? "" : ", ") + std::to_string(solid + 1);
    std::string note(names.size() + 200, '\0');
    note.resize(size_t(std::snprintf(&note[0], note.size(), text(language, Text::interlockedSolids), names.c_str())));
    return note;
}

std::string captionFor(const CaptionParts& parts)
{
    std::string caption = text(parts.language, Text::caption);
    for (const std::string& part : {parts.fileName, parts.buildUpLine, parts.problems.substr(0, parts.problems.find('\n')),
                                    parts.statusText})
        if (!part.empty()) caption += " - " + part;
    return caption;
}
