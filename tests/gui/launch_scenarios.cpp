// The programs the viewer starts: the solver at start-up and from the menu, with its
// question, warnings and boxes; START with its placement file and the viewer command; and
// browsing the table while the real solver still writes it.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "launch/placement_file.h"
#include "shell/command_ids.h"
#include "tests/gui/launch_harness.h"

namespace {

const char* const startedText =
    "Die Berechnung der L\xF6sungstabelle wurde gestartet. Dies kann einige Zeit dauern, bitte haben Sie "
    "deshalb jetzt etwas Geduld:\nAuf meinem Testrechner ben\xF6tigte dieser Rechenlauf\n\n ca. 3\xBD Stunden "
    "Rechenzeit.\n\n[in Worten: sieben mal drei\xDFig Minuten]";
const char* const askText =
    "Sie wollen die L\xF6sungstabelle neu berechnen lassen, obwohl die Datei \"kubo_puzzle_erg.bin\" bereits "
    "vorhanden ist?\nDa diese Berechnung einige Stunden dauern kann (gemessen auf meinem Testrechner), "
    "\xFC" "berlegen Sie es sich gut, ob sie dies jetzt tun wollen, denn Sie sollten den Berechnungslauf nicht "
    "vorzeitig abbrechen.\n\nWollen Sie nun die L\xF6sungstabelle neu berechnen?";
const char* const stillRunningText =
    "Es wurde bereits eine L\xF6sungssuche gestartet und diese ist nochnicht beendet.\n";
const char* const searchRunningText =
    "Um die L\xF6sungsssuche starten zu k\xF6nnen, mu\xDF die Filtersuche erst abgeschlossen sein!";
const char* const checkCaption = "L\xF6sungssuche starten ...";

void checkStartedBox(const BoxFacts& box)
{
    CHECK_EQ(box.caption, std::string("Berechnung gestartet"));
    CHECK_EQ(box.text, std::string(startedText));
    CHECK_EQ(box.buttons, std::string("1"));
    CHECK_EQ(box.icon, std::string("information"));
    CHECK(box.topmost);
    CHECK(box.owned);
}

void checkAskBox(const BoxFacts& box)
{
    CHECK_EQ(box.caption, std::string("kubo-Puzzle-L\xF6sungstabelle berechnen"));
    CHECK_EQ(box.text, std::string(askText));
    CHECK_EQ(box.buttons, std::string("1 2"));
    CHECK_EQ(box.defaultButton, IDCANCEL);
    CHECK_EQ(box.icon, std::string("question"));
    CHECK(!box.topmost);
}

void checkStillRunningBox(const BoxFacts& box)
{
    CHECK_EQ(box.caption, std::string(checkCaption));
    CHECK_EQ(box.text, std::string(stillRunningText));
    CHECK_EQ(box.buttons, std::string("2 4"));
    CHECK_EQ(box.defaultButton, IDCANCEL);
    CHECK_EQ(box.icon, std::string("warning"));
    CHECK(!box.topmost);
}

std::string tablePath(const std::string& folder) { return folder + "\\kubo_puzzle_erg.bin"; }

void setText(Program& program, HWND field, const std::string& text)
{
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    settle(program);
}

void click(Program& program, int id)
{
    PostMessageA(control(program, id), BM_CLICK, 0, 0);
    settle(program);
}

// ---- the placement files of known records, worked out by hand ----------------------
// Each line: the piece, the x, y and z columns and the translation of its placement, the
// record's word decoded (axis bits 10-11, signs 9 and 7, the y axis from bit 8, x y z from
// bits 4-6, 2-3, 0-1) and then turned by the letter's variant. As a text-mode stream
// writes them: CR LF line ends.

// Record 2 of the stand-in solver's table as solution 2b: the half turn about z, then
// moved by (4, 3, 0).
const char placementOfStandIn2b[] =
    " 1    0  0  1 -1  0  0  0 -1  0  0  1  2\r\n"
    " 2   -1  0  0  0 -1  0  0  0  1  0  0  3\r\n"
    " 3    0 -1  0  0  0  1 -1  0  0 -1  2  0\r\n"
    " 4    0  0  1 -1  0  0  0 -1  0 -1  1  1\r\n"
    " 5   -1  0  0  0 -1  0  0  0  1 -1  0  2\r\n"
    " 6    0 -1  0  0  0  1 -1  0  0 -2  3  3\r\n"
    " 7    0  0  1 -1  0  0  0 -1  0 -2  1  0\r\n"
    " 8   -1  0  0  0 -1  0  0  0  1 -2  0  1\r\n"
    " 9    0 -1  0  0  0  1 -1  0  0 -3  3  2\r\n"
    "10    0  0  1 -1  0  0  0 -1  0 -3  2  3\r\n"
    "11   -1  0  0  0 -1  0  0  0  1 -3  0  0\r\n"
    "12    0 -1  0  0  0 -1  1  0  0  4  3  1\r\n";

// Record 17 of the export table (exportWord) as 17c: the half turn about y, moved by
// (4, 0, 2). Words 3 (no piece) and 7 (piece 13) give no line.
const char placementOfExport17c[] =
    " 1    0  0  1  0 -1  0  1  0  0  4  1  1\r\n"
    " 2    1  0  0  0  0  1  0 -1  0  2  0  0\r\n"
    " 3    0 -1  0  1  0  0  0  0  1  1  3 -1\r\n"
    " 5    1  0  0  0  0  1  0 -1  0 -3  2  1\r\n"
    " 6    0  1  0  0  0 -1 -1  0  0  3  1  0\r\n"
    " 7    0  0 -1 -1  0  0  0  1  0  1  0 -1\r\n"
    " 9    0  1  0  0  0 -1 -1  0  0 -2  3  1\r\n"
    "10    0  0 -1  1  0  0  0 -1  0  4  2  0\r\n"
    "11   -1  0  0  0 -1  0  0  0  1  2  1 -1\r\n"
    "12    0  1  0  0  0  1  1  0  0  0  1  2\r\n";

// The same with the C, Z and r parts turned over: only the lines of pieces 1, 2 and 9
// differ.
const char placementOfExport17cFlipped[] =
    " 1    0  0  1  0  1  0 -1  0  0  4 -1  1\r\n"
    " 2    1  0  0  0  0 -1  0  1  0  2  2  0\r\n"
    " 3    0 -1  0  1  0  0  0  0  1  1  3 -1\r\n"
    " 5    1  0  0  0  0  1  0 -1  0 -3  2  1\r\n"
    " 6    0  1  0  0  0 -1 -1  0  0  3  1  0\r\n"
    " 7    0  0 -1 -1  0  0  0  1  0  1  0 -1\r\n"
    " 9    0  0  1  0 -1  0  1  0  0 -1  4  0\r\n"
    "10    0  0 -1  1  0  0  0 -1  0  4  2  0\r\n"
    "11   -1  0  0  0 -1  0  0  0  1  2  1 -1\r\n"
    "12    0  1  0  0  0  1  1  0  0  0  1  2\r\n";

// Record 5 of the export table as 5a: the record's own placements.
const char placementOfExport5a[] =
    " 1    0  0  1  0  1  0 -1  0  0  0  2  1\r\n"
    " 2    1  0  0  0  0  1  0 -1  0  2  1  2\r\n"
    " 3    0  1  0  1  0  0  0  0 -1  4  0  3\r\n"
    " 4    0  0  1  0  1  0 -1  0  0  6  0  0\r\n"
    " 5    1  0  0  0  0  1  0 -1  0  7  3  1\r\n"
    " 6    0  1  0 -1  0  0  0  0  1  1  2  2\r\n"
    " 7    0  0  1  0 -1  0  1  0  0  3  1  3\r\n"
    " 8    1  0  0  0  0 -1  0  1  0  5  1  0\r\n"
    " 9    0  1  0 -1  0  0  0  0  1  7  0  1\r\n"
    "10    0  0 -1  1  0  0  0 -1  0  0  3  2\r\n"
    "11   -1  0  0  0  1  0  0  0 -1  2  2  3\r\n"
    "12    0 -1  0  0  0  1 -1  0  0  4  2  0\r\n";

// The file the program writes for record words as variant 0, by the core's own text
// forming (which the files above check): for a record whose words nobody worked out.
std::string placementFileOf(const std::vector<uint16_t>& words)
{
    CurrentSolution solution = {1, 0, 1, {}, nullptr};
    for (size_t w = 0; w < words.size() && w < 12; w++) solution.record.words[w] = PlacementWord(words[w]);
    std::string file;
    for (char c : placementFileText(solution, FlipOptions{0, 0, 0})) file += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return file;
}

std::vector<uint16_t> recordAt(const std::string& table, uint32_t number)
{
    std::vector<uint16_t> words;
    const std::string bytes = readFile(table);
    const size_t at = size_t(number - 1) * 24;
    if (number == 0 || at + 24 > bytes.size()) return words;
    for (int w = 0; w < 12; w++)
        words.push_back(uint16_t(uint8_t(bytes[at + 2 * w]) | (uint8_t(bytes[at + 2 * w + 1]) << 8)));
    return words;
}

// A table whose record n has word w from wordOf(n, w).
void writeWords(const std::string& folder, int count, uint16_t (*wordOf)(uint32_t, int))
{
    std::string bytes;
    for (int n = 1; n <= count; n++)
        for (int w = 0; w < 12; w++) {
            const uint16_t word = wordOf(uint32_t(n), w);
            bytes += char(word & 0xFF);
            bytes += char(word >> 8);
        }
    writeTextFile(tablePath(folder), bytes);
}

std::string viewerCommand() { return "\"" + testProgramFolder() + "\\stand_in_viewer.exe\" -d"; }

}  // namespace

