// main_win.cpp: entry of rtd.exe, its window, menus, mouse and keys. The file named on
// the command line is read whole and closed before the window opens, so that whoever
// started the viewer may delete it as soon as the viewer ends. Problems with the file
// are written into the window's own area, never into a box that would wait for an
// answer; the batch form renders one picture without showing a window.
#include "rtd/rtd_state.h"

#include <GL/gl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>

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
Camera camera = upperPictureCamera();
Visibility visibility = {{}, -1};
int explodeStep = 0;
bool lightingOn = true, edgesOn = true;
Language language = Language::german;
std::string statusText;
Viewport clientSize = {1, 1};
int dragButton = 0;
POINT dragFrom = {0, 0};
bool dragMoved = false;
POINT mouseAt = {-1, -1};

namespace {

constexpr char windowClassName[] = "rtd";
constexpr int maxSolidEntries = 100;

enum Command {
    commandSave = 100,
    commandExit,
    commandViewFirst = 110,  // + StandardView
    commandPerspective = 120,
    commandEdges,
    commandLighting,
    commandExplodeMore,
    commandExplodeLess,
    commandExplodeOff,
    commandBuildUpNext,
    commandBuildUpPrevious,
    commandBuildUpEnd,
    commandShowAll = 130,
    commandHideAll,
    commandOnlyThis,
    commandGerman = 140,
    commandEnglish,
    commandHelp = 150,
    commandSolidFirst = 1000,  // + solid index
};

const char* t(Text id) { return text(language, id); }

void loadScene(const std::string& name)
{
    scene = SlpScene{};
    scene.noteCount = 0;
    if (!name.empty()) scene = readSlpFile(name);
    sceneUsable = !sceneIsEmpty(scene);
    buildOrder = buildUpOrder(scene.solids);
    sceneFit = fitToBounds(sceneBounds(scene.solids));
    visibility = allShown(int(scene.solids.size()));
}

void updateProblemText()
{
    problemText.clear();
    char line[600];
    if (!options.badOption.empty()) {
        std::snprintf(line, sizeof line, t(Text::badOption), options.badOption.c_str());
        problemText = line;
    }
    if (options.fileName.empty()) {
        if (!problemText.empty()) problemText += '\n';
        problemText += t(Text::noFileGiven);
    }
    const std::string problems = describeProblems(language, scene, options.fileName);
    if (!problems.empty()) {
        if (!problemText.empty()) problemText += '\n';
        problemText += problems;
    }
}

void updateCaption()
{
    std::string caption = t(Text::caption);
    if (!options.fileName.empty()) caption += " - " + options.fileName;
    if (visibility.buildUpCount >= 0) {
        char line[100];
        std::snprintf(line, sizeof line, t(Text::buildUpStatus), visibility.buildUpCount, int(scene.solids.size()));
        caption += std::string(" - ") + line;
    }
    // The first problem also in the caption, where a task list shows it.
    const std::string first = problemText.substr(0, problemText.find('\n'));
    if (!first.empty()) caption += " - " + first;
    if (!statusText.empty()) caption += " - " + statusText;
    SetWindowTextA(mainWindow, caption.c_str());
}

void appendEntry(HMENU menu, UINT id, Text label, bool checked = false)
{
    AppendMenuA(menu, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), id, t(label));
}

void buildMenus()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    appendEntry(file, commandSave, Text::savePicture);
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    appendEntry(file, commandExit, Text::exitProgram);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(file), t(Text::menuFile));

    HMENU view = CreatePopupMenu();
    const Text views[] = {Text::viewUpper, Text::viewLower, Text::viewFront, Text::viewBack,
                          Text::viewRight, Text::viewLeft,  Text::viewTop,   Text::viewBottom};
    for (int i = 0; i < 8; i++) appendEntry(view, commandViewFirst + i, views[i]);
    AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
    appendEntry(view, commandPerspective, Text::perspective, camera.perspective);
    appendEntry(view, commandEdges, Text::edges, edgesOn);
    appendEntry(view, commandLighting, Text::lighting, lightingOn);
    AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
    appendEntry(view, commandExplodeMore, Text::explodeMore);
    appendEntry(view, commandExplodeLess, Text::explodeLess);
    appendEntry(view, commandExplodeOff, Text::explodeOff);
    AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
    appendEntry(view, commandBuildUpNext, Text::buildUpNext);
    appendEntry(view, commandBuildUpPrevious, Text::buildUpPrevious);
    appendEntry(view, commandBuildUpEnd, Text::buildUpEnd, false);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(view), t(Text::menuView));

    HMENU objects = CreatePopupMenu();
    const int n = std::min(int(scene.solids.size()), maxSolidEntries);
    for (int i = 0; i < n; i++) {
        const std::string name = solidMenuName(language, scene.solids[size_t(i)].name, i);
        AppendMenuA(objects, MF_STRING | (visibility.shown[size_t(i)] ? MF_CHECKED : MF_UNCHECKED),
                    UINT(commandSolidFirst + i), name.c_str());
    }
    if (n > 0) AppendMenuA(objects, MF_SEPARATOR, 0, nullptr);
    appendEntry(objects, commandShowAll, Text::showAllSolids);
    appendEntry(objects, commandHideAll, Text::hideAllSolids);
    appendEntry(objects, commandOnlyThis, Text::onlyThisSolid);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(objects), t(Text::menuObjects));

    HMENU languages = CreatePopupMenu();
    appendEntry(languages, commandGerman, Text::german, language == Language::german);
    appendEntry(languages, commandEnglish, Text::english, language == Language::english);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(languages), t(Text::menuLanguage));

    HMENU help = CreatePopupMenu();
    appendEntry(help, commandHelp, Text::helpEntry);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(help), t(Text::menuHelp));

    HMENU old = GetMenu(mainWindow);
    SetMenu(mainWindow, bar);
    if (old) DestroyMenu(old);
    DrawMenuBar(mainWindow);
}

