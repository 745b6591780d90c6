// caption.h: the texts the window shows about itself: the problems with the call and the
// file (in the window's own area, never in a box that would wait for an answer) and the
// caption, which repeats the first problem where a task list shows it.
#pragma once

#include <string>

#include "rtd/assembly_steps.h"
#include "rtd/options.h"
#include "rtd/slp.h"
#include "rtd/view_state.h"

// Every problem, one a line: the command line's, then the file's; "" when none.
std::string problemTextFor(Language language, const Options& options, const SlpScene& scene);

// The build-up's line follows steps when given (assembly_steps.h).
std::string captionFor(const ViewState& view, const std::string& fileName, int solidCount,
                       const std::string& problemText, const BuildUpSteps* steps = nullptr);
