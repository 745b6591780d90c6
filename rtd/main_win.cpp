// main_win.cpp: entry of rtd.exe and its window procedure. The file named on the command
// line is read before the window opens (scene_file.h). Problems with the file are written
// into the window's own area, never into a box that would wait for an answer; the batch
// form (batch_win.cpp) renders one picture without showing a window.
#include "rtd/caption.h"
#include "rtd/commands.h"
#include "rtd/rtd_state.h"
#include "rtd/scene_file.h"

#include <algorithm>

HWND mainWindow = nullptr;
HDC windowDc = nullptr;
HGLRC glContext = nullptr;
Options options;
SlpScene scene;
std::vector<SolidArrays> arrays;
std::vector<int> buildOrder;
Fit sceneFit = {{0, 0, 0}, 1};
std::string problemText;
bool sceneUsable = false;
ViewState view;
Viewport clientSize = {1, 1};
int dragButton = 0;
POINT dragFrom = {0, 0};
bool dragMoved = false;
POINT mouseAt = {-1, -1};

// The key table names the keys by the window system's codes.
static_assert(keyPageUp == VK_PRIOR && keyPageDown == VK_NEXT && keyEnd == VK_END && keyHome == VK_HOME, "keys");
static_assert(keyAdd == VK_ADD && keySubtract == VK_SUBTRACT && keyOemPlus == VK_OEM_PLUS && keyOemMinus == VK_OEM_MINUS,
              "keys");
static_assert(keyF1 == VK_F1 && keyF4 == VK_F4 && keyF5 == VK_F5 && keyF6 == VK_F6 && keyF7 == VK_F7 && keyF8 == VK_F8,
              "keys");

namespace {


void readScene(const std::string& name)
{
    LoadedScene loaded = loadScene(name);
    scene = std::move(loaded.scene);
    buildOrder = std::move(loaded.buildOrder);
    sceneFit = loaded.fit;
    sceneUsable = loaded.usable;
    view.visibility = allShown(int(scene.solids.size()));
    planScene();
}

void updateProblemText() { problemText = problemTextFor(view.language, options, scene); }

void updateCaption()
{
    SetWindowTextA(mainWindow, captionFor(view, options.fileName, int(scene.solids.size()), problemText, &currentBuildUpSteps()).c_str());
}

int solidUnderMouse()
{
    if (mouseAt.x < 0 || mouseAt.y < 0) return -1;
    const Ray ray = pixelRay(camera, sceneFit, clientSize, mouseAt.x + 0.5, mouseAt.y + 0.5);
    return pickSolid(scene.solids, currentOffsets(), currentDrawn(), ray);
}

void showHelp()
{
    MessageBoxA(mainWindow, text(view.language, Text::helpText), text(view.language, Text::helpCaption),
                MB_ICONINFORMATION | MB_OK);
}

void onCommand(int id)
{
    const Language before = view.language;
    const int countBefore = visibility.buildUpCount;
    const bool boxModeBefore = view.boxMode;
    switch (runCommand(view, id, id == commandOnlyThis ? solidUnderMouse() : -1)) {
    case CommandResult::ignored: return;
    case CommandResult::changed:
        if (view.language != before) updateProblemText();
        followBuildUp(countBefore, boxModeBefore);
        refresh();
        return;
    case CommandResult::savePicture:
        savePicture();
        refresh();
        return;
    case CommandResult::exitProgram: DestroyWindow(mainWindow); return;
    case CommandResult::showHelp: showHelp(); return;
    }
}

void onKey(WPARAM key)
{
    const int id = commandForKey(int(key), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
    if (id != commandNone) onCommand(id);
}

void onPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    if (!glContext) {
        // Without OpenGL the message is all there is: plain GDI text.
        HDC dc = GetDC(window);
        RECT r = {0, 0, clientSize.width, clientSize.height};
        FillRect(dc, &r, HBRUSH(GetStockObject(WHITE_BRUSH)));
        std::string message = text(view.language, Text::noOpenGl);
        if (!problemText.empty()) message += "\n" + problemText;
        r.left = r.top = 10;
        DrawTextA(dc, message.c_str(), -1, &r, DT_LEFT | DT_TOP | DT_NOPREFIX);
        ReleaseDC(window, dc);
        return;
    }
    if (!renderFrameInSteps(clientSize)) InvalidateRect(window, nullptr, FALSE);  // more of a large scene
    SwapBuffers(windowDc);
}

void onMouseMove(int x, int y)
{
    mouseAt = {x, y};
    if (!dragButton) return;
    const int dx = x - dragFrom.x, dy = y - dragFrom.y;
    if (dx == 0 && dy == 0) return;
    dragMoved = true;
    dragFrom = {x, y};
    camera = dragButton == 1 ? orbit(camera, dx, dy) : pan(camera, sceneFit, clientSize, dx, dy);
    InvalidateRect(mainWindow, nullptr, FALSE);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
    switch (message) {
    case WM_SIZE:
        clientSize = {std::max(1, int(LOWORD(lParam))), std::max(1, int(HIWORD(lParam)))};
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: onPaint(window); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        dragButton = message == WM_LBUTTONDOWN ? 1 : 2;
        dragFrom = mouseAt = {x, y};
        dragMoved = false;
        SetCapture(window);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (dragButton) ReleaseCapture();
        dragButton = 0;
        return 0;
    case WM_CAPTURECHANGED: dragButton = 0; return 0;
    case WM_MOUSEMOVE: onMouseMove(x, y); return 0;
    case WM_MOUSEWHEEL:
        camera = zoomBy(camera, GET_WHEEL_DELTA_WPARAM(wParam) / double(WHEEL_DELTA));
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN: onKey(wParam); return 0;
    case WM_TIMER: onSlideTimer(); return 0;
    case WM_COMMAND: onCommand(LOWORD(wParam)); return 0;
    case WM_DESTROY: destroyGlContext(); PostQuitMessage(0); return 0;  // while the window still exists
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool registerWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // The program's own icon resource (the cube Explorer shows); the system's without one.
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.lpszClassName = windowClassName;
    return RegisterClassExA(&wc) != 0;
}

}  // namespace

void refresh()
{
    buildMenus();
    updateCaption();
    InvalidateRect(mainWindow, nullptr, FALSE);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    std::vector<std::string> arguments(__argv + 1, __argv + __argc);
    options = parseOptions(arguments);
    readScene(options.fileName);
    view.lightingOn = !options.flat;
    view.edgesOn = options.edges;
    startAtStep();
    updateProblemText();
    if (!registerWindowClass(instance)) return 1;
    if (options.batch) return renderBatch(instance);

    const bool bench = options.benchFrames > 0;
    mainWindow = createWindow(instance, bench ? 1024 : 900, bench ? 768 : 700, WS_OVERLAPPEDWINDOW, true);
    if (!mainWindow) return 1;
    buildMenus();  // before OpenGL, whose surface keeps the client size it was made with
    if (!createGlContext(mainWindow)) destroyGlContext();
    // The menu bar may take a line more than AdjustWindowRect counted.
    RECT inner;
    GetClientRect(mainWindow, &inner);
    if (bench && inner.bottom != 768) {
        RECT outer;
        GetWindowRect(mainWindow, &outer);
        SetWindowPos(mainWindow, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + 768 - inner.bottom,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    prepareArrays();
    updateCaption();
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    if (bench) {
        const int result = glContext ? runBenchmark() : 1;
        DestroyWindow(mainWindow);
        return result;
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    destroyGlContext();
    return 0;
}
