// command_line.cpp: argument parsing.
#include "solver/command_line.h"

#include <cstring>

#include "model/solution_table.h"
#include "solver/messages.h"

// A whole decimal number 1..maxThreads, nothing else.
static bool parseThreadCount(const char* text, int& threads)
{
    if (!text || !*text) return false;
    long value = 0;
    for (const char* c = text; *c; c++) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + (*c - '0');
        if (value > maxThreads) return false;
    }
    if (value < 1) return false;
    threads = int(value);
    return true;
}

Options parseCommandLine(int argc, const char* const* argv, int defaultThreads)
{
    Options options = {RunMode::solve, defaultThreads, solutionTableName, ""};
    bool threadsGiven = false;
    auto invalid = [&](const std::string& why) {
        options.mode = RunMode::invalid;
        options.error = why;
        return options;
    };
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "-?") || !std::strcmp(arg, "--help") ||
            !std::strcmp(arg, "/?")) {
            options.mode = RunMode::help;
            return options;
        }
        if (!std::strcmp(arg, "-p") || !std::strcmp(arg, "--stats")) {
            const RunMode mode = arg[1] == 'p' ? RunMode::check : RunMode::stats;
            if (options.mode != RunMode::solve && options.mode != mode)
                return invalid(optionsTogetherText("-p", "--stats"));
            // One table a run: a second one named would otherwise go unchecked.
            if (options.mode == mode) return invalid(optionRepeatedText(arg));
            options.mode = mode;
            // An optional file name may follow; anything starting with '-' is an option.
            if (i + 1 < argc && argv[i + 1][0] != '-') options.checkPath = argv[++i];
            continue;
        }
        if (!std::strncmp(arg, "-j", 2)) {
            const char* count = arg[2] ? arg + 2 : (i + 1 < argc ? argv[++i] : nullptr);
            if (!count) return invalid(threadCountMissingText());
            if (!parseThreadCount(count, options.threads)) return invalid(threadCountInvalidText(count, maxThreads));
            threadsGiven = true;
            continue;
        }
        return invalid(unknownArgumentText(arg));
    }
    if (options.mode == RunMode::check && threadsGiven) return invalid(optionsTogetherText("-j", "-p"));
    if (options.mode == RunMode::stats && threadsGiven) return invalid(optionsTogetherText("-j", "--stats"));
    return options;
}