SCENARIO(launch_startup_without_table_starts_the_solver)
{
    Program program;
    const std::string folder = makeWorkFolder("notable_solver");
    if (startProgramWithStandInSolver(program, folder)) {
        // REQUIRE ends this lambda, so the program is still ended below.
        [&] {
            HWND box = nullptr;
            const BoxFacts started = takeBox(program, 0, &box);
            // The window stood before the solver was started, and no question came first.
            CHECK(IsWindowVisible(program.window));
            checkStartedBox(started);
            CHECK(GetWindow(box, GW_OWNER) == program.window);
            const std::vector<std::string> runs = waitForLines(folder + "\\" + standInSolverLog, 1, 10000);
            REQUIRE(runs.size() == 1);
            // Started as "kubo_puzzle_erg", in the program's own working folder.
            CHECK_EQ(runs[0].substr(0, runs[0].find('\t')), std::string("kubo_puzzle_erg"));
            CHECK(lstrcmpiA(runs[0].substr(runs[0].find('\t') + 1).c_str(), folder.c_str()) == 0);
            CHECK(answerMessageBox(box, IDOK));
            CHECK(noBoxFor(program, 300));
            CHECK_EQ(closeProgram(program), 0L);
        }();
    }
    endChildren(program);
    endProgram(program);
}

