// Tests of the real program kubo_puzzle_erg, run as a child process in a folder of its
// own: its arguments, its failures on a table that cannot be written, the check mode on
// damaged tables, and an interrupted run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
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

#include "assembly/assembly.h"
#include "full_records.h"
#include "model/solution_table.h"
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

    // A full disk: the table leads to a device that takes no byte.
    const std::string full = makeFolder("full");
    ASSERT_EQ(symlink("/dev/full", (full + "/kubo_puzzle_erg.bin").c_str()), 0);
    run = runIn(full, {"-j", "1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "kann nicht geschrieben werden: Der Datenträger ist voll.")) << run.err;
    EXPECT_FALSE(contains(run.out, "Fertig")) << run.out;

    // A folder in which no file can be made, even for the superuser.
    run = runIn("/proc", {}, full);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "Fehler: Die Lösungstabelle \"/proc/kubo_puzzle_erg.bin\" kann "
                                  "nicht angelegt werden:")) << run.err;
}

TEST(Program, CheckModeOnTables)
{
    const std::string dir = makeFolder("check");
    const std::vector<SolutionRecord> good = firstFullRecords(3);
    ASSERT_EQ(good.size(), 3u);

    writeTableFile(dir + "/kubo_puzzle_erg.bin", good);
    ChildRun run = runIn(dir, {"-p"});
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_TRUE(contains(run.out, "3 Datensätze (72 Bytes).")) << run.out;
    EXPECT_TRUE(contains(run.out, "Ergebnis: in Ordnung.")) << run.out;

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

TEST(Program, AssemblyStatsOfTables)
{
    const std::string dir = makeFolder("stats");
    const std::string logs = makeFolder("stats_logs");
    // Solutions from the start of the search, three in four of them turned, so that the
    // sides differ.
    std::vector<SolutionRecord> good = firstFullRecords(40);
    ASSERT_EQ(good.size(), 40u);
    for (size_t i = 0; i < good.size(); i++)
        if (i % 4) good[i] = turnedRecord(good[i], int(i % 4));
    ASSERT_TRUE(writeTableFile(dir + "/kubo_puzzle_erg.bin", good));
    // The counts the planner gives for the pieces' cells, decoded here on their own.
    uint64_t freePlans = 0, throughFace[assemblyFaceCount] = {}, throughNone = 0;
    for (const SolutionRecord& record : good) {
        AssemblyInput in = {{boxSizeX, boxSizeY, boxSizeZ}, {}, AssemblyMode::free, BoxFace::top};
        for (PlacementWord word : record.words) {
            const PieceCells placed = placePiece(PieceCatalogue[placementPieceIndex(word)], decodePlacementWord(word));
            in.pieces.emplace_back();
            for (int i = 0; i < placed.cellCount; i++)
                in.pieces.back().push_back({placed.cells[i].x, placed.cells[i].y, placed.cells[i].z});
        }
        freePlans += planAssembly(in).status == AssemblyStatus::ok;
        in.mode = AssemblyMode::box;
        bool any = false;
        for (int f = 0; f < assemblyFaceCount; f++) {
            in.openFace = BoxFace(f);
            const bool ok = planAssembly(in).status == AssemblyStatus::ok;
            throughFace[f] += ok;
            any = any || ok;
        }
        throughNone += !any;
    }
    const std::string before = folderContents(dir);
    ChildRun run = runIn(dir, {"--stats"}, logs);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_TRUE(contains(run.out, "40 Lösungen.")) << run.out;
    EXPECT_TRUE(contains(run.out, "Richtungen): " + std::to_string(freePlans) + " (")) << run.out;
    for (int f = 0; f < assemblyFaceCount; f++) {
        const size_t line = run.out.find(faceNameGerman(BoxFace(f)));
        ASSERT_NE(line, std::string::npos) << run.out;
        EXPECT_TRUE(contains(run.out.substr(line, run.out.find('\n', line) - line),
                             "): " + std::to_string(throughFace[f]) + " (")) << run.out;
    }
    EXPECT_TRUE(contains(run.out, "Durch keine der sechs Seiten: " + std::to_string(throughNone) + " ("))
        << run.out;
    EXPECT_EQ(folderContents(dir), before) << "the statistics wrote into the table's folder";

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
    EXPECT_EQ(check.exitCode, 0) << check.out;
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
    // Readers are not kept out: the check reads the growing table.
    const ChildRun check = runIn(dir, {"-p"}, other);
    EXPECT_EQ(check.exitCode, 0) << check.out;

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
    EXPECT_EQ(runIn(dir, {"-p"}, other).exitCode, 0);
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

}  // namespace
