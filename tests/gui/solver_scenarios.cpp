// The solver as Windows runs it: two solvers started in one folder, where the second must
// leave the table to the first, whose share mode is the only lock there is, and which the
// check sees; and a solver that fails in a console of its own, which it keeps open.
#include <string>

#include "tests/gui/harness.h"

namespace {

long fileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return long(data.nFileSizeLow);
}

}  // namespace

SCENARIO(solver_second_start_in_one_folder_leaves_the_table_to_the_first)
{
    Program first;
    first.workFolder = makeWorkFolder("two_solvers");
    const std::string table = first.workFolder + "\\kubo_puzzle_erg.bin";
    const std::string solver = "\"" + runFolder + "\\kubo_puzzle_erg.exe\"";

    // The first one runs in a console of its own, its output going to a file, as long as
    // it takes to write the whole table.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE log = CreateFileA((first.workFolder + "\\erster.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                             &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(log != INVALID_HANDLE_VALUE);
    const bool started = startConsoleProgram(solver, first.workFolder, log, log, first.process);
    CloseHandle(log);
    if (!started) endProgram(first);
    REQUIRE(started);

    const long someRecords = 10 * 24;
    for (int i = 0; i < 600 && fileSize(table) < someRecords; i++) Sleep(50);
    const long before = fileSize(table);
    CHECK(before >= someRecords);

    const ConsoleRun second = runConsole(solver + " -j 1", first.workFolder);
    CHECK_EQ(second.exitCode, 1L);
    CHECK(second.err.find("In die L\xF6sungstabelle \"") != std::string::npos);
    CHECK(second.err.find("schreibt gerade ein anderes Programm (l\xE4uft schon ein kubo_puzzle_erg in "
                          "diesem Ordner?).") != std::string::npos);
    CHECK(fileSize(table) >= before);  // the second one emptied nothing
    // The check knows that the table is still growing.
    const ConsoleRun early = runConsole(solver + " -p", first.workFolder);
    CHECK_EQ(early.exitCode, 1L);
    CHECK(early.err.find("\"kubo_puzzle_erg.bin\" wird gerade geschrieben") != std::string::npos);

    const bool ended = WaitForSingleObject(first.process.hProcess, 180000) == WAIT_OBJECT_0;
    CHECK(ended);
    DWORD code = 99;
    if (ended) GetExitCodeProcess(first.process.hProcess, &code);
    CHECK_EQ(long(code), 0L);
    CHECK(readFile(first.workFolder + "\\erster.txt").find("Fertig: 409.963 L\xF6sungen") != std::string::npos);
    const ConsoleRun check = runConsole(solver + " -p", first.workFolder, 60000);
    CHECK_EQ(check.exitCode, 0L);
    CHECK(check.out.find("Ergebnis: in Ordnung.") != std::string::npos);
    endProgram(first);
}

SCENARIO(solver_failing_in_a_console_of_its_own_waits_for_a_key)
{
    // Started as the viewer starts it: a console of its own, nothing redirected. Its
    // message would go with the console, so it waits for a key.
    Program solver;
    solver.workFolder = makeWorkFolder("solver_fails");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = "\"" + runFolder + "\\kubo_puzzle_erg.exe\" -p fehlt.bin";
    REQUIRE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                           solver.workFolder.c_str(), &startup, &solver.process));
    CHECK(WaitForSingleObject(solver.process.hProcess, 2000) == WAIT_TIMEOUT);

    // A key pressed in its console ends it, with the exit code of its failure.
    FreeConsole();
    if (AttachConsole(solver.process.dwProcessId)) {
        HANDLE input = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
        INPUT_RECORD key[2] = {};
        for (int i = 0; i < 2; i++) {
            key[i].EventType = KEY_EVENT;
            key[i].Event.KeyEvent.bKeyDown = i == 0;
            key[i].Event.KeyEvent.wRepeatCount = 1;
            key[i].Event.KeyEvent.wVirtualKeyCode = VK_SPACE;
            key[i].Event.KeyEvent.uChar.AsciiChar = ' ';
        }
        DWORD written = 0;
        CHECK(WriteConsoleInputA(input, key, 2, &written));
        CloseHandle(input);
        FreeConsole();
        CHECK(WaitForSingleObject(solver.process.hProcess, 5000) == WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(solver.process.hProcess, &code);
        CHECK_EQ(long(code), 1L);
    } else {
        std::printf("         (this Wine cannot attach to another console; the key is left out)\n");
    }
    endProgram(solver);
}