SCENARIO(launch_solver_missing_gives_the_failure_box)
{
    Program program;
    const std::string folder = makeWorkFolder("nosolver");
    if (startProgramBeside(program, folder, false)) {
        const BoxFacts failed = takeBox(program, IDOK);
        CHECK_EQ(failed.caption, std::string("Fehler beim Starten der L\xF6sungssuche"));
        CHECK_EQ(failed.text, std::string("Das Berechnungsprogramm \"kubo_puzzle_erg\" konnte nicht gestartet werden!"));
        CHECK_EQ(failed.buttons, std::string("1"));
        CHECK_EQ(failed.icon, std::string("warning"));
        CHECK(failed.topmost);
        // Still no table: the menu asks nothing, and a failed start left no solver to wait for.
        command(program, idStartSolver);
        const BoxFacts again = takeBox(program, IDOK);
        CHECK_EQ(again.caption, std::string("Fehler beim Starten der L\xF6sungssuche"));
        CHECK(noBoxFor(program, 300));
        CHECK_EQ(closeProgram(program), 0L);
    }
    endChildren(program);
    endProgram(program);
}

SCENARIO(launch_menu_with_table_asks_and_cancel_keeps_the_table)
{
    Program program;
    const std::string folder = makeWorkFolder("asks");
    writeTable(folder, 10);
    writeTextFile(folder + "\\" + standInSolverConfig, "records 5\n");
    if (startProgramWithStandInSolver(program, folder)) {
        // With a table, start-up starts nothing.
        CHECK(noBoxFor(program, 500));
        CHECK(!fileExists(folder + "\\" + standInSolverLog));
        HWND field = control(program, idSolutionNumber);
        typeChars(program, field, "3");
        CHECK(heldOpenElsewhere(tablePath(folder)));

        command(program, idStartSolver);
        checkAskBox(takeBox(program, IDCANCEL));
        CHECK(noBoxFor(program, 500));
        CHECK(!fileExists(folder + "\\" + standInSolverLog));
        CHECK(heldOpenElsewhere(tablePath(folder)));

        // OK closes the table before the solver starts; the next load reads the new one.
        command(program, idStartSolver);
        checkAskBox(takeBox(program, IDOK));
        checkStartedBox(takeBox(program, IDOK));
        CHECK_EQ(waitForLines(folder + "\\" + standInSolverLog, 1, 10000).size(), size_t(1));
        CHECK(waitForChildrenEnd(program, 10000));
        CHECK(!heldOpenElsewhere(tablePath(folder)));
        setText(program, field, "99");
        CHECK_EQ(editText(field), std::string("5"));
        setText(program, control(program, idViewerCommand), viewerCommand());
        setText(program, field, "2b");
        click(program, idStart);
        CHECK_EQ(readFile(folder + "\\loesungen\\kubo_puzzle_000002b.pos"),
                 std::string(placementOfStandIn2b));
        CHECK_EQ(recordAt(tablePath(folder), 2)[0], standInWord(2, 0));
        CHECK_EQ(closeProgram(program), 0L);
    }
    endChildren(program);
    endProgram(program);
}

