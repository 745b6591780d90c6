// main_win.cpp: entry of kubo_puzzle_select. Builds the icons, registers the window class,
// creates the main window and runs the message loop until the window is destroyed.
#include <io.h>

#include <cstdlib>
#include <cstring>

#include "launch/launch_win.h"
#include "model/solution_table.h"
#include "search/filter_table.h"
#include "view/icon_pattern.h"
#include "shell/viewer.h"
#include "shell/window_win.h"

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;

// The two icon planes are kept between calls and grown only when a larger icon needs them.
static uint8_t* iconMaskPlane = nullptr;
static uint8_t* iconImagePlane = nullptr;
static size_t iconPlaneBytes = 0;

static HICON buildPatternIcon(HINSTANCE instance, int width, int height, int xScale, int yScale,
                       const char* pattern)
{
    const int stride = iconPlaneStride(width);
    const size_t bytes = size_t(height) * size_t(stride);
    if (bytes > iconPlaneBytes || !iconMaskPlane || !iconImagePlane) {
        std::free(iconMaskPlane);
        std::free(iconImagePlane);
        iconMaskPlane = static_cast<uint8_t*>(std::malloc(bytes));
        iconImagePlane = static_cast<uint8_t*>(std::malloc(bytes));
        iconPlaneBytes = (iconMaskPlane && iconImagePlane) ? bytes : 0;
        if (!iconPlaneBytes) return nullptr;
    }
    std::memset(iconMaskPlane, 0, bytes);
    std::memset(iconImagePlane, 0, bytes);
    drawIconPattern(width, height, xScale, yScale, pattern, iconMaskPlane, iconImagePlane);
    return CreateIcon(instance, width, height, 1, 1, iconMaskPlane, iconImagePlane);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand)
{
    appInstance = instance;
    // No filter criterion holds until the user types or picks one.
    resetCriteria();
    HICON largeIcon = buildPatternIcon(appInstance, 32, 32, 2, 2, iconPattern);
    HICON smallIcon = buildPatternIcon(appInstance, 16, 16, 1, 1, iconPattern);

    if (!previous) {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = appInstance;
        windowClass.hIcon = largeIcon;
        windowClass.hIconSm = smallIcon;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
        windowClass.lpszClassName = mainWindowClass;
        if (!RegisterClassExA(&windowClass)) {
            MessageBoxA(nullptr, "RegisterClass() schlug fehl!", "Prinzipielle Startprobleme",
                        MB_ICONWARNING | MB_OK);
            return 1;
        }
    }

    mainWindow = CreateWindowExA(0, mainWindowClass, mainWindowTitle,
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, 0,
                                 CW_USEDEFAULT, 0, nullptr, nullptr, appInstance, nullptr);
    if (!mainWindow) {
        // Without its window the program can do nothing; say so as for the class.
        MessageBoxA(nullptr, "CreateWindow() schlug fehl!", "Prinzipielle Startprobleme",
                    MB_ICONWARNING | MB_OK);
        return 1;
    }

    buildMenuBar(mainWindow);
    applyEffects(selectZoom(viewer, 1));
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    // A first start in an empty folder computes the table at once, asking nothing; the
    // window already stands, so the solutions can be browsed while they arrive.
    if (_access(solutionTableName, 4) != 0) startSolver(1, mainWindow, viewer.solution, viewer.solverRunning);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}
