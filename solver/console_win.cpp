// console_win.cpp: the console on Windows. The texts are compiled in code page 1252,
// while a console starts in the OEM code page (850 in Germany), where the umlauts would
// come out wrong; so the console is switched to 1252 for the run and back at the end.
#include "solver/console.h"

#include <io.h>
#include <windows.h>

#include <cstdio>

std::atomic<bool> stopRequested(false);

static UINT originalOutputCodePage = 0;

void prepareConsole()
{
    originalOutputCodePage = GetConsoleOutputCP();
    if (originalOutputCodePage) SetConsoleOutputCP(1252);
}

void restoreConsole()
{
    if (originalOutputCodePage) SetConsoleOutputCP(originalOutputCodePage);
}

bool standardOutputIsTerminal() { return _isatty(_fileno(stdout)) != 0; }

// Ctrl+C, Ctrl+Break and closing the console window: ask the search to stop, so that the
// table ends after a whole record. Windows ends the process soon after a close event
// returns, so that one waits a moment for the writer to finish.
static BOOL WINAPI onConsoleEvent(DWORD event)
{
    stopRequested = true;
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(2000);
    return TRUE;
}

void installStopHandler() { SetConsoleCtrlHandler(onConsoleEvent, TRUE); }