SCENARIO(launch_second_start_warns_until_the_solver_ends)
{
    Program program;
    const std::string folder = makeWorkFolder("twice");
    const std::string log = folder + "\\" + standInSolverLog;
    writeTextFile(folder + "\\" + standInSolverConfig, "records 3\nhold\n");
    if (startProgramWithStandInSolver(program, folder)) {
        // REQUIRE ends this lambda, so the program is still ended below.
        [&] {
            checkStartedBox(takeBox(program, IDOK));
            REQUIRE(waitForLines(log, 1, 10000).size() == 1);
            const DWORD start = GetTickCount();
            while (readFile(tablePath(folder)).size() < 72 && GetTickCount() - start < 10000) Sleep(20);

            // The first solver still runs: Retry warns again, Cancel gives up.
            command(program, idStartSolver);
            checkAskBox(takeBox(program, IDOK));
            checkStillRunningBox(takeBox(program, IDRETRY));
            checkStillRunningBox(takeBox(program, IDCANCEL));
            CHECK(noBoxFor(program, 300));
            CHECK_EQ(readLines(log).size(), size_t(1));

            // Once it has ended, Retry passes and a second one starts.
            command(program, idStartSolver);
            checkAskBox(takeBox(program, IDOK));
            HWND box = nullptr;
            checkStillRunningBox(takeBox(program, 0, &box));
            writeTextFile(folder + "\\" + standInSolverStop, "");
            CHECK(waitForChildrenEnd(program, 10000));
            CHECK(answerMessageBox(box, IDRETRY));
            checkStartedBox(takeBox(program, IDOK));
            CHECK_EQ(waitForLines(log, 2, 10000).size(), size_t(2));
            CHECK(waitForChildrenEnd(program, 10000));
            CHECK_EQ(closeProgram(program), 0L);
        }();
    }
    endChildren(program);
    endProgram(program);
}

