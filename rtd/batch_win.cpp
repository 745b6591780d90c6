// batch_win.cpp: pictures into files and timed frames: the Save picture command, the
// batch form that renders one picture without showing a window, and the benchmark.
#include "rtd/rtd_state.h"

#include <GL/gl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>

namespace {

const char* t(Text id) { return text(view.language, id); }

bool writeWholeFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written && !bytes.empty();
}

// One message of the batch form per line on the error stream. The texts are code page
// 1252; a console shows them through its own code page, so a console gets them as
// UTF-16, and a pipe or a file the bytes as they are.
void report(const std::string& message)
{
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    const bool console = err && err != INVALID_HANDLE_VALUE && GetConsoleMode(err, &mode);
    size_t start = 0;
    while (start < message.size()) {
        size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        const std::string line = "rtd: " + message.substr(start, end - start) + "\n";
        start = end + 1;
        if (console) {
            std::wstring wide(line.size(), L' ');
            const int n = MultiByteToWideChar(1252, 0, line.data(), int(line.size()), &wide[0], int(wide.size()));
            DWORD written = 0;
            WriteConsoleW(err, wide.data(), DWORD(n > 0 ? n : 0), &written, nullptr);
        } else {
            std::fputs(line.c_str(), stderr);
        }
    }
    std::fflush(stderr);
}

}  // namespace

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
    view.statusText = line;
}

// Exit code 1 when there is no picture.
int renderBatch(HINSTANCE instance)
{
    const auto fail = [](const std::string& why) {
        report(why);
        return 1;
    };
    // A call that cannot be used ends here, before any window exists.
    if (options.problem != OptionProblem::none || options.fileName.empty()) return fail(problemText);
    for (const SlpNote& note : scene.notes) report(describeNote(view.language, note, options.fileName));
    if (!sceneUsable) return 1;
    const std::string stepProblem = buildUpStepProblem();
    if (!stepProblem.empty()) return fail(stepProblem);
    // The step's line, for the text beside the picture in an assembly guide.
    if (options.buildUpStep >= 0)
        std::printf("%s\n", buildUpStatus(view.language, currentBuildUpSteps(), visibility.buildUpCount).c_str());
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

// Frames of a turning scene at the window's size, each timed from the first GL call to
// the end of SwapBuffers; the median and the drawn share on stdout.
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
