// screen_capture.cpp: BitBlt from the screen DC into a 32-bit top-down DIB section.
#include "tests/gui/screen_capture.h"

#include <cstdio>
#include <cstring>

COLORREF Capture::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

static bool captureOnce(const RECT& area, Capture& out)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, old);
        if (ok) {
            out.width = width;
            out.height = height;
            out.pixels.assign(static_cast<const uint32_t*>(bits),
                              static_cast<const uint32_t*>(bits) + size_t(width) * size_t(height));
            for (uint32_t& p : out.pixels) p &= 0x00FFFFFF;
        }
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool captureScreen(const RECT& area, Capture& out)
{
    Capture previous;
    for (int attempt = 0; attempt < 40; attempt++) {
        Capture now;
        if (!captureOnce(area, now)) return false;
        if (attempt > 0 && now.pixels == previous.pixels) {
            out = now;
            return true;
        }
        previous = now;
        Sleep(25);
    }
    out = previous;
    return true;
}

static void put16(std::vector<unsigned char>& b, unsigned v)
{
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
static void put32(std::vector<unsigned char>& b, unsigned v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

bool writeBmp(const std::string& path, const Capture& capture)
{
    const unsigned stride = (unsigned(capture.width) * 3 + 3) & ~3u;
    const unsigned imageBytes = stride * unsigned(capture.height);
    std::vector<unsigned char> b;
    b.push_back('B');
    b.push_back('M');
    put32(b, 54 + imageBytes);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, unsigned(capture.width));
    put32(b, unsigned(capture.height));  // bottom-up rows
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);
    put32(b, imageBytes);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    for (int y = capture.height - 1; y >= 0; y--) {
        const uint32_t* row = &capture.pixels[size_t(y) * size_t(capture.width)];
        for (int x = 0; x < capture.width; x++) {
            b.push_back(row[x] & 0xFF);
            b.push_back((row[x] >> 8) & 0xFF);
            b.push_back((row[x] >> 16) & 0xFF);
        }
        for (unsigned pad = unsigned(capture.width) * 3; pad < stride; pad++) b.push_back(0);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(b.data(), 1, b.size(), file) == b.size();
    return std::fclose(file) == 0 && ok;
}

RECT windowRectOnScreen(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

RECT clientRectOnScreen(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
