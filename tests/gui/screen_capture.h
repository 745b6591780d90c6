// screen_capture.h: copies a part of the screen into memory, as the user sees it, for the
// GUI tests, the release tests and the README's pictures. Works across processes (the
// screen DC holds every top-level window's pixels) and waits out reads taken in the middle
// of a repaint.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Capture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // top row first, each 0x00RRGGBB
    // The colour at (x, y) of the captured area; CLR_INVALID outside it.
    COLORREF at(int x, int y) const;
};

// The pixels of area (screen coordinates), taken once two reads in a row agree.
bool captureScreen(const RECT& area, Capture& out);

// A 24-bit BMP file of the capture.
bool writeBmp(const std::string& path, const Capture& capture);

// A top-level window's outer rectangle and its client area's, both in screen coordinates.
RECT windowRectOnScreen(HWND window);
RECT clientRectOnScreen(HWND window);