namespace {

// Words of every kind for the export: each piece turned and moved differently per record,
// and in record 17 a word without a piece and one with piece number 13.
uint16_t exportWord(uint32_t n, int w)
{
    if (n == 17 && w == 3) return 0x0ACE;
    if (n == 17 && w == 7) return 0xD123;
    const uint32_t axis = (n * 7 + uint32_t(w)) % 3;
    return uint16_t(((w + 1) << 12) | (axis << 10) | ((n * 53u + uint32_t(w) * 29u) & 0x3FFu));
}

}  // namespace

SCENARIO(launch_start_writes_the_placement_file_and_starts_the_viewer)
{
    Program program;
    const std::string folder = makeWorkFolder("export");
    writeWords(folder, 20, exportWord);
    const std::string log = folder + "\\" + standInViewerLog;
    if (startProgramWithStandInSolver(program, folder)) {
        // REQUIRE ends this lambda, so the program is still ended below.
        [&] {
            HWND field = control(program, idSolutionNumber);
            setText(program, control(program, idViewerCommand), viewerCommand());
            typeChars(program, field, "17c");
            click(program, idStart);
            const std::string name17c = "loesungen\\kubo_puzzle_000017c.pos";
            CHECK_EQ(recordAt(tablePath(folder), 17)[0], exportWord(17, 0));
            const std::string plain = readFile(folder + "\\" + name17c);
            CHECK_EQ(plain, std::string(placementOfExport17c));
            CHECK_EQ(readLines(folder + "\\" + name17c).size(), size_t(10));  // two words without a piece
            std::vector<std::string> runs = waitForLines(log, 1, 10000);
            REQUIRE(runs.size() == 1);
            CHECK_EQ(runs[0], viewerCommand() + " " + name17c);

            // The turn-over options change the lines of pieces 1, 2 and 9 in the same file.
            command(program, idMirrorC);
            command(program, idMirrorZ);
            command(program, idMirrorR);
            click(program, idStart);
            const std::string flipped = readFile(folder + "\\" + name17c);
            CHECK_EQ(flipped, std::string(placementOfExport17cFlipped));
            CHECK(flipped != plain);
            CHECK_EQ(waitForLines(log, 2, 10000).size(), size_t(2));
            command(program, idMirrorC);
            command(program, idMirrorZ);
            command(program, idMirrorR);

            // A number without a letter exports as letter a.
            setText(program, field, "5");
            click(program, idStart);
            CHECK_EQ(readFile(folder + "\\loesungen\\kubo_puzzle_000005a.pos"),
                     std::string(placementOfExport5a));
            runs = waitForLines(log, 3, 10000);
            REQUIRE(runs.size() == 3);
            CHECK_EQ(runs[2], viewerCommand() + " loesungen\\kubo_puzzle_000005a.pos");

            // A field of 259 characters is started whole; one longer is not started at
            // all, as cut short it would be another command. Either leaves the file.
            std::string longCommand = viewerCommand() + " ";
            while (longCommand.size() < 259) longCommand += char('a' + longCommand.size() % 26);
            setText(program, control(program, idViewerCommand), longCommand);
            click(program, idStart);
            runs = waitForLines(log, 4, 10000);
            REQUIRE(runs.size() == 4);
            CHECK_EQ(runs[3], longCommand + " loesungen\\kubo_puzzle_000005a.pos");
            DeleteFileA((folder + "\\loesungen\\kubo_puzzle_000005a.pos").c_str());
            setText(program, control(program, idViewerCommand), longCommand + "z");
            click(program, idStart);
            CHECK(fileExists(folder + "\\loesungen\\kubo_puzzle_000005a.pos"));

            // A command that cannot be started leaves the file and shows nothing.
            DeleteFileA((folder + "\\loesungen\\kubo_puzzle_000005a.pos").c_str());
            setText(program, control(program, idViewerCommand), "no_such_viewer_program -d");
            click(program, idStart);
            CHECK(fileExists(folder + "\\loesungen\\kubo_puzzle_000005a.pos"));
            CHECK(noBoxFor(program, 500));
            CHECK_EQ(readLines(log).size(), size_t(4));
            CHECK_EQ(closeProgram(program), 0L);
        }();
    }
    endChildren(program);
    endProgram(program);
}

