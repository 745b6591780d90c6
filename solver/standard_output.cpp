// standard_output.cpp: the one report of a failed standard output.
#include "solver/standard_output.h"

#include <cerrno>
#include <cstdio>

#include "console/console.h"
#include "solver/messages.h"

static bool failureReported = false;

bool standardOutputFailed()
{
    errno = 0;
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (failed && !failureReported) {
        writeConsoleText(stderr, standardOutputFailedText(errno ? errno : EIO));
        failureReported = true;
    }
    return failed;
}
