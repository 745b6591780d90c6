// window_support.cpp: finding a program's window, and its data files for a work folder.
#include "tests/support/window_support.h"

#include <cstdio>

namespace {

struct WindowSearch {
    DWORD processId;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM lParam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !IsWindowVisible(window)) return TRUE;
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    if (search->windowClass ? std::string(name) != search->windowClass : std::string(name) == "#32770")
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND waitForWindow(DWORD processId, const char* windowClass, int timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        WindowSearch search = {processId, windowClass, nullptr};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(10);
    } while (GetTickCount() - start < DWORD(timeoutMs));
    return nullptr;
}

bool copyProgramData(const std::string& installation, const std::string& folder)
{
    bool copied = CopyFileA((installation + "\\facetgen.map").c_str(), (folder + "\\facetgen.map").c_str(), FALSE);
    for (int n = 1; n <= 12; n++) {
        char name[32];
        std::snprintf(name, sizeof name, "\\baustein_%02d.slp", n);
        copied = CopyFileA((installation + name).c_str(), (folder + name).c_str(), FALSE) && copied;
    }
    return copied;
}
