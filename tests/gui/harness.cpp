// harness.cpp: process, probe, window and input helpers of the GUI test driver.
#include "tests/gui/harness.h"

#include <cstdio>
#include <cstring>

#include "model/solution_table.h"
#include "tests/gui/probe_protocol.h"
#include "tests/support/table_file.h"
#include "tests/support/window_support.h"

std::string runFolder;

static const int windowTimeoutMs = 10000;
// The first start in a fresh prefix can take much longer than the usual fraction of a second.
static const int startTimeoutMs = 30000;

std::string windowHex(HWND window)
{
    char text[32];
    std::snprintf(text, sizeof text, "%llx", (unsigned long long)(uintptr_t)window);
    return text;
}

std::string testProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = std::strrchr(path, '\\');
    if (slash) *slash = 0;
    return path;
}

std::string makeWorkFolder(const char* tag)
{
    static int serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof folder, "%skubo_gui_%lu_%d_%s", temp, GetCurrentProcessId(),
                  ++serial, tag);
    CreateDirectoryA(folder, nullptr);
    return folder;
}

static void removeTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void writeTable(const std::string& folder, int count, int extraBytes)
{
    writeTableFile(folder + "\\" + solutionTableName, numberedRecords(count), std::string(size_t(extraBytes), '\0'));
}

// Under Wine, CreateRemoteThread waits until the target process takes the request; a
// program hung inside a system library never does, and the driver would wait forever.
// So the call is made on a thread of its own, which is left behind when it does not return.
struct RemoteThreadCall {
    HANDLE process;
    LPTHREAD_START_ROUTINE start;
    void* argument;
    HANDLE thread;
};

static DWORD WINAPI callCreateRemoteThread(void* parameter)
{
    RemoteThreadCall* call = static_cast<RemoteThreadCall*>(parameter);
    call->thread = CreateRemoteThread(call->process, nullptr, 0, call->start, call->argument, 0, nullptr);
    return 0;
}

static HANDLE createRemoteThreadWithin(HANDLE process, LPTHREAD_START_ROUTINE start, void* argument, DWORD timeoutMs)
{
    RemoteThreadCall* call = new RemoteThreadCall{process, start, argument, nullptr};
    HANDLE caller = CreateThread(nullptr, 0, callCreateRemoteThread, call, 0, nullptr);
    if (!caller) {
        delete call;
        return nullptr;
    }
    const bool returned = WaitForSingleObject(caller, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(caller);
    if (!returned) {
        recordFailure("the program did not take the probe: it hangs", __FILE__, __LINE__);
        return nullptr;  // the call and its thread stay behind
    }
    HANDLE thread = call->thread;
    delete call;
    return thread;
}

// Under Wine the remote thread is started by a signal to the program's main thread. If that
// signal lands while the thread holds the C library's allocator lock (as it does again and
// again while OpenGL compiles its shaders for the first frames), the new thread waits on that
// lock for ever and the program hangs. So the probe is loaded only once the program waits
// for input with its queue empty, that is, after its first frames.
static void waitUntilIdle(Program& program)
{
    WaitForInputIdle(program.process.hProcess, startTimeoutMs);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(program.window, WM_NULL, 0, 0, SMTO_NORMAL, startTimeoutMs, &result);
    // WaitForInputIdle may return before the first paint; after the message above, the
    // queue's paint is the next thing the thread does before it waits again.
    WaitForInputIdle(program.process.hProcess, startTimeoutMs);
}

static bool attachProbe(Program& program)
{
    const std::string dll = testProgramFolder() + "\\kubo_probe.dll";
    HANDLE process = program.process.hProcess;
    waitUntilIdle(program);
    void* remote = VirtualAllocEx(process, nullptr, dll.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(process, remote, dll.c_str(), dll.size() + 1, nullptr)) return false;
    // kernel32 lies at the same address in every process, so our LoadLibraryA is theirs.
    auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    HANDLE thread = createRemoteThreadWithin(process, loadLibrary, remote, 10000);
    if (!thread) return false;
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);

    char pipeName[64];
    std::snprintf(pipeName, sizeof pipeName, "%s%lu", probePipePrefix, program.process.dwProcessId);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        HANDLE pipe = CreateFileA(pipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) {
            DWORD mode = PIPE_READMODE_MESSAGE;
            SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);
            program.probePipe = pipe;
            // Once the loop takes a marker, start-up (menu, zoom, showing) is complete.
            return probe(program, "hook " + windowHex(program.window)) == "ok" && settle(program);
        }
        Sleep(10);
    }
    return false;
}

