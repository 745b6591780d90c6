// console_posix.cpp: the console on Linux: a terminal that takes the texts as UTF-8 and
// stays open after the program.
#include "console/console.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

void switchConsoleTo1252() {}
void restoreConsole() {}

void writeErrorText(const std::string& text)
{
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

bool standardOutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

int consoleColumns()
{
    winsize size = {};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
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
