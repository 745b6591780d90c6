// command_line.h: the program's arguments. No argument computes the table; -j chooses the
// number of threads; -p checks an existing table instead of computing one; --stats counts
// how the table's solutions go together. Either reads one table a run.
#pragma once

#include <string>

enum class RunMode { solve, check, stats, help, invalid };

struct Options {
    RunMode mode;
    int threads;            // solve: worker threads
    std::string checkPath;  // check and stats: the table to read
    std::string error;      // invalid: what was wrong, in German
};

constexpr int maxThreads = 256;

Options parseCommandLine(int argc, const char* const* argv, int defaultThreads);