SCENARIO(launch_start_before_any_load_does_nothing)
{
    Program program;
    const std::string folder = makeWorkFolder("noload");
    writeTable(folder, 10);
    if (startProgramWithStandInSolver(program, folder)) {
        setText(program, control(program, idViewerCommand), viewerCommand());
        click(program, idStart);
        // Number 0 loads nothing either.
        setText(program, control(program, idSolutionNumber), "0");
        click(program, idStart);
        CHECK(noBoxFor(program, 500));
        CHECK(!fileExists(folder + "\\loesungen"));
        CHECK(!fileExists(folder + "\\" + standInViewerLog));
        CHECK_EQ(closeProgram(program), 0L);
    }
    endChildren(program);
    endProgram(program);
}

SCENARIO(launch_placement_file_that_cannot_be_made_gives_the_failure_box)
{
    Program program;
    const std::string folder = makeWorkFolder("noexport");
    const std::string host = hostPathOf(folder + "\\loesungen");
    bool mounted = false;
    writeTable(folder, 10);
    const std::string expectedText = "Datei 'loesungen\\kubo_puzzle_000003a.pos' konnte nicht angelegt werden!";
    // A file where the folder should be: the folder cannot be made, nor the file in it.
    writeTextFile(folder + "\\loesungen", "no folder");
    if (startProgramWithStandInSolver(program, folder)) {
        setText(program, control(program, idViewerCommand), viewerCommand());
        typeChars(program, control(program, idSolutionNumber), "3");
        click(program, idStart);
        HWND box = nullptr;
        const BoxFacts failed = takeBox(program, 0, &box);
        CHECK_EQ(failed.caption, std::string("Daten\xFC" "bergabe fehlgeschlagen"));
        CHECK_EQ(failed.text, expectedText);
        CHECK_EQ(failed.buttons, std::string("1"));
        CHECK_EQ(failed.icon, std::string("warning"));
        CHECK(!failed.owned);
        CHECK(answerMessageBox(box, IDOK));

        // The file's name taken by a read-only file. Where the system lets a writer past
        // that (Wine run by root does), this case cannot arise and is left out.
        DeleteFileA((folder + "\\loesungen").c_str());
        CreateDirectoryA((folder + "\\loesungen").c_str(), nullptr);
        const std::string target = folder + "\\loesungen\\kubo_puzzle_000003a.pos";
        writeTextFile(target, "kept");
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE writer = CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (writer == INVALID_HANDLE_VALUE) {
            click(program, idStart);
            CHECK_EQ(takeBox(program, IDOK).text, expectedText);
            CHECK_EQ(readFile(target), std::string("kept"));
        } else {
            CloseHandle(writer);
            std::printf("         (a read-only file can be written here; that case is left out)\n");
        }
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);

        // A folder of that name in its place.
        DeleteFileA(target.c_str());
        CreateDirectoryA(target.c_str(), nullptr);
        click(program, idStart);
        CHECK_EQ(takeBox(program, IDOK).text, expectedText);

        // Under Wine, what only the host can make: a FIFO in the file's place, which would
        // swallow the text, and a full disk (mounting one needs root), on which the file is
        // made but its text cannot be written.
        RemoveDirectoryA(target.c_str());
        if (!host.empty() && runHostShell("mkfifo '" + host + "/kubo_puzzle_000003a.pos'", folder)) {
            click(program, idStart);
            CHECK_EQ(takeBox(program, IDOK).text, expectedText);
            runHostShell("rm '" + host + "/kubo_puzzle_000003a.pos'", folder);  // Wine cannot delete it
        } else {
            std::printf("         (no FIFO can be made here; that case is left out)\n");
        }
        mounted = !host.empty() && runHostShell("mount -t tmpfs -o size=64k tmpfs '" + host + "' && { cat /dev/zero > '" +
                                                    host + "/voll.bin' 2>/dev/null; true; }",
                                                folder);
        if (mounted) {
            click(program, idStart);
            CHECK_EQ(takeBox(program, IDOK).text, expectedText);
            CHECK(!fileExists(target));
        } else {
            std::printf("         (no small file system can be mounted here; the full disk is left out)\n");
        }
        CHECK(noBoxFor(program, 300));
        Sleep(300);
        CHECK(!fileExists(folder + "\\" + standInViewerLog));
        CHECK_EQ(closeProgram(program), 0L);
    }
    if (mounted) runHostShell("umount -l '" + host + "'", folder);
    endChildren(program);
    endProgram(program);
}

