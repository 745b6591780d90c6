// stats.h: the statistics run (--stats): how the solutions of a sound table go together with
// the real pieces (the counts: assembly_tally.h).
#pragma once

#include <string>

// Returns the program's exit code. showProgress: a person watches the console, so a
// progress line may be redrawn in place.
int runAssemblyStats(const std::string& path, bool showProgress);
