// Tests of the real program kubo_puzzle_erg, run as a child process in a folder of its
// own: its arguments, its failures on a table that cannot be written, the check mode on
// damaged, incomplete and special files, and an interrupted run. A few runs write to a
// pseudo-terminal, as to a person's terminal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "full_records.h"
#include "model/solution_table.h"
#include "solver/number_format.h"
#include "tests/support/child_process.h"
#include "tests/support/table_file.h"

namespace {

using ChildRun = RunResult;

// A fresh empty folder for one test.
std::string makeFolder(const std::string& name)
{
    const std::string dir = testing::TempDir() + "kubo_solver_" + name + "_" + std::to_string(getpid());
    std::system(("rm -rf '" + dir + "'").c_str());
    mkdir(dir.c_str(), 0755);
    return dir;
}

// The program runs in dir; its output goes to files in logs (by default dir itself).
ChildSetup logsIn(const std::string& dir, const std::string& logs) { return {"", "", logs.empty() ? dir : logs}; }

pid_t start(const std::string& dir, const std::vector<std::string>& args, const std::string& logs = "")
{
    return startProgram(KUBO_PUZZLE_ERG_PATH, args, dir, logsIn(dir, logs));
}

ChildRun finish(const std::string& logs, pid_t pid) { return finishProgram(pid, logs, logsIn(logs, logs)); }

ChildRun runIn(const std::string& dir, const std::vector<std::string>& args, const std::string& logs = "")
{
    return runProgram(KUBO_PUZZLE_ERG_PATH, args, dir, logsIn(dir, logs));
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Whether the child has ended within seconds (0: by now); it stays to be collected by
// finish.
bool endsWithin(pid_t pid, int seconds)
{
    for (int i = 0;; i++) {
        siginfo_t info = {};
        if (waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid) return true;
        if (i >= seconds * 100) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// A run that must end by itself within seconds (say, on a FIFO that nobody writes); one
// that does not is killed, and fails the test.
ChildRun runWithin(const std::string& dir, const std::vector<std::string>& args, int seconds,
                   const std::string& logs = "")
{
    const pid_t pid = start(dir, args, logs);
    const bool ended = endsWithin(pid, seconds);
    EXPECT_TRUE(ended) << args[0] << " " << (args.size() > 1 ? args[1] : "") << " still runs after " << seconds
                       << " s";
    if (!ended) kill(pid, SIGKILL);
    return finish(logs.empty() ? dir : logs, pid);
}

// A run with standard output on a terminal of the given width (a pseudo-terminal): what it
// showed there, with the terminal's carriage returns and line feeds, and its exit code.
struct TerminalRun {
    int exitCode;
    std::string screen;
};

TerminalRun runOnTerminal(const std::string& dir, const std::vector<std::string>& args, int columns,
                          const std::string& logs)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return {-1, "no pseudo-terminal"};
    const std::string terminal = ptsname(master);
    // Held open until the end, so that the screen can be read to the last byte.
    const int held = open(terminal.c_str(), O_RDWR | O_NOCTTY);
    winsize size = {};
    size.ws_row = 24;
    size.ws_col = (unsigned short)columns;
    ioctl(held, TIOCSWINSZ, &size);
    fcntl(master, F_SETFL, O_NONBLOCK);
    const ChildSetup setup = {"", terminal, logs};
    const pid_t pid = startProgram(KUBO_PUZZLE_ERG_PATH, args, dir, setup);
    TerminalRun run = {-1, ""};
    for (bool ended = false;;) {
        char bytes[4096];
        const ssize_t got = read(master, bytes, sizeof bytes);
        if (got > 0) {
            run.screen.append(bytes, size_t(got));
            continue;
        }
        if (ended) break;
        ended = endsWithin(pid, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.exitCode = finishProgram(pid, dir, setup).exitCode;
    close(held);
    close(master);
    return run;
}

// Columns of a UTF-8 text.
size_t columnsOf(const std::string& text)
{
    size_t columns = 0;
    for (unsigned char c : text) columns += (c & 0xC0) != 0x80;
    return columns;
}

// The lines that a terminal run redrew in place or ended: the pieces between its carriage
// returns and line feeds.
std::vector<std::string> screenLines(const std::string& screen)
{
    std::vector<std::string> lines(1);
    for (char c : screen)
        if (c == '\r' || c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    return lines;
}

TEST(Program, Arguments)
{
    const std::string dir = makeFolder("args");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* message;  // on standard error, or on standard output for exit code 0
    } cases[] = {
        {{"-x"}, 1, "Fehler: Unbekannte Angabe \"-x\"."},
        {{"datei.bin"}, 1, "Fehler: Unbekannte Angabe \"datei.bin\"."},
        {{"-j"}, 1, "Nach -j fehlt die Zahl der Threads."},
        {{"-j", "0"}, 1, "Die Zahl der Threads \"0\" ist ungültig"},
        {{"-j2x"}, 1, "Die Zahl der Threads \"2x\" ist ungültig"},
        {{"-p", "-j", "2"}, 1, "-j und -p lassen sich nicht zusammen angeben."},
        {{"--stats", "-j", "2"}, 1, "-j und --stats lassen sich nicht zusammen angeben."},
        {{"-p", "--stats"}, 1, "-p und --stats lassen sich nicht zusammen angeben."},
        // One table a run, not the last of several named.
        {{"-p", "fehlt.bin", "-p", "kubo_puzzle_erg.bin"}, 1, "-p lässt sich nur einmal angeben"},
        {{"--stats", "--stats"}, 1, "--stats lässt sich nur einmal angeben"},
        {{"-h"}, 0, "Aufruf: kubo_puzzle_erg [-j ANZAHL]"},
    };
    for (const auto& c : cases) {
        const ChildRun run = runIn(dir, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        const std::string& text = c.exitCode ? run.err : run.out;
        EXPECT_TRUE(contains(text, c.message)) << text;
        EXPECT_TRUE(contains(text, "Aufruf:")) << "usage text with " << c.message;
    }
    struct stat info;
    EXPECT_NE(stat((dir + "/kubo_puzzle_erg.bin").c_str(), &info), 0) << "a bad call wrote a table";
}

TEST(Program, TableThatCannotBeWritten)
{
    // A folder of the table's name stays as it is.
    const std::string dir = makeFolder("folder");
    mkdir((dir + "/kubo_puzzle_erg.bin").c_str(), 0755);
    std::ofstream(dir + "/kubo_puzzle_erg.bin/inhalt.txt") << "bleibt";
    ChildRun run = runIn(dir, {});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "kann nicht angelegt werden: Dort gibt es einen Ordner dieses Namens."))
        << run.err;
    EXPECT_EQ(readFile(dir + "/kubo_puzzle_erg.bin/inhalt.txt"), "bleibt");

    // A FIFO that nobody reads, and a device, are no table: refused at once.
    const std::string special = makeFolder("special");
    ASSERT_EQ(mkfifo((special + "/kubo_puzzle_erg.bin").c_str(), 0644), 0);
    const std::string device = makeFolder("device");
    ASSERT_EQ(symlink("/dev/full", (device + "/kubo_puzzle_erg.bin").c_str()), 0);
    for (const std::string& where : {special, device}) {
        run = runWithin(where, {"-j", "1"}, 20);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(contains(run.err, "kann nicht angelegt werden: Das ist keine gewöhnliche Datei")) << run.err;
        EXPECT_FALSE(contains(run.out, "Fertig")) << run.out;
    }

    // A folder in which no file can be made, even for the superuser.
    run = runIn("/proc", {}, special);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "Fehler: Die Lösungstabelle \"/proc/kubo_puzzle_erg.bin\" kann "
                                  "nicht angelegt werden:")) << run.err;
}

TEST(Program, CheckModeOnTables)
{
    const std::string dir = makeFolder("check");
    const std::vector<SolutionRecord> good = firstFullRecords(3);
    ASSERT_EQ(good.size(), 3u);

    // Sound records, but far fewer than a whole table has.
    writeTableFile(dir + "/kubo_puzzle_erg.bin", good);
    ChildRun run = runIn(dir, {"-p"});
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_TRUE(contains(run.out, "3 Datensätze (72 Bytes).")) << run.out;
    EXPECT_TRUE(contains(run.out, "Ergebnis: unvollständig: 3 von 409.963 Lösungen; die vorhandenen sind in "
                                  "Ordnung.")) << run.out;

    SolutionRecord overlapping = good[1];
    // One piece takes the rotation and place of another.
    overlapping.words[4] = PlacementWord((good[1].words[3] & 0x0FFF) | (good[1].words[4] & 0xF000));
    writeTableFile(dir + "/damaged.bin", {good[0], overlapping, turnedRecord(good[0], 1), good[2]}, "1234567");
    run = runIn(dir, {"-p", "damaged.bin"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.out, "Datensatz 2: Teil")) << run.out;
    EXPECT_TRUE(contains(run.out, "Datensatz 3: ist eine Variante von Datensatz 1 (3 = 1b).")) << run.out;
    EXPECT_TRUE(contains(run.out, "4 Datensätze (103 Bytes).")) << run.out;
    EXPECT_TRUE(contains(run.out, "Am Ende der Datei stehen 7 Bytes eines unvollständigen Datensatzes."))
        << run.out;
    EXPECT_TRUE(contains(run.out, "Ergebnis: fehlerhaft; 1 Datensätze sind keine Lösung; 1 Paare sind "
                                  "Varianten voneinander; am Ende steht ein unvollständiger Datensatz."))
        << run.out;

    writeTableFile(dir + "/empty.bin", {});
    run = runIn(dir, {"-p", "empty.bin"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.out, "die Tabelle enthält keinen Datensatz")) << run.out;

    run = runIn(dir, {"-p", "fehlt.bin"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "\"fehlt.bin\" kann nicht gelesen werden: Datei oder Ordner nicht gefunden."))
        << run.err;

    // A FIFO that nobody writes and a device without end are refused before reading.
    ASSERT_EQ(mkfifo((dir + "/fifo.bin").c_str(), 0644), 0);
    for (const char* mode : {"-p", "--stats"})
        for (const char* path : {"fifo.bin", "/dev/zero"}) {
            run = runWithin(dir, {mode, path}, 20);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_TRUE(contains(run.err, "kann nicht gelesen werden: Das ist keine gewöhnliche Datei, sondern ein "
                                          "Gerät, eine Pipe oder dergleichen.")) << mode << " " << path << ": " << run.err;
        }
}

// The names in a folder, sorted, with each file's contents.
std::string folderContents(const std::string& dir)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    std::string all;
    for (const std::string& n : names) all += n + "\n" + readFile(dir + "/" + n) + "\n";
    return all;
}

TEST(Program, StatsOnlyOfASoundWholeTable)
{
    // (The figures themselves: FullTableIsCompleteAndPassesItsCheck.)
    const std::string dir = makeFolder("stats");
    const std::string logs = makeFolder("stats_logs");
    const std::vector<SolutionRecord> good = firstFullRecords(40);
    ASSERT_EQ(good.size(), 40u);
    ASSERT_TRUE(writeTableFile(dir + "/kubo_puzzle_erg.bin", good));
    const std::string before = folderContents(dir);
    ChildRun run = runIn(dir, {"--stats"}, logs);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.out, "Ergebnis: unvollständig: 40 von 409.963 Lösungen")) << run.out;
    EXPECT_FALSE(contains(run.out, "%")) << "figures of a part of the table: " << run.out;
    EXPECT_EQ(folderContents(dir), before) << "the statistics wrote into the table's folder";

    // On a terminal every line keeps within its width, and the progress line makes way
    // for a finding, which starts a line of its own.
    std::vector<SolutionRecord> copied = good;
    copied.push_back(good[0]);
    ASSERT_TRUE(writeTableFile(dir + "/kopie.bin", copied));
    const TerminalRun shown = runOnTerminal(dir, {"--stats", "kopie.bin"}, 40, logs);
    EXPECT_EQ(shown.exitCode, 1);
    const std::vector<std::string> lines = screenLines(shown.screen);
    for (const std::string& line : lines) EXPECT_LT(columnsOf(line), 40u) << line;
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return contains(line, "Zusammenbau der Lösungen in der");
    })) << "the heading is not wrapped between words: " << shown.screen;
    const auto finding = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return contains(line, "Datensatz 41: gleicht Datensatz 1.");
    });
    ASSERT_NE(finding, lines.end()) << shown.screen;
    EXPECT_EQ(*finding, "Datensatz 41: gleicht Datensatz 1.") << shown.screen;
    EXPECT_TRUE(std::any_of(lines.begin(), finding, [](const std::string& line) { return contains(line, "gelesen"); }))
        << "no progress line before the finding: " << shown.screen;

    // A damaged table gets -p's report and no figures; a missing one -p's error.
    SolutionRecord overlapping = good[1];
    overlapping.words[4] = PlacementWord((good[1].words[3] & 0x0FFF) | (good[1].words[4] & 0xF000));
    ASSERT_TRUE(writeTableFile(dir + "/damaged.bin", {good[0], overlapping, good[2]}, "12345"));
    const std::string damagedBefore = folderContents(dir);
    run = runIn(dir, {"--stats", "damaged.bin"}, logs);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.out, "Datensatz 2: Teil")) << run.out;
    EXPECT_TRUE(contains(run.out, "Ergebnis: fehlerhaft; 1 Datensätze sind keine Lösung; am Ende steht ein "
                                  "unvollständiger Datensatz.")) << run.out;
    EXPECT_FALSE(contains(run.out, "Lösungen.")) << run.out;
    run = runIn(dir, {"--stats", "fehlt.bin"}, logs);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "\"fehlt.bin\" kann nicht gelesen werden: Datei oder Ordner nicht gefunden."))
        << run.err;
    EXPECT_EQ(folderContents(dir), damagedBefore) << "the statistics wrote into the table's folder";
}

