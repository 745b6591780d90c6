// batch_report.cpp: the batch form's messages on the error stream, one a line, each after
// "rtd: ", shown right on a console through the console programs' helper.
#include "rtd/batch_report.h"

#include "console/console.h"

void report(const std::string& message)
{
    for (size_t start = 0; start < message.size();) {
        size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        writeUnswitchedText(stderr, "rtd: " + message.substr(start, end - start) + "\n");
        start = end + 1;
    }
}