// Every change of state goes through here: menus, caption and picture follow it.
void refresh()
{
    buildMenus();
    updateCaption();
    InvalidateRect(mainWindow, nullptr, FALSE);
}

int solidUnderMouse()
{
    if (mouseAt.x < 0 || mouseAt.y < 0) return -1;
    const Ray ray = pixelRay(camera, sceneFit, clientSize, mouseAt.x + 0.5, mouseAt.y + 0.5);
    return pickSolid(scene.solids, currentOffsets(), currentDrawn(), ray);
}

void showHelp() { MessageBoxA(mainWindow, t(Text::helpText), t(Text::helpCaption), MB_ICONINFORMATION | MB_OK); }

bool writeWholeFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written && !bytes.empty();
}

void savePicture()
{
    char name[MAX_PATH] = "";
    const std::string suggested = pictureNameFor(options.fileName.empty() ? "rtd" : options.fileName);
    std::snprintf(name, sizeof name, "%s", suggested.c_str());
    std::string filter = t(Text::pictureFilter);
    std::replace(filter.begin(), filter.end(), '|', '\0');
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = mainWindow;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof name;
    dialog.lpstrDefExt = "bmp";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog)) return;
    renderFrame(clientSize);
    const std::vector<uint8_t> bmp = encodeBmp(clientSize.width, clientSize.height, readFrame(clientSize));
    char line[MAX_PATH + 100];
    std::snprintf(line, sizeof line, t(writeWholeFile(name, bmp) ? Text::pictureSaved : Text::pictureNotSaved), name);
    statusText = line;
    refresh();
}

void onCommand(int id)
{
    statusText.clear();
    if (id >= commandSolidFirst && id < commandSolidFirst + int(scene.solids.size())) {
        toggleSolid(visibility, id - commandSolidFirst);
    } else if (id >= commandViewFirst && id < commandViewFirst + 8) {
        camera = standardView(StandardView(id - commandViewFirst), camera.perspective);
    } else {
        switch (id) {
        case commandSave: savePicture(); return;
        case commandExit: DestroyWindow(mainWindow); return;
        case commandPerspective: camera.perspective = !camera.perspective; break;
        case commandEdges: edgesOn = !edgesOn; break;
        case commandLighting: lightingOn = !lightingOn; break;
        case commandExplodeMore: explodeStep = std::min(explodeStep + 1, maxExplodeStep); break;
        case commandExplodeLess: explodeStep = std::max(explodeStep - 1, 0); break;
        case commandExplodeOff: explodeStep = 0; break;
        case commandBuildUpNext: buildUpStep(visibility, +1); break;
        case commandBuildUpPrevious: buildUpStep(visibility, -1); break;
        case commandBuildUpEnd: endBuildUp(visibility); break;
        case commandShowAll: showAll(visibility); break;
        case commandHideAll: hideAll(visibility); break;
        case commandOnlyThis: showOnly(visibility, solidUnderMouse()); break;
        case commandGerman: language = Language::german; updateProblemText(); break;
        case commandEnglish: language = Language::english; updateProblemText(); break;
        case commandHelp: showHelp(); return;
        default: return;
        }
    }
    refresh();
}