TEST(Program, InterruptedRunLeavesWholeRecords)
{
    const std::string dir = makeFolder("interrupt");
    const std::string table = dir + "/kubo_puzzle_erg.bin";
    const pid_t pid = start(dir, {"-j", "2"});
    // Wait until records have arrived, then interrupt as Ctrl+C would.
    struct stat info = {};
    for (int i = 0; i < 600 && (stat(table.c_str(), &info) != 0 || info.st_size < 10 * recordSize); i++)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_GE(info.st_size, 10 * recordSize);
    kill(pid, SIGINT);
    const ChildRun run = finish(dir, pid);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "Abgebrochen.")) << run.err;
    ASSERT_EQ(stat(table.c_str(), &info), 0);
    EXPECT_EQ(info.st_size % recordSize, 0);
    const ChildRun check = runIn(dir, {"-p"});
    EXPECT_EQ(check.exitCode, 1) << check.out;
    EXPECT_TRUE(contains(check.out, "Ergebnis: unvollständig: " + formatCount(uint64_t(info.st_size) / recordSize) +
                                        " von 409.963 Lösungen; die vorhandenen sind in Ordnung.")) << check.out;
}

TEST(Program, FullTableIsCompleteAndPassesItsCheck)
{
    // The whole solve, as a user starts it: no arguments, all cores. The count is the one
    // that the dancing-links reference gives for the twelve placements of piece 10 that
    // are not half turns of each other (each one's fillings, halved where a half turn
    // leaves that placement in place).
    const std::string dir = makeFolder("full_table");
    const ChildRun run = runIn(dir, {});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "Fertig: 409.963 Lösungen in ")) << run.out;
    EXPECT_TRUE(run.err.empty()) << run.err;
    struct stat info;
    ASSERT_EQ(stat((dir + "/kubo_puzzle_erg.bin").c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 409963 * recordSize);

    const ChildRun check = runIn(dir, {"-p"});
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_TRUE(contains(check.out, "409.963 Datensätze (9.839.112 Bytes).")) << check.out;
    EXPECT_TRUE(contains(check.out, "Ergebnis: in Ordnung.")) << check.out;

    // The whole table's figures, as the README gives them.
    const ChildRun stats = runIn(dir, {"--stats"});
    EXPECT_EQ(stats.exitCode, 0) << stats.out;
    for (const char* figure :
         {"409.963 Lösungen. Jedes Teil", "Richtungen): 409.963 (100,0 %)\n", "von oben    (+y): 140.763 (34,3 %)\n",
          "von unten   (-y): 140.763 (34,3 %)\n", "von links   (-x): 140.321 (34,2 %)\n",
          "von rechts  (+x): 140.321 (34,2 %)\n", "von vorn    (+z): 267.884 (65,3 %)\n",
          "von hinten  (-z): 267.884 (65,3 %)\n", "Durch keine der sechs Seiten: 4.578 (1,1 %)\n",
          "von oben    (+y): einzeln 409.945 (100,0 %), als Gruppe 18 (15 aus 4, 2 aus 5, 1 aus 6 Teilen), ohne Plan 0\n",
          "von links   (-x): einzeln 407.315 (99,4 %), als Gruppe 2.648 (2.262 aus 2, 121 aus 3, 227 aus 4, 36 aus 5, "
          "2 aus 6 Teilen), ohne Plan 0\n",
          "von vorn    (+z): einzeln 409.963 (100,0 %), als Gruppe 0, ohne Plan 0\n",
          "von oben: 0: 140.763 · 1: 132.348 · 2: 83.652 · 3: 33.468 · 4: 13.220 · 5: 4.437 · "
          "6 und mehr: 2.057\n"})
        EXPECT_TRUE(contains(stats.out, figure)) << figure << "\n" << stats.out;
}

