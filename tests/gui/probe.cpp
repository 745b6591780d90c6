// probe.cpp: a small library that the GUI test driver loads into the program under test.
// Some things cannot be read from another process under Wine (menus, icon bits), and
// posted input needs a way to tell when the program has handled it; the probe answers
// these over a named pipe from inside the program.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/gui/probe_protocol.h"

static HMODULE probeModule = nullptr;
static UINT markerMessage = 0;
static volatile LONG lastMarker = 0;
static HHOOK markerHook = nullptr;

static LRESULT CALLBACK markerHookProc(int code, WPARAM removal, LPARAM lParam)
{
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == markerMessage) {
        InterlockedExchange(&lastMarker, LONG(msg->wParam));
        msg->message = WM_NULL;
    }
    return CallNextHookEx(markerHook, code, removal, lParam);
}

static HWND windowArgument(const std::string& request, size_t at)
{
    return reinterpret_cast<HWND>(std::strtoull(request.c_str() + at, nullptr, 16));
}

static std::string iconBits(HWND window, bool big)
{
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, big ? GCLP_HICON : GCLP_HICONSM));
    if (!icon) return "no icon";
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return "GetIconInfo failed";
    BITMAP bm = {};
    GetObjectA(info.hbmMask, sizeof bm, &bm);
    std::string reply;
    // A monochrome icon keeps AND mask and XOR image stacked in one bitmap twice as high.
    const bool stacked = info.hbmColor == nullptr;
    const int width = bm.bmWidth;
    const int height = stacked ? bm.bmHeight / 2 : bm.bmHeight;
    char header[64];
    std::snprintf(header, sizeof header, "%d %d\n", width, height);
    reply = header;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -bm.bmHeight;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::string pixels(size_t(width) * size_t(bm.bmHeight) * 4, '\0');
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmMask, 0, UINT(bm.bmHeight), &pixels[0], &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (int y = 0; y < bm.bmHeight; y++) {
        for (int x = 0; x < width; x++)
            reply += (pixels[(size_t(y) * width + x) * 4] & 0xFF) ? '1' : '0';
        reply += '\n';
    }
    if (!stacked) reply += "colour icon\n";
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return reply;
}

static void dumpMenu(HMENU menu, int depth, std::string& out)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; i++) {
        char text[256] = "";
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
        item.dwTypeData = text;
        item.cch = sizeof text - 1;
        GetMenuItemInfoA(menu, UINT(i), TRUE, &item);
        char line[400];
        std::snprintf(line, sizeof line, "%d %d %x %s\n", depth,
                      item.hSubMenu ? -1 : int(item.wID), unsigned(item.fState), text);
        out += line;
        if (item.hSubMenu) dumpMenu(item.hSubMenu, depth + 1, out);
    }
}

static std::string timedRepaints(const std::string& request);

static std::string answer(const std::string& request)
{
    if (request.compare(0, 5, "hook ") == 0) {
        HWND window = windowArgument(request, 5);
        const DWORD thread = GetWindowThreadProcessId(window, nullptr);
        if (!markerHook) markerHook = SetWindowsHookExA(WH_GETMESSAGE, markerHookProc, probeModule, thread);
        return markerHook ? "ok" : "SetWindowsHookEx failed";
    }
    if (request.compare(0, 6, "class ") == 0) {
        HWND window = windowArgument(request, 6);
        char text[64];
        std::snprintf(text, sizeof text, "style=%lx brush=%llx", (unsigned long)GetClassLongPtrA(window, GCL_STYLE),
                      (unsigned long long)GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
        return text;
    }
    if (request == "marker") return std::to_string(lastMarker);
    if (request.compare(0, 9, "icon big ") == 0) return iconBits(windowArgument(request, 9), true);
    if (request.compare(0, 11, "icon small ") == 0) return iconBits(windowArgument(request, 11), false);
    if (request.compare(0, 5, "menu ") == 0) {
        HMENU bar = GetMenu(windowArgument(request, 5));
        if (!bar) return "no menu";
        std::string out;
        dumpMenu(bar, 0, out);
        return out;
    }
    if (request.compare(0, 8, "repaint ") == 0) return timedRepaints(request);
    return "unknown request";
}

static DWORD WINAPI serve(void*)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s%lu", probePipePrefix, GetCurrentProcessId());
    for (;;) {
        HANDLE pipe = CreateNamedPipeA(name, PIPE_ACCESS_DUPLEX,
                                       PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1,
                                       1 << 16, 1 << 16, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) return 1;
        if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
            static char buffer[1 << 16];
            DWORD got = 0;
            while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr)) {
                const std::string reply = answer(std::string(buffer, got));
                DWORD put = 0;
                if (!WriteFile(pipe, reply.data(), DWORD(reply.size()), &put, nullptr)) break;
            }
        }
        DisconnectNamedPipe(pipe);
        CloseHandle(pipe);
    }
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        probeModule = module;
        markerMessage = RegisterWindowMessageA(probeMarkerMessageName);
        DisableThreadLibraryCalls(module);
        HANDLE thread = CreateThread(nullptr, 0, serve, nullptr, 0, nullptr);
        if (thread) CloseHandle(thread);
    }
    return TRUE;
}

