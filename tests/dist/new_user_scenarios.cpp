// new_user_scenarios.cpp: the release as a new user meets it. The driver's run folder is
// the freshly unpacked zip, nothing else in it; the viewer is started there, computes its
// own table through the real solver and then shows solution 1 when the user types 1.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/command_ids.h"
#include "tests/gui/harness.h"

namespace {

// The number of records of the whole table, as the solver's own tests know it.
const long long fullTableBytes = 409963LL * 24;
const int solverTimeoutMs = 600000;  // a busy machine under Wine; it takes seconds when idle

DWORD tableBytes(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return data.nFileSizeLow;
}

// The running process of that program, opened for waiting, or null after timeoutMs.
HANDLE waitForProcess(const char* exeName, int timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        DWORD found = 0;
        for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
            if (_stricmp(entry.szExeFile, exeName) == 0) found = entry.th32ProcessID;
        CloseHandle(snapshot);
        if (found) {
            HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, found);
            if (process) return process;
        }
        Sleep(20);
    } while (GetTickCount() - start < DWORD(timeoutMs));
    return nullptr;
}

// The thick piece edges are pure blue; nothing else in the window is, so solution 1 on
// screen shows as many more blue pixels than the empty box before it.
int bluePixels(HWND window)
{
    const Capture capture = captureClient(window);
    int count = 0;
    for (uint32_t pixel : capture.pixels) count += pixel == 0x0000FF;
    return capture.pixels.empty() ? -1 : count;
}

// Milliseconds since the Unix epoch, the clock that the test script started from.
long long unixMs()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return ticks / 10000 - 11644473600000LL;
}

}  // namespace

SCENARIO(new_user_first_start)
{
    const std::string folder = runFolder;
    const std::string table = folder + "\\kubo_puzzle_erg.bin";
    REQUIRE(fileExists(folder + "\\kubo_puzzle_select.exe"));
    REQUIRE(!fileExists(table));

    Program program;
    const DWORD started = GetTickCount();
    std::string commandLine = "\"" + folder + "\\kubo_puzzle_select.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    REQUIRE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                           &startup, &program.process));
    for (DWORD t = GetTickCount(); !program.window && GetTickCount() - t < 30000; Sleep(20)) {
        HWND window = FindWindowA(mainWindowClass, nullptr);
        if (window && IsWindowVisible(window)) program.window = window;
    }
    CHECK(program.window != nullptr);

    // Without a table the solver starts by itself in its console and says so in a box.
    HANDLE solver = waitForProcess("kubo_puzzle_erg.exe", 30000);
    CHECK(solver != nullptr);
    HWND box = findMessageBox(program, 30000);
    CHECK(box != nullptr);
    if (box) {
        CHECK_EQ(windowText(box), std::string("Berechnung gestartet"));
        CHECK(answerMessageBox(box, IDOK));
    }
    if (!program.window || !solver || !box) {
        if (solver) TerminateProcess(solver, 1);
        endProgram(program);
        return;
    }

    // The table appears while the solver works, and is whole when it ends.
    DWORD firstRecords = 0;
    while (GetTickCount() - started < DWORD(solverTimeoutMs)) {
        if (!firstRecords && tableBytes(table) >= 24) firstRecords = GetTickCount() - started;
        if (WaitForSingleObject(solver, 50) == WAIT_OBJECT_0) break;
    }
    if (!firstRecords && tableBytes(table) >= 24) firstRecords = GetTickCount() - started;
    DWORD solverCode = STILL_ACTIVE;
    GetExitCodeProcess(solver, &solverCode);
    const DWORD solverDone = GetTickCount() - started;
    CHECK(firstRecords > 0);
    CHECK_EQ(solverCode, DWORD(0));
    CHECK_EQ(static_cast<long long>(tableBytes(table)), fullTableBytes);
    if (solverCode == STILL_ACTIVE) TerminateProcess(solver, 1);
    CloseHandle(solver);

    // Typing 1 draws solution 1: the thick blue piece edges beside the box's thin outline.
    const int before = bluePixels(program.window);
    HWND field = control(program, idSolutionNumber);
    REQUIRE(field != nullptr);
    PostMessageA(field, WM_CHAR, '1', 1);
    for (DWORD t = GetTickCount(); editText(field) != "1" && GetTickCount() - t < 5000;) Sleep(20);
    CHECK_EQ(editText(field), std::string("1"));
    int after = bluePixels(program.window);
    for (DWORD t = GetTickCount(); after < before + 1000 && GetTickCount() - t < 10000; Sleep(100))
        after = bluePixels(program.window);
    const DWORD drawn = GetTickCount() - started;
    CHECK(after >= before + 1000);

    std::printf("         first records after %lu ms, table whole after %lu ms, solution 1 on screen "
                "after %lu ms (blue pixels %d before typing, %d after)\n",
                firstRecords, solverDone, drawn, before, after);
    if (const char* unpacked = std::getenv("KUBO_UNPACK_START_MS"))
        std::printf("         from unpacking to solution 1 on screen: %lld ms\n",
                    unixMs() - std::atoll(unpacked));
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);  // its work folder is empty: the unpacked release stays as it is
}