TEST(Program, SecondSolverRefusesWhileTheFirstWrites)
{
    const std::string dir = makeFolder("two_solvers");
    const std::string other = makeFolder("two_solvers_logs");
    const std::string table = dir + "/kubo_puzzle_erg.bin";
    auto tableSize = [&] {
        struct stat info = {};
        return stat(table.c_str(), &info) == 0 ? long(info.st_size) : -1L;
    };
    auto waitForRecords = [&] {
        for (int i = 0; i < 600 && tableSize() < 10 * recordSize; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return tableSize() >= 10 * recordSize;
    };
    const pid_t first = start(dir, {"-j", "1"});
    ASSERT_TRUE(waitForRecords());
    const long before = tableSize();
    const ChildRun second = runIn(dir, {"-j", "1"}, other);
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(contains(second.err, "schreibt gerade ein anderes Programm")) << second.err;
    EXPECT_GE(tableSize(), before) << "the second solver emptied the table";
    // The check and the statistics know that the table is still growing.
    for (const char* mode : {"-p", "--stats"}) {
        const ChildRun check = runIn(dir, {mode}, other);
        EXPECT_EQ(check.exitCode, 1) << mode;
        EXPECT_TRUE(contains(check.err, "\"kubo_puzzle_erg.bin\" wird gerade geschrieben")) << mode << ": " << check.err;
        EXPECT_FALSE(contains(check.out, "in Ordnung")) << mode << ": " << check.out;
    }

    // A solver that dies leaves the table free for the next one.
    kill(first, SIGKILL);
    finish(dir, first);
    std::remove(table.c_str());  // so that the wait below sees the third solver's records
    const pid_t third = start(dir, {"-j", "1"}, other);
    ASSERT_TRUE(waitForRecords());
    kill(third, SIGINT);
    const ChildRun run = finish(other, third);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "Abgebrochen.")) << run.err;
    const ChildRun check = runIn(dir, {"-p"}, other);
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(contains(check.out, "Ergebnis: unvollständig: ")) << check.out;
}

