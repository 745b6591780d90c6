// console_win.cpp: the batch form's messages on the error stream, one a line, each after
// "rtd: ".
#include "rtd/console_win.h"

#include <windows.h>

#include <cstdio>

// One message of the batch form per line on the error stream. The texts are code page
// 1252; a console shows them through its own code page, so a console gets them as
// UTF-16, and a pipe or a file the bytes as they are.
void report(const std::string& message)
{
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    const bool console = err && err != INVALID_HANDLE_VALUE && GetConsoleMode(err, &mode);
    size_t start = 0;
    while (start < message.size()) {
        size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        const std::string line = "rtd: " + message.substr(start, end - start) + "\n";
        start = end + 1;
        if (console) {
            std::wstring wide(line.size(), L' ');
            const int n = MultiByteToWideChar(1252, 0, line.data(), int(line.size()), &wide[0], int(wide.size()));
            DWORD written = 0;
            WriteConsoleW(err, wide.data(), DWORD(n > 0 ? n : 0), &written, nullptr);
        } else {
            std::fputs(line.c_str(), stderr);
        }
    }
    std::fflush(stderr);
}