// "repaint <window hex> <count> <left> <top> <right> <bottom>": the window thread
// invalidates the rectangle and repaints it count times, each repaint timed on its own
// (erasing and WM_PAINT, up to the last GDI call flushed) -> "median_us=<m> min_us=<a>
// max_us=<b> count=<n>". The repaints run inside a message hook on the window's thread,
// so that no cross-thread message lies inside the timed part.
static UINT repaintMessage = 0;
static HHOOK repaintHook = nullptr;
static HANDLE repaintDone = nullptr;
static HWND repaintWindow = nullptr;
static RECT repaintRect = {};
static int repaintCount = 0;
static double repaintMicros[1000];

static LRESULT CALLBACK repaintHookProc(int code, WPARAM removal, LPARAM lParam)
{
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == repaintMessage) {
        msg->message = WM_NULL;
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        for (int i = 0; i < repaintCount; i++) {
            InvalidateRect(repaintWindow, &repaintRect, TRUE);
            QueryPerformanceCounter(&start);
            UpdateWindow(repaintWindow);
            GdiFlush();
            QueryPerformanceCounter(&end);
            repaintMicros[i] = double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart);
        }
        SetEvent(repaintDone);
    }
    return CallNextHookEx(repaintHook, code, removal, lParam);
}

static std::string timedRepaints(const std::string& request)
{
    char* at = nullptr;
    repaintWindow = reinterpret_cast<HWND>(std::strtoull(request.c_str() + 8, &at, 16));
    repaintCount = int(std::strtol(at, &at, 10));
    repaintRect.left = LONG(std::strtol(at, &at, 10));
    repaintRect.top = LONG(std::strtol(at, &at, 10));
    repaintRect.right = LONG(std::strtol(at, &at, 10));
    repaintRect.bottom = LONG(std::strtol(at, &at, 10));
    if (repaintCount < 1 || repaintCount > 1000) return "bad count";
    if (!repaintMessage) repaintMessage = RegisterWindowMessageA("kubo_probe_repaint");
    if (!repaintDone) repaintDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!repaintHook)
        repaintHook = SetWindowsHookExA(WH_GETMESSAGE, repaintHookProc, probeModule,
                                        GetWindowThreadProcessId(repaintWindow, nullptr));
    if (!repaintHook) return "SetWindowsHookEx failed";
    ResetEvent(repaintDone);
    PostMessageA(repaintWindow, repaintMessage, 0, 0);
    if (WaitForSingleObject(repaintDone, 60000) != WAIT_OBJECT_0) return "repaints timed out";
    double sorted[1000];
    for (int i = 0; i < repaintCount; i++) sorted[i] = repaintMicros[i];
    // Insertion sort: at most a thousand values, once per request.
    for (int i = 1; i < repaintCount; i++)
        for (int j = i; j > 0 && sorted[j - 1] > sorted[j]; j--) {
            const double t = sorted[j];
            sorted[j] = sorted[j - 1];
            sorted[j - 1] = t;
        }
    char text[128];
    std::snprintf(text, sizeof text, "median_us=%.0f min_us=%.0f max_us=%.0f count=%d", sorted[repaintCount / 2],
                  sorted[0], sorted[repaintCount - 1], repaintCount);
    return text;
}