bool launchProgram(Program& program, const std::string& commandLine, const std::string& workFolder,
                   const char* windowClass)
{
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, workFolder.c_str(), &startup,
                        &program.process)) {
        recordFailure("cannot start " + commandLine, __FILE__, __LINE__);
        return false;
    }
    program.window = waitForWindow(program.process.dwProcessId, windowClass, startTimeoutMs);
    if (!program.window) {
        recordFailure("no window of class " + std::string(windowClass ? windowClass : "(any)") + " appeared",
                      __FILE__, __LINE__);
        return false;
    }
    return true;
}

bool startProgramWith(Program& program, const std::string& commandLine, const std::string& workFolder,
                      const char* windowClass)
{
    program.workFolder = workFolder;
    if (!launchProgram(program, commandLine, workFolder, windowClass)) return false;
    if (!attachProbe(program)) {
        recordFailure("cannot load the probe into the program", __FILE__, __LINE__);
        return false;
    }
    return true;
}

bool startProgramFrom(Program& program, const std::string& programFolder, const std::string& workFolder)
{
    return startProgramWith(program, "\"" + programFolder + "\\kubo_puzzle_select.exe\"", workFolder, mainWindowClass);
}

bool startProgram(Program& program, const std::string& workFolder)
{
    return startProgramFrom(program, runFolder, workFolder);
}

