// window_win.cpp: the viewer's windows, the shown one and the batch form's hidden one,
// sized so that their client area is what was asked for.
#include "rtd/rtd_state.h"

extern const char windowClassName[] = "rtd";

HWND createWindow(HINSTANCE instance, int width, int height, DWORD style, bool withMenu)
{
    RECT r = {0, 0, width, height};
    AdjustWindowRect(&r, style, withMenu);
    return CreateWindowExA(0, windowClassName, "rtd", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                           r.bottom - r.top, nullptr, nullptr, instance, nullptr);
}