TEST(Program, CheckOfManyCopiesIsLinearAndCapped)
{
    const std::string dir = makeFolder("copies");
    const std::vector<SolutionRecord> good = firstFullRecords(1);
    ASSERT_EQ(good.size(), 1u);
    writeTableFile(dir + "/kopien.bin", std::vector<SolutionRecord>(4000, good[0]));
    const auto begin = std::chrono::steady_clock::now();
    const ChildRun run = runIn(dir, {"-p", "kopien.bin"});
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(20));
    EXPECT_EQ(run.exitCode, 1);
    size_t lines = 0;
    for (char c : run.out) lines += c == '\n';
    EXPECT_LT(lines, 1010u);
    EXPECT_TRUE(contains(run.out, "Datensatz 2: gleicht Datensatz 1.\n")) << run.out.substr(0, 200);
    EXPECT_TRUE(contains(run.out, "Datensatz 1.001: gleicht Datensatz 1.\n"));
    EXPECT_FALSE(contains(run.out, "Datensatz 1.002:"));
    EXPECT_FALSE(contains(run.out, "gleicht Datensatz 2."));
    EXPECT_TRUE(contains(run.out, "... und 2.999 weitere Befunde")) << run.out;
    EXPECT_TRUE(contains(run.out, "3.999 Paare sind Varianten voneinander")) << run.out;
}

