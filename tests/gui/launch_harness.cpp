// launch_harness.cpp: program copies with stand-ins, logs, message box facts and the host's
// shell.
#include "tests/gui/launch_harness.h"

#include <tlhelp32.h>

#include <cstdio>

bool startProgramBeside(Program& program, const std::string& workFolder, bool withStandInSolver)
{
    if (!copyFile(runFolder + "\\kubo_puzzle_select.exe", workFolder + "\\kubo_puzzle_select.exe")) {
        recordFailure("cannot copy the program into " + workFolder, __FILE__, __LINE__);
        return false;
    }
    if (withStandInSolver &&
        !copyFile(testProgramFolder() + "\\stand_in_solver.exe", workFolder + "\\kubo_puzzle_erg.exe")) {
        recordFailure("cannot copy the stand-in solver into " + workFolder, __FILE__, __LINE__);
        return false;
    }
    return startProgramFrom(program, workFolder, workFolder);
}

bool startProgramWithStandInSolver(Program& program, const std::string& workFolder)
{
    return startProgramBeside(program, workFolder, true);
}

void writeTextFile(const std::string& path, const std::string& text)
{
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
}

std::vector<std::string> readLines(const std::string& path)
{
    std::vector<std::string> lines;
    const std::string text = readFile(path);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> waitForLines(const std::string& path, size_t count, int timeoutMs)
{
    const DWORD start = GetTickCount();
    std::vector<std::string> lines = readLines(path);
    while (lines.size() < count && GetTickCount() - start < DWORD(timeoutMs)) {
        Sleep(20);
        lines = readLines(path);
    }
    return lines;
}

// Pixels of a rectangle, from a 32-bit DIB section that src was copied into.
static std::vector<uint32_t> grab(HDC src, int x, int y, int w, int h)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(src);
    HBITMAP dib = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, src, x, y, SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + size_t(w) * size_t(h));
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    return pixels;
}

// Another process's icon handle cannot be read here, so the icon is told by its pixels on
// the screen: each system icon is drawn on the box's background and compared.
static std::string iconKind(HWND box)
{
    HWND icon = GetDlgItem(box, 1088);
    if (!icon) return "none";
    RECT r = {};
    GetWindowRect(icon, &r);
    const int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
    HDC screen = GetDC(nullptr);
    // A box just shown may still be blank where its icon goes: wait until the area holds
    // more than the background and stays the same for 20 ms.
    COLORREF background = GetPixel(screen, r.right, r.top);
    std::vector<uint32_t> shown = grab(screen, r.left, r.top, w, h);
    for (int attempt = 0; attempt < 50; attempt++) {
        Sleep(20);
        std::vector<uint32_t> again = grab(screen, r.left, r.top, w, h);
        background = GetPixel(screen, r.right, r.top);
        const uint32_t plain = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
        bool drawn = false;
        for (uint32_t pixel : again) drawn = drawn || (pixel & 0xFFFFFF) != plain;
        if (drawn && again == shown) break;
        shown = again;
    }
    const struct {
        LPCSTR id;
        const char* name;
    } kinds[] = {{IDI_INFORMATION, "information"}, {IDI_QUESTION, "question"},
                 {IDI_WARNING, "warning"}, {IDI_ERROR, "error"}};
    std::string best = "other";
    size_t bestDiffering = shown.size() / 20;  // at most 5 % off
    for (const auto& kind : kinds) {
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateCompatibleBitmap(screen, w, h);
        HGDIOBJ old = SelectObject(memory, canvas);
        HBRUSH brush = CreateSolidBrush(background);
        RECT all = {0, 0, w, h};
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memory, 0, 0, LoadIconA(nullptr, kind.id), w, h, 0, nullptr, DI_NORMAL);
        const std::vector<uint32_t> drawn = grab(memory, 0, 0, w, h);
        SelectObject(memory, old);
        DeleteObject(canvas);
        DeleteDC(memory);
        size_t differing = 0;
        for (size_t i = 0; i < shown.size(); i++) differing += shown[i] != drawn[i];
        if (differing < bestDiffering) {
            bestDiffering = differing;
            best = kind.name;
        }
    }
    ReleaseDC(nullptr, screen);
    return best;
}

BoxFacts boxFacts(HWND box)
{
    BoxFacts facts = {windowText(box), messageBoxText(box), "", 0, iconKind(box), false, false};
    for (int id = IDOK; id <= IDNO; id++) {
        HWND button = GetDlgItem(box, id);
        if (!button) continue;
        if (!facts.buttons.empty()) facts.buttons += ' ';
        facts.buttons += std::to_string(id);
        if ((GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) facts.defaultButton = id;
    }
    facts.topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    facts.owned = GetWindow(box, GW_OWNER) != nullptr;
    return facts;
}

BoxFacts takeBox(Program& program, int buttonId, HWND* boxOut, int timeoutMs)
{
    HWND box = findMessageBox(program, timeoutMs);
    if (boxOut) *boxOut = box;
    if (!box) {
        recordFailure("no message box appeared", __FILE__, __LINE__);
        return {"", "", "", 0, "", false, false};
    }
    const BoxFacts facts = boxFacts(box);
    if (buttonId && !answerMessageBox(box, buttonId))
        recordFailure("cannot answer the box \"" + facts.caption + "\" with " + std::to_string(buttonId),
                      __FILE__, __LINE__);
    return facts;
}

bool noBoxFor(const Program& program, int ms) { return findMessageBox(program, ms) == nullptr; }

static std::vector<DWORD> childrenOf(const Program& program)
{
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return children;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == program.process.dwProcessId && entry.th32ProcessID != 0)
            children.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return children;
}

int runningChildren(const Program& program) { return int(childrenOf(program).size()); }

bool waitForChildrenEnd(const Program& program, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (runningChildren(program) > 0) {
        if (GetTickCount() - start > DWORD(timeoutMs)) return false;
        Sleep(50);
    }
    return true;
}

void endChildren(const Program& program)
{
    for (DWORD id : childrenOf(program)) {
        HANDLE child = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!child) continue;
        TerminateProcess(child, 99);
        WaitForSingleObject(child, 5000);
        CloseHandle(child);
    }
}

std::string hostPathOf(const std::string& path)
{
    using Convert = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    if (!convert || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return "";
    char* host = convert(wide);
    if (!host) return "";
    const std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// Wine's handle of a host process tells neither its end nor its exit code, so the script
// leaves its exit code in a file.
bool runHostShell(const std::string& script, const std::string& folder)
{
    const std::string status = folder + "\\host_shell_status";
    DeleteFileA(status.c_str());
    const std::string hostFolder = hostPathOf(folder);
    std::string line = "/bin/sh -c \"" + script + "; echo $? > '" + hostFolder + "/host_shell_status.new' && mv '" +
                       hostFolder + "/host_shell_status.new' '" + hostFolder + "/host_shell_status'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (hostFolder.empty() ||
        !CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const DWORD start = GetTickCount();
    while (!fileExists(status) && GetTickCount() - start < 10000) Sleep(20);
    const bool succeeded = readFile(status) == "0\n";
    DeleteFileA(status.c_str());
    return succeeded;
}