void onKey(WPARAM key)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const int solid = solidForNumberKey(int(key), shift);
    if (solid >= 0) {
        if (solid < int(scene.solids.size())) onCommand(commandSolidFirst + solid);
        return;
    }
    const int viewBase = commandViewFirst;
    switch (key) {
    case VK_HOME: onCommand(viewBase + int(StandardView::upper)); break;
    case VK_F8: onCommand(viewBase + int(StandardView::lower)); break;
    case VK_F5: onCommand(viewBase + int(shift ? StandardView::back : StandardView::front)); break;
    case VK_F6: onCommand(viewBase + int(shift ? StandardView::left : StandardView::right)); break;
    case VK_F7: onCommand(viewBase + int(shift ? StandardView::bottom : StandardView::top)); break;
    case VK_F1: showHelp(); break;
    case VK_ADD:
    case VK_OEM_PLUS: camera = zoomBy(camera, 1); refresh(); break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: camera = zoomBy(camera, -1); refresh(); break;
    case 'A': onCommand(shift ? commandHideAll : commandShowAll); break;
    case 'N': onCommand(commandOnlyThis); break;
    case 'X': onCommand(shift ? commandExplodeLess : commandExplodeMore); break;
    case VK_NEXT: onCommand(commandBuildUpNext); break;
    case VK_PRIOR: onCommand(commandBuildUpPrevious); break;
    case VK_END: onCommand(commandBuildUpEnd); break;
    case 'K': onCommand(commandEdges); break;
    case 'P': onCommand(commandPerspective); break;
    case 'L': onCommand(commandLighting); break;
    case 'S':
        if (control) onCommand(commandSave);
        break;
    default: break;
    }
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
        std::string message = t(Text::noOpenGl);
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
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.lpszClassName = windowClassName;
    return RegisterClassExA(&wc) != 0;
}

HWND createWindow(HINSTANCE instance, int width, int height, DWORD style, bool withMenu)
{
    RECT r = {0, 0, width, height};
    AdjustWindowRect(&r, style, withMenu);
    return CreateWindowExA(0, windowClassName, "rtd", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                           r.bottom - r.top, nullptr, nullptr, instance, nullptr);
}

// The batch form: one picture into a file, exit code 1 when there is none.
int renderBatch(HINSTANCE instance)
{
    const auto fail = [](const std::string& why) {
        std::fprintf(stderr, "rtd: %s\n", why.c_str());
        return 1;
    };
    if (!options.badOption.empty() || options.fileName.empty()) return fail(problemText);
    for (const SlpNote& note : scene.notes)
        std::fprintf(stderr, "rtd: %s\n", describeNote(language, note, options.fileName).c_str());
    if (!sceneUsable) return 1;
    mainWindow = createWindow(instance, options.width, options.height, WS_POPUP, false);
    if (!mainWindow || !createGlContext(mainWindow)) return fail(t(Text::noOpenGl));
    prepareArrays();
    const Viewport viewport = {options.width, options.height};
    problemText.clear();  // the notes went to the error stream; the picture stays clean
    std::vector<uint8_t> rgb;
    if (!renderOffscreen(viewport, rgb)) {
        // No framebuffer objects: the hidden window's own back buffer, at its size.
        renderFrame(viewport);
        rgb = readFrame(viewport);
    }
    const std::vector<uint8_t> bmp = encodeBmp(viewport.width, viewport.height, rgb);
    char line[MAX_PATH + 100];
    std::snprintf(line, sizeof line, t(Text::pictureNotSaved), options.pictureName.c_str());
    if (!writeWholeFile(options.pictureName, bmp)) return fail(line);
    destroyGlContext();
    DestroyWindow(mainWindow);
    return 0;
}

// The benchmark: frames of a turning scene at the window's size, each timed from the
// first GL call to the end of SwapBuffers; the median and the drawn share on stdout.
int runBenchmark()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    long drawnPixels = 0;
    for (int frame = 0; frame < options.benchFrames; frame++) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        camera = orbit(camera, 2, 0);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        renderFrame(clientSize);
        if (frame == 0) {
            const std::vector<uint8_t> rgb = readFrame(clientSize);
            for (size_t i = 0; i + 2 < rgb.size(); i += 3)
                if (rgb[i] != 40 || rgb[i + 1] != 44 || rgb[i + 2] != 52) drawnPixels++;
            QueryPerformanceCounter(&start);  // reading back is not part of a frame
            renderFrame(clientSize);
        }
        SwapBuffers(windowDc);
        glFinish();
        QueryPerformanceCounter(&end);
        times.push_back(double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::printf("rtd frames %d at %dx%d, renderer %s: median %.2f ms, min %.2f ms, max %.2f ms, drawn pixels %ld\n",
                int(times.size()), clientSize.width, clientSize.height, renderer ? renderer : "?",
                times[times.size() / 2], times.front(), times.back(), drawnPixels);
    std::fflush(stdout);
    return drawnPixels > 0 ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    std::vector<std::string> arguments(__argv + 1, __argv + __argc);
    options = parseOptions(arguments);
    loadScene(options.fileName);
    lightingOn = !options.flat;
    edgesOn = options.edges;
    updateProblemText();
    if (!registerWindowClass(instance)) return 1;
    if (!options.pictureName.empty()) return renderBatch(instance);

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
