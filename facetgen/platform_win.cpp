// platform_win.cpp: the platform services on Windows: the console's output code page,
// put back on every way out (normal exit, or Ctrl+C / closing the console while the
// viewer runs), and file identity by volume and file index.
#include "facetgen/platform.h"

#include <windows.h>

namespace {

UINT savedCodePage = 0;  // 0: no console, or not switched

BOOL WINAPI onConsoleControl(DWORD)
{
    restoreConsole();
    return FALSE;  // let the default handler end the process
}

bool fileIdentity(const char* name, BY_HANDLE_FILE_INFORMATION& info)
{
    // No access rights are needed to ask for the identity; FILE_FLAG_BACKUP_SEMANTICS
    // lets directories be opened as well.
    HANDLE h = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return ok != 0;
}

}  // namespace

void switchConsoleTo1252()
{
    savedCodePage = GetConsoleOutputCP();
    if (savedCodePage == 0) return;
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
    SetConsoleOutputCP(1252);
}

void restoreConsole()
{
    if (savedCodePage != 0) SetConsoleOutputCP(savedCodePage);
}

bool sameFile(const char* a, const char* b)
{
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!fileIdentity(a, ia) || !fileIdentity(b, ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

bool isDirectory(const char* name)
{
    const DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CommandInterpreter hostInterpreter() { return CommandInterpreter::cmd; }
