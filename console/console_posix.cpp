// console_posix.cpp: the console on Linux: a terminal that takes the texts as UTF-8 and
// stays open after the program.
#include "console/console.h"

#include <sys/ioctl.h>
#include <unistd.h>

void switchConsoleTo1252() {}
void restoreConsole() {}

void writeUnswitchedText(std::FILE* stream, const std::string& text)
{
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
}

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

int consoleColumns(std::FILE* stream)
{
    winsize size = {};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
    return size.ws_col;
}

int textColumns(const std::string& text)
{
    int columns = 0;
    for (unsigned char c : text) columns += (c & 0xC0) != 0x80;  // not a continuation byte
    return columns;
}

bool consoleClosesWithProgram() { return false; }

void waitForKey(int) {}