namespace {

uint32_t recordsIn(const std::string& table)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(table.c_str(), GetFileExInfoStandard, &data)) return 0;
    return uint32_t(((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow) / 24);
}

uint32_t shownNumber(HWND field) { return uint32_t(std::strtoul(editText(field).c_str(), nullptr, 10)); }

// START on the shown solution (no letter) must write exactly the record the table holds
// under that number: a partial or stale record would show here.
void checkExportOf(Program& program, const std::string& folder, uint32_t number)
{
    char name[64];
    std::snprintf(name, sizeof name, "\\loesungen\\kubo_puzzle_%06lua.pos", (unsigned long)number);
    const std::string path = folder + name;
    DeleteFileA(path.c_str());
    click(program, idStart);
    const std::vector<uint16_t> words = recordAt(tablePath(folder), number);
    CHECK_EQ(words.size(), size_t(12));
    CHECK_EQ(std::to_string(number) + ": " + readFile(path),
             std::to_string(number) + ": " + placementFileOf(words));
}

}  // namespace

SCENARIO(launch_real_solver_writes_the_table_while_it_is_browsed)
{
    Program program;
    const std::string folder = makeWorkFolder("realsolver");
    const std::string table = tablePath(folder);
    if (startProgram(program, folder)) {
        checkStartedBox(takeBox(program, IDOK, nullptr, 30000));
        HWND field = control(program, idSolutionNumber);
        setText(program, control(program, idViewerCommand), viewerCommand());
        int rounds = 0, grown = 0;
        uint32_t lastShown = 0;
        const DWORD start = GetTickCount();
        bool ended = false;
        while (!ended && GetTickCount() - start < 300000) {
            ended = runningChildren(program) == 0;
            const uint32_t before = recordsIn(table);
            if (before < 2) {
                Sleep(50);
                continue;
            }
            // Typed: a number too high shows how many solutions the table holds now.
            setText(program, field, "");
            typeChars(program, field, "99999999");
            const uint32_t shown = shownNumber(field);
            CHECK(shown >= before && shown <= recordsIn(table));
            checkExportOf(program, folder, shown);
            // "+" goes one further if the table has grown meanwhile, never past its end.
            click(program, idNextSolution);
            const uint32_t next = shownNumber(field);
            CHECK(next == shown || next == shown + 1);
            CHECK(next <= recordsIn(table));
            checkExportOf(program, folder, next);
            click(program, idPreviousSolution);
            CHECK_EQ(shownNumber(field), next - 1);
            checkExportOf(program, folder, next - 1);
            if (lastShown && shown > lastShown) grown++;
            lastShown = shown;
            rounds++;
        }
        CHECK(ended);
        // The table was browsed more than once while it grew.
        CHECK(grown >= 1);
        std::printf("         real solver: %d rounds of browsing, %d saw the table grow, %lu records, %lu ms\n",
                    rounds, grown, (unsigned long)recordsIn(table), (unsigned long)(GetTickCount() - start));
        const std::string bytes = readFile(table);
        CHECK_EQ(bytes.size() % 24, size_t(0));
        setText(program, field, "");
        typeChars(program, field, "99999999");
        CHECK_EQ(shownNumber(field), recordsIn(table));
        checkExportOf(program, folder, recordsIn(table));
        CHECK_EQ(closeProgram(program), 0L);
    }
    endChildren(program);
    endProgram(program);
}