TEST(Program, OutputThatCannotBeWrittenIsReported)
{
    const std::string dir = makeFolder("dev_full");
    const std::string logs = makeFolder("dev_full_logs");
    writeTableFile(dir + "/kubo_puzzle_erg.bin", firstFullRecords(3));
    // Standard output is /dev/full; only the error stream is read back.
    auto runToFull = [&](const std::vector<std::string>& args) {
        return runProgram(KUBO_PUZZLE_ERG_PATH, args, dir, {"", "/dev/full", logs});
    };
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-p"}, std::vector<std::string>{"-h"}}) {
        const ChildRun run = runToFull(args);
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_TRUE(contains(run.err, "Fehler: Die Standardausgabe kann nicht geschrieben werden: "
                                      "Der Datenträger ist voll.")) << run.err;
    }
    // A solve whose report nobody could read does not replace the table.
    const ChildRun solve = runToFull({"-j", "1"});
    EXPECT_EQ(solve.exitCode, 1);
    EXPECT_TRUE(contains(solve.err, "Standardausgabe kann nicht geschrieben werden")) << solve.err;
    struct stat info;
    ASSERT_EQ(stat((dir + "/kubo_puzzle_erg.bin").c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 3 * recordSize);
}

TEST(Program, FullDiskLeavesAnIncompleteTable)
{
    // A small file system of the test's own, a tmpfs in a mount namespace of its own
    // where the system grants one: the solve fills it, and the check finds the whole
    // records left there.
    if (access("/usr/bin/unshare", X_OK) != 0 || std::system("/usr/bin/unshare -rm true >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no mount namespace to be had here";
    const std::string dir = makeFolder("full_disk");
    const std::string logs = makeFolder("full_disk_logs");
    const std::string script =
        "mount -t tmpfs -o size=256k kubo \"$1\" && cd \"$1\" || exit 9; "
        "\"$0\" >\"$2/solve.out\" 2>\"$2/solve.err\"; echo $? >\"$2/solve.rc\"; "
        "\"$0\" -p >\"$2/check.out\" 2>&1; echo $? >\"$2/check.rc\"";
    const ChildRun run =
        runProgram("/usr/bin/unshare", {"-rm", "sh", "-c", script, KUBO_PUZZLE_ERG_PATH, dir, logs}, dir, logsIn(dir, logs));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(logs + "/solve.rc"), "1\n");
    const std::string err = readFile(logs + "/solve.err");
    EXPECT_TRUE(contains(err, "kann nicht geschrieben werden: Der Datenträger ist voll.")) << err;
    const size_t from = err.find("die ersten "), to = err.find(" Lösungen und ist unvollständig.");
    ASSERT_TRUE(from != std::string::npos && to != std::string::npos) << err;
    const std::string written = err.substr(from + 11, to - from - 11);
    EXPECT_EQ(readFile(logs + "/check.rc"), "1\n");
    EXPECT_TRUE(contains(readFile(logs + "/check.out"), "Ergebnis: unvollständig: " + written + " von 409.963 Lösungen"))
        << readFile(logs + "/check.out");
}

TEST(Program, TableThatChangesWhileReadIsNoticed)
{
    // The check is stopped while it reads, the table cut to half meanwhile. (Should it
    // have read everything before it could be stopped, it tries again with more.)
    const std::string dir = makeFolder("changing");
    const std::string table = dir + "/kubo_puzzle_erg.bin";
    for (int records = 400000, attempt = 0; attempt < 3; attempt++, records *= 2) {
        // Made-up records, every one at fault, which takes a while to check.
        ASSERT_TRUE(writeTableFile(table, numberedRecords(records)));
        const pid_t pid = start(dir, {"-p"});
        while (!contains(readFile(dir + "/stdout.txt"), "Prüfe") && !endsWithin(pid, 0))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        kill(pid, SIGSTOP);
        const bool tooLate = endsWithin(pid, 0);
        ASSERT_EQ(truncate(table.c_str(), off_t(records / 2) * recordSize), 0);
        kill(pid, SIGCONT);
        const ChildRun run = finish(dir, pid);
        if (tooLate) continue;
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(contains(run.err, "hat sich beim Lesen verändert (erst " + formatCount(uint64_t(records) * 24) +
                                          " Bytes, dann " + formatCount(uint64_t(records / 2) * 24) + " Bytes)"))
            << run.err;
        EXPECT_FALSE(contains(run.out, "Ergebnis:")) << run.out;
        return;
    }
    FAIL() << "the check always ended before it could be stopped";
}

}  // namespace
