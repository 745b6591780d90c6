// options.cpp: the command line, read through a table of its options.
#include "rtd/options.h"

namespace {

enum class OptionKind { flag, number, word };

// One option of the command line; a new option is one more line of the table below.
struct OptionRule {
    const char* name;
    OptionKind kind;
    bool Options::*flag;  // set to flagValue
    bool flagValue;
    int Options::*number;  // a whole number from low to high
    int low, high;
    std::string Options::*word;  // the next argument, a file name
    bool batch;                  // asks for one picture without a window
};

constexpr OptionRule flagOption(const char* name, bool Options::*field, bool value)
{
    return {name, OptionKind::flag, field, value, nullptr, 0, 0, nullptr, false};
}

constexpr OptionRule numberOption(const char* name, int Options::*field, int low, int high)
{
    return {name, OptionKind::number, nullptr, false, field, low, high, nullptr, false};
}

constexpr OptionRule wordOption(const char* name, std::string Options::*field, bool batch)
{
    return {name, OptionKind::word, nullptr, false, nullptr, 0, 0, field, batch};
}

constexpr OptionRule rules[] = {
    wordOption("-o", &Options::pictureName, true),
    numberOption("-w", &Options::width, 1, maxPictureSide),
    numberOption("-h", &Options::height, 1, maxPictureSide),
    numberOption("-bench", &Options::benchFrames, 1, maxBenchFrames),
    numberOption("--step", &Options::buildUpStep, 0, maxBuildUpStep),
    flagOption("-flat", &Options::flat, true),
    flagOption("-noedges", &Options::edges, false),
    flagOption("--box", &Options::box, true),
};

const OptionRule* findRule(const std::string& word)
{
    for (const OptionRule& rule : rules)
        if (word == rule.name) return &rule;
    return nullptr;
}

// Digits only, no sign, no blanks, within low..high.
bool readCount(const std::string& word, int low, int high, int& value)
{
    if (word.empty() || word.size() > 9) return false;
    long v = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < low || v > high) return false;
    value = int(v);
    return true;
}

void noteProblem(Options& o, OptionProblem problem, const OptionRule& rule)
{
    if (o.problem != OptionProblem::none) return;  // the first one counts
    o.problem = problem;
    o.badOption = rule.name;
    o.low = rule.low;
    o.high = rule.high;
}

// Applies the rule to the option at i, moving i past the value it takes. A number option
// takes the next argument even when it is no number, so that it never becomes the file
// name; a word starting with '-' is left for the next option.
void takeOption(const OptionRule& rule, const std::vector<std::string>& args, size_t& i, Options& o)
{
    const bool hasNext = i + 1 < args.size();
    switch (rule.kind) {
    case OptionKind::flag: o.*rule.flag = rule.flagValue; return;
    case OptionKind::number:
        if (!hasNext || !readCount(args[++i], rule.low, rule.high, o.*rule.number))
            noteProblem(o, OptionProblem::needsNumber, rule);
        return;
    case OptionKind::word: {
        o.batch = o.batch || rule.batch;
        const std::string next = hasNext ? args[i + 1] : "";
        if (!hasNext || (next.size() > 1 && next[0] == '-')) {
            noteProblem(o, OptionProblem::needsName, rule);
            return;
        }
        i++;
        if (next.empty()) noteProblem(o, OptionProblem::needsName, rule);
        o.*rule.word = next;
        return;
    }
    }
}

}  // namespace

Options parseOptions(const std::vector<std::string>& args)
{
    Options o;
    for (size_t i = 0; i < args.size(); i++) {
        const std::string& a = args[i];
        const OptionRule* rule = findRule(a);
        if (rule)
            takeOption(*rule, args, i, o);
        else if (!o.fileName.empty())
            o.fileName += " " + a;
        else if (a.size() > 1 && a[0] == '-') {
            if (o.problem == OptionProblem::none) {
                o.problem = OptionProblem::unknown;
                o.badOption = a;
            }
        } else
            o.fileName = a;
    }
    return o;
}