namespace {

// Piece 1 unturned at the origin in every record, so that it covers cell 0,0,0 and every
// record is a hit: the search then runs long enough to be caught running.
uint16_t originWord(uint32_t n, int w) { return w == 0 ? 0x1000 : exportWord(n, w); }

std::string searchCaption(Program& program) { return windowText(control(program, idSearch)); }

bool waitForCaption(Program& program, bool running, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while ((searchCaption(program) == "Suche ...") != running) {
        if (GetTickCount() - start > DWORD(timeoutMs)) return false;
        Sleep(20);
    }
    return true;
}

void checkSearchRunningBox(const BoxFacts& box)
{
    CHECK_EQ(box.caption, std::string(checkCaption));
    CHECK_EQ(box.text, std::string(searchRunningText));
    CHECK_EQ(box.buttons, std::string("2 4"));
    CHECK_EQ(box.defaultButton, IDRETRY);
    CHECK_EQ(box.icon, std::string("warning"));
    CHECK(!box.topmost);
}

}  // namespace

SCENARIO(launch_running_filter_search_gives_the_first_warning)
{
    Program program;
    const std::string folder = makeWorkFolder("searchwarns");
    writeWords(folder, 750000, originWord);
    const std::string log = folder + "\\" + standInSolverLog;
    if (startProgramWithStandInSolver(program, folder)) {
        // REQUIRE ends this lambda, so the program is still ended below.
        [&] {
            command(program, idFilterSwitch);  // "Lösungen filtern"
            command(program, idRotations);  // "mit Rotationen"
            settle(program);
            typeChars(program, control(program, idFirstFilterField), "0,0,0");
            click(program, idSearch);
            REQUIRE(waitForCaption(program, true, 10000));
            // With every criterion cleared each later record is a hit in all four variants:
            // some three million hits keep the pass running for seconds.
            command(program, idClearFilters);
            settle(program);

            // Cancel on the warning starts nothing.
            command(program, idStartSolver);
            checkAskBox(takeBox(program, IDOK));
            checkSearchRunningBox(takeBox(program, IDCANCEL));
            CHECK(noBoxFor(program, 300));
            CHECK(!fileExists(log));

            // Retry checks again: while the search runs it warns again, once it is over the
            // solver starts.
            command(program, idStartSolver);
            checkAskBox(takeBox(program, IDOK));
            checkSearchRunningBox(takeBox(program, IDRETRY));
            HWND box = nullptr;
            const BoxFacts again = takeBox(program, 0, &box);
            if (searchCaption(program) == "Suche ...") checkSearchRunningBox(again);
            CHECK(waitForCaption(program, false, 180000));
            // The thread reports itself idle right after it has changed the caption.
            Sleep(700);
            CHECK(answerMessageBox(box, IDRETRY));
            const BoxFacts next = takeBox(program, 0, &box);
            if (next.caption == checkCaption) {
                // Retry came before the thread's idle report; one more Retry passes.
                checkSearchRunningBox(next);
                Sleep(1000);
                CHECK(answerMessageBox(box, IDRETRY));
                checkStartedBox(takeBox(program, IDOK));
            } else {
                checkStartedBox(next);
                CHECK(answerMessageBox(box, IDOK));
            }
            CHECK_EQ(waitForLines(log, 1, 10000).size(), size_t(1));
            CHECK(waitForChildrenEnd(program, 10000));
            CHECK_EQ(closeProgram(program), 0L);
        }();
    }
    endChildren(program);
    endProgram(program);
}