long closeProgram(Program& program)
{
    if (!program.process.hProcess) return -1;
    PostMessageA(program.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(program.process.hProcess, windowTimeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(program.process.hProcess, &code);
    return long(code);
}

void endProgram(Program& program)
{
    if (program.probePipe != INVALID_HANDLE_VALUE) CloseHandle(program.probePipe);
    program.probePipe = INVALID_HANDLE_VALUE;
    if (program.process.hProcess) {
        if (WaitForSingleObject(program.process.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(program.process.hProcess, 99);
            WaitForSingleObject(program.process.hProcess, windowTimeoutMs);
        }
        CloseHandle(program.process.hProcess);
        CloseHandle(program.process.hThread);
        program.process = {};
    }
    if (!program.workFolder.empty()) removeTree(program.workFolder);
    program.workFolder.clear();
}

std::string probe(Program& program, const std::string& request)
{
    if (program.probePipe == INVALID_HANDLE_VALUE) return "no probe";
    static char reply[1 << 16];
    DWORD got = 0;
    if (!TransactNamedPipe(program.probePipe, const_cast<char*>(request.data()), DWORD(request.size()),
                           reply, sizeof reply, &got, nullptr))
        return "probe failed";
    return std::string(reply, got);
}

bool settle(Program& program)
{
    static const UINT marker = RegisterWindowMessageA(probeMarkerMessageName);
    const long number = ++program.markerNumber;
    PostMessageA(program.window, marker, WPARAM(number), 0);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < DWORD(windowTimeoutMs)) {
        if (std::atol(probe(program, "marker").c_str()) >= number) return true;
        Sleep(2);
    }
    recordFailure("the program did not take its posted messages in time", __FILE__, __LINE__);
    return false;
}

HWND control(const Program& program, int id) { return GetDlgItem(program.window, id); }

void command(Program& program, int id) { PostMessageA(program.window, WM_COMMAND, WPARAM(id), 0); }

std::string windowText(HWND window)
{
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string editText(HWND edit)
{
    char text[4096] = "";
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string className(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT clientRectIn(HWND child, HWND parent)
{
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE clientSize(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The outer size of a top-level window whose client area is width x height: the frame,
// caption and menu bar as the window has them now.
static SIZE outerSizeFor(HWND window, int width, int height)
{
    RECT outer = {}, inner = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    return {width + (outer.right - outer.left) - inner.right, height + (outer.bottom - outer.top) - inner.bottom};
}

bool setClientSize(Program& program, int width, int height)
{
    const SIZE outer = outerSizeFor(program.window, width, height);
    SetWindowPos(program.window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle(program);
    const SIZE now = clientSize(program.window);
    return now.cx == width && now.cy == height;
}

void placeWindow(HWND window, int width, int height)
{
    const SIZE outer = outerSizeFor(window, width, height);
    SetWindowPos(window, HWND_TOP, 0, 0, outer.cx, outer.cy, SWP_SHOWWINDOW);
}

void typeChars(Program& program, HWND edit, const std::string& text)
{
    for (unsigned char c : text) PostMessageA(edit, WM_CHAR, c, 1);
    settle(program);
}

void clickAt(Program& program, int x, int y, bool right)
{
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(program.window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageA(program.window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    settle(program);
}

HWND findMessageBox(const Program& program, int timeoutMs)
{
    return waitForWindow(program.process.dwProcessId, "#32770", timeoutMs);
}

std::string messageBoxText(HWND box) { return windowText(GetDlgItem(box, 0xFFFF)); }

bool answerMessageBox(HWND box, int buttonId)
{
    HWND button = GetDlgItem(box, buttonId);
    if (!button) return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    return waitUntilGone(box, windowTimeoutMs);
}

bool waitUntilGone(HWND window, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > DWORD(timeoutMs)) return false;
        Sleep(5);
    }
    return true;
}

COLORREF screenPixelAt(int x, int y)
{
    // A read right after a repaint can be stale; take the value once two reads agree.
    COLORREF previous = CLR_INVALID;
    for (int attempt = 0; attempt < 50; attempt++) {
        HDC dc = GetDC(nullptr);
        const COLORREF now = GetPixel(dc, x, y);
        ReleaseDC(nullptr, dc);
        if (now == previous) return now;
        previous = now;
        Sleep(5);
    }
    return previous;
}

COLORREF pixelAt(HWND window, int x, int y)
{
    // Another process's window DC reads nothing here; the screen holds the same pixels.
    POINT p = {x, y};
    ClientToScreen(window, &p);
    return screenPixelAt(p.x, p.y);
}

static void drain(HANDLE pipe, std::string& into)
{
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[4096];
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
        into.append(buffer, got);
    }
}

bool startConsoleProgram(const std::string& commandLine, const std::string& folder, HANDLE out, HANDLE err,
                         PROCESS_INFORMATION& process)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::string line = commandLine;
    return CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, folder.c_str(),
                          &startup, &process) != 0;
}

ConsoleRun runConsole(const std::string& commandLine, const std::string& folder, int timeoutMs)
{
    ConsoleRun run = {-1, "", ""};
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 1 << 16);
    CreatePipe(&errRead, &errWrite, &inherit, 1 << 16);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION process = {};
    const bool started = startConsoleProgram(commandLine, folder, outWrite, errWrite, process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (started) {
        const DWORD start = GetTickCount();
        while (WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT) {
            drain(outRead, run.out);
            drain(errRead, run.err);
            if (GetTickCount() - start > DWORD(timeoutMs)) {
                TerminateProcess(process.hProcess, 99);
                break;
            }
        }
        drain(outRead, run.out);
        drain(errRead, run.err);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code) && GetTickCount() - start <= DWORD(timeoutMs))
            run.exitCode = long(code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    } else {
        recordFailure("cannot start " + commandLine, __FILE__, __LINE__);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return run;
}

std::string readFile(const std::string& path)
{
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
    return text;
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// True while another process holds the file open: then it cannot be opened exclusively.
bool heldOpenElsewhere(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

bool copyFile(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0; }

// A capture's point (x, y) is the client point (x, y).
Capture captureClient(HWND window)
{
    Capture capture;
    captureScreen(clientRectOnScreen(window), capture);
    return capture;
}

bool saveScreenBmp(const std::string& path)
{
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    Capture capture;
    return captureScreen(screen, capture) && writeBmp(path, capture);
}
