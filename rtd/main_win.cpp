// main_win.cpp: entry of rtd.exe, its window and the window procedure. This file owns the
// viewer's state (viewer.h) and its drawing; each message is handed to one operation on
// the state, and the Effects it returns are carried out here. The file named on the
// command line is read before the window opens. Problems with the file are written into
// the window's own area, never into a box that would wait for an answer; the batch form
// (pictures_win.h) renders one picture without showing a window.
#include <windows.h>

#include <algorithm>

#include "rtd/bench_win.h"
#include "rtd/commands.h"
#include "rtd/menus_win.h"
#include "rtd/pictures_win.h"
#include "rtd/render_win.h"
#include "rtd/viewer.h"

// The key table names the keys by the window system's codes.
static_assert(keyPageUp == VK_PRIOR && keyPageDown == VK_NEXT && keyEnd == VK_END && keyHome == VK_HOME, "keys");
static_assert(keyAdd == VK_ADD && keySubtract == VK_SUBTRACT && keyOemPlus == VK_OEM_PLUS && keyOemMinus == VK_OEM_MINUS,
              "keys");
static_assert(keyF1 == VK_F1 && keyF4 == VK_F4 && keyF5 == VK_F5 && keyF6 == VK_F6 && keyF7 == VK_F7 && keyF8 == VK_F8,
              "keys");

namespace {

constexpr char windowClassName[] = "rtd";
constexpr UINT_PTR slideTimer = 1;
// About the frame rate of a screen; each tick redraws the slide where the clock has it.
constexpr UINT slideTimerMilliseconds = 15;

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;
Options options;
RtdScene scene;
RtdViewer viewer;
Renderer renderer;

// The viewer's windows, the shown one and the batch form's hidden one, sized so that
// their client area is what was asked for.
HWND createWindow(int width, int height, DWORD style, bool withMenu)
{
    RECT r = {0, 0, width, height};
    AdjustWindowRect(&r, style, withMenu);
    return CreateWindowExA(0, windowClassName, "rtd", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                           r.bottom - r.top, nullptr, nullptr, appInstance, nullptr);
}

HWND openHiddenWindow(int width, int height) { return createWindow(width, height, WS_POPUP, false); }

FrameView currentFrame(double now) { return frameView(viewer, scene, viewer.client, now); }

Overlay currentOverlay(const FrameView& frame)
{
    return layoutOverlay(overlayContent(viewer, scene, viewerProblems(viewer, scene, options), frame), renderer.font,
                         viewer.client);
}

void showHelp()
{
    MessageBoxA(mainWindow, text(viewer.language, Text::helpText), text(viewer.language, Text::helpCaption),
                MB_ICONINFORMATION | MB_OK);
}

void apply(Effects e)
{
    if (e.exitProgram) {
        DestroyWindow(mainWindow);
        return;
    }
    if (e.captureMouse) SetCapture(mainWindow);
    if (e.releaseMouse) ReleaseCapture();
    if (e.startTimer) SetTimer(mainWindow, slideTimer, slideTimerMilliseconds, nullptr);
    if (e.stopTimer) KillTimer(mainWindow, slideTimer);
    if (e.savePicture) {
        const FrameView frame = currentFrame(secondsNow());
        const std::string note = savePicture(mainWindow, renderer, frame, currentOverlay(frame), options, viewer.language);
        if (!note.empty()) viewer.statusText = note;
        e.menusAndCaption = e.redraw = true;
    }
    if (e.menusAndCaption) {
        buildMenus(mainWindow, viewer, scene);
        SetWindowTextA(mainWindow, viewerCaption(viewer, scene, options).c_str());
    }
    if (e.redraw || e.menusAndCaption) InvalidateRect(mainWindow, nullptr, FALSE);
    if (e.showHelp) showHelp();
}

void onPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    if (!renderer.context) {
        // Without OpenGL the message is all there is: plain GDI text.
        HDC dc = GetDC(window);
        RECT r = {0, 0, viewer.client.width, viewer.client.height};
        FillRect(dc, &r, HBRUSH(GetStockObject(WHITE_BRUSH)));
        std::string message = text(viewer.language, Text::noOpenGl);
        const std::string problems = viewerProblems(viewer, scene, options);
        if (!problems.empty()) message += "\n" + problems;
        r.left = r.top = 10;
        DrawTextA(dc, message.c_str(), -1, &r, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
        ReleaseDC(window, dc);
        return;
    }
    const FrameView frame = currentFrame(secondsNow());
    if (!drawFrameInSteps(renderer, frame, currentOverlay(frame)))
        InvalidateRect(window, nullptr, FALSE);  // more of a large scene
    SwapBuffers(renderer.dc);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
    switch (message) {
    case WM_SIZE: apply(clientResized(viewer, LOWORD(lParam), HIWORD(lParam))); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: onPaint(window); return 0;
    case WM_LBUTTONDOWN: apply(buttonPressed(viewer, 1, x, y)); return 0;
    case WM_RBUTTONDOWN: apply(buttonPressed(viewer, 2, x, y)); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: apply(buttonReleased(viewer)); return 0;
    case WM_CAPTURECHANGED: apply(captureLost(viewer)); return 0;
    case WM_MOUSEMOVE: apply(mouseMoved(viewer, scene, x, y, secondsNow())); return 0;
    case WM_MOUSEWHEEL: apply(wheelTurned(viewer, GET_WHEEL_DELTA_WPARAM(wParam) / double(WHEEL_DELTA))); return 0;
    case WM_KEYDOWN:
        apply(keyPressed(viewer, scene, int(wParam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                         secondsNow()));
        return 0;
    case WM_TIMER: apply(timerTicked(viewer, secondsNow())); return 0;
    case WM_COMMAND: apply(runCommand(viewer, scene, LOWORD(wParam), secondsNow())); return 0;
    case WM_DESTROY: destroyGlContext(renderer); PostQuitMessage(0); return 0;  // while the window still exists
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool registerWindowClass()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = appInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // The program's own icon resource (the cube Explorer shows); the system's without one.
    wc.hIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(1));
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.lpszClassName = windowClassName;
    return RegisterClassExA(&wc) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    appInstance = instance;
    options = parseOptions(std::vector<std::string>(__argv + 1, __argv + __argc));
    scene = loadScene(options.fileName);
    viewer = startViewer(scene, options);
    if (!registerWindowClass()) return 1;
    if (options.batch) return runBatch(options, scene, viewer, openHiddenWindow);

    const bool bench = options.benchFrames > 0;
    mainWindow = createWindow(bench ? 1024 : 900, bench ? 768 : 700, WS_OVERLAPPEDWINDOW, true);
    if (!mainWindow) return 1;
    buildMenus(mainWindow, viewer, scene);  // before OpenGL, whose surface keeps the client size it was made with
    if (!createGlContext(renderer, mainWindow)) destroyGlContext(renderer);
    // The menu bar may take a line more than AdjustWindowRect counted.
    RECT inner;
    GetClientRect(mainWindow, &inner);
    if (bench && inner.bottom != 768) {
        RECT outer;
        GetWindowRect(mainWindow, &outer);
        SetWindowPos(mainWindow, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + 768 - inner.bottom,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    renderer.arrays = buildDrawArrays(scene.file.solids);
    SetWindowTextA(mainWindow, viewerCaption(viewer, scene, options).c_str());
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    if (bench) {
        const int result = renderer.context ? runBenchmark(renderer, viewer, scene, options.benchFrames) : 1;
        DestroyWindow(mainWindow);
        return result;
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    destroyGlContext(renderer);
    return 0;
}
