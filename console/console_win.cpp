// console_win.cpp: the console on Windows. The texts are compiled in code page 1252, while
// a console starts in the OEM code page (850 in Germany), where the umlauts would come out
// wrong; so the console is switched to 1252 for the run and back on every way out (normal
// exit, or Ctrl+C and the closing of the console).
#include "console/console.h"

#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>

namespace {

// 0: no console, or not switched. Atomic: Windows calls the control handler on a thread of
// its own.
std::atomic<UINT> savedCodePage{0};

BOOL WINAPI onConsoleControl(DWORD)
{
    restoreConsole();
    return FALSE;  // the next handler (or the default one, which ends the process) goes on
}

bool isConsole(DWORD standardHandle)
{
    DWORD mode = 0;
    const HANDLE handle = GetStdHandle(standardHandle);
    return handle && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

}  // namespace

void switchConsoleTo1252()
{
    const UINT codePage = GetConsoleOutputCP();
    savedCodePage = codePage;
    if (codePage == 0) return;
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
    SetConsoleOutputCP(1252);
}

void restoreConsole()
{
    const UINT codePage = savedCodePage;
    if (codePage != 0) SetConsoleOutputCP(codePage);
}

void writeUnswitchedText(std::FILE* stream, const std::string& text)
{
    const DWORD standardHandle = stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
    if (isConsole(standardHandle) && !text.empty()) {
        std::fflush(stream);  // what went before through the stream comes first
        std::wstring wide(text.size(), L' ');
        const int n = MultiByteToWideChar(1252, 0, text.data(), int(text.size()), &wide[0], int(wide.size()));
        DWORD written = 0;
        WriteConsoleW(GetStdHandle(standardHandle), wide.data(), DWORD(n > 0 ? n : 0), &written, nullptr);
    } else {
        std::fputs(text.c_str(), stream);
    }
    std::fflush(stream);
}

// (Not _isatty, which holds for the NUL device too.)
bool isTerminal(std::FILE* stream)
{
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), &mode) != 0;
}

int consoleColumns(std::FILE* stream)
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    // A line breaks at the width of the screen buffer, which may be wider than the window.
    if (!GetConsoleScreenBufferInfo(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), &info) ||
        info.dwSize.X <= 0)
        return 80;
    return info.dwSize.X;
}

int textColumns(const std::string& text) { return int(text.size()); }

bool consoleClosesWithProgram()
{
    DWORD processes[2];
    return GetConsoleProcessList(processes, 2) == 1 && isConsole(STD_INPUT_HANDLE) &&
           isConsole(STD_OUTPUT_HANDLE) && isConsole(STD_ERROR_HANDLE);
}

void waitForKey(int seconds)
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    FlushConsoleInputBuffer(input);
    const DWORD start = GetTickCount();
    const DWORD limit = DWORD(seconds) * 1000;
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= limit || WaitForSingleObject(input, limit - elapsed) != WAIT_OBJECT_0) return;
        INPUT_RECORD record;
        DWORD read = 0;
        if (!ReadConsoleInputA(input, &record, 1, &read)) return;
        if (read == 1 && record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
    }
}
