// The real facetgen run as a child process in a scratch folder: its standard output,
// standard error, exit code and the files it leaves. A stand-in viewer named rtd on the
// PATH records how it was called and whether the SLP file existed while it ran.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/small_disk.h"

namespace {

const std::string program = FACETGEN_PROGRAM;

// The usage text line by line, as the program must print it in code page 1252.
const char* const usageLines[] = {
    "SYNTAX:",
    "facetgen [Optionen] <POS-Dateien>",
    "",
    "Erzeugt aus den Teilenummern und Tranformationsmatrizen der",
    "'XXX.pos'-Datei eine 'XXX.slp'-Datei und startet danach ein",
    "Programm zum Ansehen der SLP-Datei.",
    "",
    "  <POS-Dateien> auch mehrfach",
    " Optionen:",
    "  -M<MAP-Datei>        alternative Einrichtdatei angeben",
    "      Standard: facetgen.map",
    "  -L<Viewer-Programm>  Programm, welches die SLP-Datei darstellen soll",
    "      Standard: rtd",
    "  -L-                  Kein Viewerprogramm starten",
    "  -d                   SLP-Datei danach l\xF6schen - unsinnig,",
    "                       mit Option -L- zusammen benutzen zu wollen.",
    " Alle Optionsparameter m\xFCssen direkt auf den Optionsbuchstaben folgen,",
    " es sind keine Leerzeichen dazwischen erlaubt.",
    "",
};

std::string usage()
{
    std::string text;
    for (const char* line : usageLines) text += std::string(line) + "\n";
    return text;
}

const std::string mesh1 = "solid eins\r\n      vertex 1 0 0\r\nendsolid eins\r\n";
const std::string mesh2 = "solid zwei\n      normal 1 0 0\nendsolid zwei\n";
const std::string line1 = " 1    1  0  0  0  1  0  0  0  1  2  0  0\r\n";
const std::string line2 = " 2    0  1  0 -1  0  0  0  0  1  0  0  1\r\n";
const std::string slp1 = "solid eins\r\n      vertex 2.100000e+01 0.000000e+00 0.000000e+00\r\n"
                         "endsolid eins\r\n";
const std::string slp2 = "solid zwei\n      normal 0.000000e+00 1.000000e+00 0.000000e+00\r\n"
                         "endsolid zwei\n";

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        work = makeScratchFolder();
        ASSERT_FALSE(work.empty());
        bin = work + "/../bin";
        mkdir(bin.c_str(), 0755);
        writeViewer(bin + "/rtd", "rtd");
        writeFile(work + "/facetgen.map",
                  "Testkarte\n"
                  "1 1 0 0 0 1 0 0 0 1 0 0 0 10 m1.slp\n"
                  "2 1 0 0 0 1 0 0 0 1 0 0 0 10 m2.slp\n"
                  "3 1 0 0 0 1 0 0 0 1 0 0 0 10 fehlt.slp\n"
                  "4 1 0 0 0 1 0 0 0 1 0 0 0 10 neu.slp\n");
        writeFile(work + "/m1.slp", mesh1);
        writeFile(work + "/m2.slp", mesh2);
    }
    void TearDown() override
    {
        if (!disk.empty()) unmountSmallDisk(disk);
        removeTree(work);
    }

    // A viewer that logs its name, its arguments and whether its first argument exists.
    void writeViewer(const std::string& path, const std::string& name)
    {
        writeFile(path, "#!/bin/sh\necho \"" + name + " $*\" >> ../viewer.log\n"
                        "if [ -f \"$1\" ]; then echo vorhanden >> ../viewer.log; fi\n");
        chmod(path.c_str(), 0755);
    }

    RunResult run(const std::vector<std::string>& args) { return runProgram(program, args, work, {bin, "", ""}); }
    std::string viewerLog() { return readFile(work + "/../viewer.log"); }
    bool exists(const std::string& name) { return fileExists(work + "/" + name); }
    std::string read(const std::string& name) { return readFile(work + "/" + name); }

    std::string work, bin;
    std::string disk;  // a small disk mounted in work, if any
};

TEST_F(Program, WithoutArgumentsPrintsTheUsageInCodePage1252)
{
    const RunResult r = run({});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, usage());
    EXPECT_EQ(r.err, "");
    // Single bytes for the umlauts, no UTF-8.
    EXPECT_NE(r.out.find("l\xF6schen"), std::string::npos);
    EXPECT_EQ(r.out.find('\xC3'), std::string::npos);
}

TEST_F(Program, UnknownOptionsPrintTheUsageAndTheRunGoesOn)
{
    writeFile(work + "/a.pos", line1);
    const RunResult r = run({"-x", "-", "-L-", "a.pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, usage() + usage());
    EXPECT_EQ(r.err, "a.pos -> a.slp ...\n");
    EXPECT_EQ(read("a.slp"), slp1);
}

TEST_F(Program, ConvertsRunsTheViewerWaitsAndDeletes)
{
    writeFile(work + "/a.pos", line1 + "Kommentar\n\n" + line2 + line1);
    const RunResult r = run({"-d", "a.pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "a.pos -> a.slp ...\n");
    EXPECT_EQ(viewerLog(), "rtd a.slp\nvorhanden\n");
    EXPECT_FALSE(exists("a.slp"));
    EXPECT_EQ(read("a.pos"), line1 + "Kommentar\n\n" + line2 + line1);

    // Without -d the same file stays, with each piece's mesh in line order, twice for a
    // piece on two lines.
    const RunResult kept = run({"a.pos"});
    EXPECT_EQ(kept.exitCode, 0);
    EXPECT_EQ(read("a.slp"), slp1 + slp2 + slp1);
}

TEST_F(Program, OptionsActOnlyOnTheFilesAfterThem)
{
    writeFile(work + "/a.pos", line1);
    writeFile(work + "/b.pos", line2);
    const RunResult r = run({"a.pos", "-d", "b.pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "a.pos -> a.slp ...\nb.pos -> b.slp ...\n");
    EXPECT_EQ(viewerLog(), "rtd a.slp\nvorhanden\nrtd b.slp\nvorhanden\n");
    EXPECT_EQ(read("a.slp"), slp1);
    EXPECT_FALSE(exists("b.slp"));

    // -M after the first file changes nothing: the map is read once, before it.
    const RunResult m = run({"-L-", "a.pos", "-Mfehlt.map", "b.pos"});
    EXPECT_EQ(m.exitCode, 0);
    EXPECT_EQ(m.err, "a.pos -> a.slp ...\nb.pos -> b.slp ...\n");
    EXPECT_EQ(read("b.slp"), slp2);
}

TEST_F(Program, ViewerOptions)
{
    writeFile(work + "/a.pos", line1);
    writeViewer(work + "/../bin/zeige", "zeige");
    struct Case {
        std::vector<std::string> args;
        const char* log;
        bool slpKept;
    } cases[] = {
        {{"-L-", "-d", "a.pos"}, "", true},              // deletion only after a viewer
        {{"-L-xyz", "-dx", "a.pos"}, "", true},
        {{"-Lzeige", "-d", "a.pos"}, "zeige a.slp\nvorhanden\n", false},
        {{"-Lzeige", "-L", "a.pos"}, "", true},           // plain -L empties it too
        {{"-L-", "-Lzeige", "a.pos"}, "zeige a.slp\nvorhanden\n", true},
    };
    for (const Case& c : cases) {
        std::remove((work + "/../viewer.log").c_str());
        std::remove((work + "/a.slp").c_str());
        const RunResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 0) << c.args[0];
        EXPECT_EQ(viewerLog(), c.log) << c.args[0];
        EXPECT_EQ(exists("a.slp"), c.slpKept) << c.args[0];
    }
}

TEST_F(Program, AnUnreadableMapEndsTheRunAtTheFirstFile)
{
    writeFile(work + "/a.pos", line1);
    const RunResult r = run({"-Mfehlt.map", "a.pos", "b.pos"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Konfiguration 'fehlt.map' nicht lesbar!\n");
    EXPECT_FALSE(exists("a.slp"));
    EXPECT_EQ(viewerLog(), "");

    const RunResult noFile = run({"-Mfehlt.map", "-d"});
    EXPECT_EQ(noFile.exitCode, 0);
    EXPECT_EQ(noFile.out + noFile.err, "");
}

TEST_F(Program, FailuresOfOneFileAreReportedAndTheRunGoesOn)
{
    mkdir((work + "/besetzt.slp").c_str(), 0755);  // the SLP name is taken by a folder
    writeFile(work + "/besetzt.pos", line1);
    writeFile(work + "/c.pos", " 3  1 0 0 0 1 0 0 0 1 0 0 0\n13  1 0 0 0 1 0 0 0 1 0 0 0\n" +
                                   std::string(" 2  1 0 0 0 1 0 0 0 1 0 0\n") + line1);
    mkdir((work + "/ordner.pos").c_str(), 0755);
    const RunResult r = run({"-L-", "fehlt.pos", "ordner.pos", "besetzt.pos", "c.pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "fehlt.pos -> fehlt.slp ...\n"
              "Datei 'fehlt.pos' nicht lesbar!\n"
              "ordner.pos -> ordner.slp ...\n"
              "Datei 'ordner.pos' nicht lesbar!\n"
              "besetzt.pos -> besetzt.slp ...\n"
              "Datei 'besetzt.slp' kann nicht erzeugt werden!\n"
              "c.pos -> c.slp ...\n"
              "Kann Datei 'fehlt.slp' nicht lesen!\n"
              "Baustein Nr. 13 ist aber nicht definiert!\n"
              "Baustein Nr. 2: Zeile hat keine zw\xF6lf Zahlen, \xFC" "bergangen!\n");
    EXPECT_FALSE(exists("fehlt.slp"));
    EXPECT_FALSE(exists("ordner.slp"));
    EXPECT_EQ(read("c.slp"), slp1);
}

TEST_F(Program, NoViewerRunWhenNothingWasConverted)
{
    const RunResult r = run({"fehlt.pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(viewerLog(), "");
    // An empty placement file gives an empty SLP file, shown all the same.
    writeFile(work + "/leer.pos", "");
    run({"leer.pos"});
    EXPECT_EQ(read("leer.slp"), "");
    EXPECT_EQ(viewerLog(), "rtd leer.slp\nvorhanden\n");
}

TEST_F(Program, NamesInAnyCaseAndWithoutPosNeverOverwriteTheInput)
{
    writeFile(work + "/A.POS", line1);
    writeFile(work + "/x.Pos", line1);
    writeFile(work + "/notiz.txt", line2);
    writeFile(work + "/.pos", line1);
    const RunResult r = run({"-L-", "A.POS", "x.Pos", "notiz.txt", ".pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "A.POS -> A.slp ...\nx.Pos -> x.slp ...\nnotiz.txt -> notiz.txt.slp ...\n"
              ".pos -> .pos.slp ...\n");
    EXPECT_EQ(read("A.slp"), slp1);
    EXPECT_EQ(read("x.slp"), slp1);
    EXPECT_EQ(read("notiz.txt"), line2);
    EXPECT_EQ(read("notiz.txt.slp"), slp2);
    EXPECT_EQ(read(".pos"), line1);
    EXPECT_EQ(read(".pos.slp"), slp1);
}

TEST_F(Program, TheOutputNeverReplacesAMeshOrTheMap)
{
    // "m1.pos" would become "m1.slp", the mesh of piece 1 that the conversion reads.
    writeFile(work + "/m1.pos", line1);
    ASSERT_EQ(symlink("facetgen.map", (work + "/karte.slp").c_str()), 0);
    writeFile(work + "/karte.pos", line1);
    const RunResult r = run({"m1.pos", "karte.pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "m1.pos -> m1.slp ...\n"
              "Datei 'm1.slp' ist eine Eingabedatei und wird nicht \xFC" "berschrieben!\n"
              "karte.pos -> karte.slp ...\n"
              "Datei 'karte.slp' ist eine Eingabedatei und wird nicht \xFC" "berschrieben!\n");
    EXPECT_EQ(read("m1.slp"), mesh1);
    EXPECT_EQ(viewerLog(), "");

    // A mesh that comes into being as the output is not read while it is written.
    writeFile(work + "/neu.pos", " 4  1 0 0 0 1 0 0 0 1 0 0 0\n" + line1);
    const RunResult self = run({"-L-", "neu.pos"});
    EXPECT_EQ(self.err, "neu.pos -> neu.slp ...\n"
                        "Datei 'neu.slp' ist die Ausgabedatei und wird nicht gelesen!\n");
    EXPECT_EQ(read("neu.slp"), slp1);
}

TEST_F(Program, OverlongNamesAreRefusedNotCut)
{
    writeFile(work + "/a.pos", line1);
    const std::string longName(300, 'n');
    const RunResult file = run({"-L-", longName + ".pos", "a.pos"});
    EXPECT_EQ(file.exitCode, 0);
    EXPECT_EQ(file.err, "Dateiname '" + longName + ".pos' ist zu lang (h\xF6" "chstens 259 "
                        "Zeichen f\xFCr den SLP-Dateinamen), nicht umgesetzt!\n"
                        "a.pos -> a.slp ...\n");

    // A map name that would be cut could name another map: the run stops as for an
    // unreadable one.
    const RunResult map = run({"-M" + longName, "a.pos"});
    EXPECT_EQ(map.exitCode, 1);
    EXPECT_EQ(map.err, "Parameter der Option -M ist l\xE4nger als 259 Zeichen und wird nicht "
                       "angenommen!\n");
    EXPECT_EQ(listFolder(work), (std::vector<std::string>{"a.pos", "a.slp", "facetgen.map",
                                                          "m1.slp", "m2.slp"}));

    // A viewer that cannot be named starts no viewer, and the SLP file stays.
    std::remove((work + "/a.slp").c_str());
    const RunResult viewer = run({"-L" + longName, "-d", "a.pos"});
    EXPECT_EQ(viewer.exitCode, 0);
    EXPECT_EQ(viewer.err, "Parameter der Option -L ist l\xE4nger als 259 Zeichen und wird "
                          "nicht angenommen!\na.pos -> a.slp ...\n");
    EXPECT_TRUE(exists("a.slp"));
    EXPECT_EQ(viewerLog(), "");

    // 259 characters still fit, as a path through two folders.
    const std::string folders = std::string(120, 'd') + "/" + std::string(120, 'e');
    mkdir((work + "/" + folders.substr(0, 120)).c_str(), 0755);
    mkdir((work + "/" + folders).c_str(), 0755);
    const std::string name = folders + "/" + std::string(259 - 242 - 4, 'p') + ".pos";
    ASSERT_EQ(name.size(), 259u);
    writeFile(work + "/" + name, line1);
    const RunResult fits = run({"-L-", name});
    EXPECT_EQ(fits.err, name + " -> " + name.substr(0, 255) + ".slp ...\n");
    EXPECT_EQ(read(name.substr(0, 255) + ".slp"), slp1);
}

TEST_F(Program, TheViewerGetsTheNameAsItCameInASubfolder)
{
    mkdir((work + "/loesungen").c_str(), 0755);
    writeFile(work + "/loesungen/kubo_puzzle_000017c.pos", line2);
    const RunResult r = run({"-d", "loesungen/kubo_puzzle_000017c.pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(viewerLog(), "rtd loesungen/kubo_puzzle_000017c.slp\nvorhanden\n");
    EXPECT_EQ(listFolder(work + "/loesungen"), std::vector<std::string>{"kubo_puzzle_000017c.pos"});
}

TEST_F(Program, HostileNamesReachTheViewerAsOneArgumentAndRunNothing)
{
    // The stand-in viewer writes each argument on a line of its own, in brackets.
    writeFile(bin + "/rtd", "#!/bin/sh\necho \"$# Argument(e)\" >> ../viewer.log\n"
                            "for a in \"$@\"; do printf '[%s]\\n' \"$a\" >> ../viewer.log; done\n"
                            "if [ -f \"$1\" ]; then echo vorhanden >> ../viewer.log; fi\n");
    const std::string names[] = {
        "a;touch X;.pos",    "my file.pos",     "$(touch Y).pos", "`touch Z`.pos",
        "it's.pos",          "a'b''c.pos",      "a&echo Y&rem .pos", "a|touch P>Q.pos",
        "*.pos",             "tab\tname.pos",   "zeile\nzwei.pos", "\\'\"$HOME.pos",
        "  vorn und hinten .pos",
    };
    for (const std::string& name : names) {
        std::remove((work + "/../viewer.log").c_str());
        writeFile(work + "/" + name, line1);
        const std::string slp = name.substr(0, name.size() - 4) + ".slp";
        const RunResult r = run({"-d", name});
        EXPECT_EQ(r.exitCode, 0) << name;
        EXPECT_EQ(r.err, name + " -> " + slp + " ...\n") << name;
        EXPECT_EQ(viewerLog(), "1 Argument(e)\n[" + slp + "]\nvorhanden\n") << name;
        EXPECT_FALSE(exists(slp)) << name << ": deleted after the viewer saw it";
        std::remove((work + "/" + name).c_str());
    }
    // Nothing that the names hold was run, and nothing else was left behind.
    EXPECT_EQ(listFolder(work), (std::vector<std::string>{"facetgen.map", "m1.slp", "m2.slp"}));

    // A quoted viewer program keeps working beside the quoted name.
    writeViewer(bin + "/zeige", "zeige");
    std::remove((work + "/../viewer.log").c_str());
    writeFile(work + "/my file.pos", line1);
    const RunResult quoted = run({"-L'zeige' -v", "my file.pos"});
    EXPECT_EQ(quoted.exitCode, 0);
    EXPECT_EQ(viewerLog(), "zeige -v my file.slp\n");
}

TEST_F(Program, AFolderNamedAsAMeshIsAnUnreadableMesh)
{
    mkdir((work + "/ordner.slp").c_str(), 0755);
    writeFile(work + "/ordner.map", "1 1 0 0 0 1 0 0 0 1 0 0 0 10 ordner.slp\n"
                                    "2 1 0 0 0 1 0 0 0 1 0 0 0 10 m2.slp\n"
                                    "3 1 0 0 0 1 0 0 0 1 0 0 0 10 .\n");
    writeFile(work + "/a.pos", line1 + line2 + " 3  1 0 0 0 1 0 0 0 1 0 0 0\n");
    const RunResult r = run({"-L-", "-Mordner.map", "a.pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "a.pos -> a.slp ...\n"
                     "Kann Datei 'ordner.slp' nicht lesen!\n"
                     "Kann Datei '.' nicht lesen!\n");
    EXPECT_EQ(read("a.slp"), slp2);
}

TEST_F(Program, NumbersBeyondSinglePrecisionAreRefused)
{
    const std::string bad[] = {"nan", "-nan", "inf", "-Infinity", "1e39", "-3.5e38", "NAN(0x1)"};
    std::string pos;
    std::string expected = "a.pos -> a.slp ...\n";
    for (const std::string& number : bad) {
        pos += " 1    1  0  0  0  1  0  0  0  1  2  0 " + number + "\n";
        expected += "Baustein Nr. 1: Zeile enth\xE4lt eine ung\xFCltige Zahl (nan, inf oder "
                    "au\xDF" "erhalb der einfachen Genauigkeit), \xFC" "bergangen!\n";
    }
    // Tiny numbers are zero, not an error; a finite line whose product with the map's
    // transform leaves single precision is refused as well.
    pos += " 2    0  1  0 -1  0  0  0  0  1  0  0  1e-50\n";
    pos += " 1    1e30  0  0  0  1  0  0  0  1  0  0  0\n";
    expected += "Baustein Nr. 1: Transformation ergibt Zahlen au\xDF" "erhalb der einfachen "
                "Genauigkeit, \xFC" "bergangen!\n";
    writeFile(work + "/a.pos", pos);
    writeFile(work + "/gross.map", "1 1e10 0 0 0 1 0 0 0 1 0 0 0 10 m1.slp\n"
                                   "2 1 0 0 0 1 0 0 0 1 0 0 0 10 m2.slp\n"
                                   "5 1 0 0 0 nan 0 0 0 1 0 0 0 10 m1.slp\n"
                                   "6 1 0 0 0 1 0 0 0 1 0 0 0 1e39 m1.slp\n"
                                   "7 inf 0 0\n");
    const RunResult r = run({"-L-", "-Mgross.map", "a.pos"});
    EXPECT_EQ(r.exitCode, 0);
    const std::string mapLine = "Konfiguration 'gross.map': Zeile zu Baustein Nr. %: enth\xE4lt "
                                "eine ung\xFCltige Zahl (nan, inf oder au\xDF" "erhalb der "
                                "einfachen Genauigkeit), \xFC" "bergangen!\n";
    std::string map5 = mapLine, map6 = mapLine;
    map5.replace(map5.find("%:"), 2, "5");
    map6.replace(map6.find("%:"), 2, "6");
    EXPECT_EQ(r.err, map5 + map6 + expected);
    EXPECT_EQ(read("a.slp"), slp2);
    EXPECT_EQ(read("a.slp").find("nan"), std::string::npos);
    EXPECT_EQ(read("a.slp").find("inf"), std::string::npos);
}

TEST_F(Program, OutputThatCannotBeWrittenIsReported)
{
    writeFile(work + "/a.pos", line1);
    const RunResult r = runProgram(program, {"-x", "-L-", "a.pos"}, work, {bin, "/dev/full", ""});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "a.pos -> a.slp ...\nDie Standardausgabe kann nicht geschrieben werden!\n");
    EXPECT_EQ(read("a.slp"), slp1);
    const RunResult usageOnly = runProgram(program, {}, work, {bin, "/dev/full", ""});
    EXPECT_EQ(usageOnly.exitCode, 1);
    EXPECT_EQ(usageOnly.err, "Die Standardausgabe kann nicht geschrieben werden!\n");
    // Nothing written to standard output, nothing to report.
    const RunResult quiet = runProgram(program, {"-L-", "a.pos"}, work, {bin, "/dev/full", ""});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, "a.pos -> a.slp ...\n");
}

TEST_F(Program, LinksAreNeitherWrittenThroughNorDeleted)
{
    const std::string linkMessage = "Datei 'loesungen/kubo_puzzle_000017c.slp' ist eine "
                                    "Verkn\xFCpfung (symbolischer Link oder Analysepunkt) und "
                                    "wird nicht \xFC" "berschrieben!\n";
    const std::string pos = "loesungen/kubo_puzzle_000017c.pos";
    const std::string slp = work + "/loesungen/kubo_puzzle_000017c.slp";
    mkdir((work + "/loesungen").c_str(), 0755);
    writeFile(work + "/" + pos, line1);
    writeFile(work + "/wertvoll.txt", "Daten des Benutzers\n");
    struct Case {
        const char* what;
        void (*make)(const std::string& slp);
        const char* message;  // nullptr: the link message
    } cases[] = {
        {"link to a file", [](const std::string& s) { (void)symlink("../wertvoll.txt", s.c_str()); }, nullptr},
        {"link to nothing", [](const std::string& s) { (void)symlink("../neu.txt", s.c_str()); }, nullptr},
        {"second name", [](const std::string& s) { (void)link((s.substr(0, s.rfind("/loesungen")) + "/wertvoll.txt").c_str(), s.c_str()); },
         "Datei 'loesungen/kubo_puzzle_000017c.slp' hat noch weitere Namen (harte "
         "Verkn\xFCpfung) und wird nicht \xFC" "berschrieben!\n"},
    };
    for (const Case& c : cases) {
        std::remove(slp.c_str());
        std::remove((work + "/../viewer.log").c_str());
        c.make(slp);
        struct stat before;
        ASSERT_EQ(lstat(slp.c_str(), &before), 0) << c.what;
        const RunResult r = run({"-d", pos});
        EXPECT_EQ(r.exitCode, 0) << c.what;
        EXPECT_EQ(r.err, pos + " -> loesungen/kubo_puzzle_000017c.slp ...\n" +
                             (c.message ? c.message : linkMessage)) << c.what;
        EXPECT_EQ(read("wertvoll.txt"), "Daten des Benutzers\n") << c.what;
        EXPECT_FALSE(exists("neu.txt")) << c.what;
        struct stat after;
        EXPECT_EQ(lstat(slp.c_str(), &after), 0) << c.what << ": the link was deleted";
        EXPECT_EQ(after.st_ino, before.st_ino) << c.what;
        EXPECT_EQ(viewerLog(), "") << c.what;
    }
}

TEST_F(Program, DeletesOnlyTheFileItWrote)
{
    writeFile(work + "/a.pos", line1);
    writeFile(work + "/wertvoll.txt", "Daten des Benutzers\n");
    // Viewers that put something else in the SLP file's place while they run.
    struct Case {
        const char* viewer;
        const char* script;
        const char* message;  // nullptr: nothing is reported
        const char* left;     // what a.slp reads afterwards, or nullptr when it is gone
    } cases[] = {
        {"verlinkt", "mv \"$1\" behalten.slp; ln -s wertvoll.txt \"$1\"",
         "Datei 'a.slp' ist inzwischen eine Verkn\xFCpfung und wird nicht gel\xF6scht!\n",
         "Daten des Benutzers\n"},
        {"ersetzt", "rm \"$1\"; echo anders > \"$1\"",
         "Datei 'a.slp' ist inzwischen eine andere Datei und wird nicht gel\xF6scht!\n", "anders\n"},
        {"loescht", "rm \"$1\"", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        writeFile(bin + "/" + c.viewer, std::string("#!/bin/sh\n") + c.script + "\n");
        chmod((bin + "/" + c.viewer).c_str(), 0755);
        const RunResult r = run({std::string("-L") + c.viewer, "-d", "a.pos"});
        EXPECT_EQ(r.exitCode, 0) << c.viewer;
        EXPECT_EQ(r.err, std::string("a.pos -> a.slp ...\n") + (c.message ? c.message : ""))
            << c.viewer;
        EXPECT_EQ(exists("a.slp"), c.left != nullptr) << c.viewer;
        if (c.left) {
            EXPECT_EQ(read("a.slp"), c.left) << c.viewer;
        }
        EXPECT_EQ(read("wertvoll.txt"), "Daten des Benutzers\n") << c.viewer;
        std::remove((work + "/a.slp").c_str());
    }
    EXPECT_EQ(read("behalten.slp"), slp1);
}

TEST_F(Program, AFullDiskLeavesNoCutOffFileAndShowsNothing)
{
    disk = work + "/voll";
    if (!mountSmallDisk(disk)) {
        disk.clear();
        GTEST_SKIP() << "no small file system can be mounted here";
    }
    // So many lines that the SLP file outgrows a page and is cut off in the middle; and a
    // single line, whose SLP file fails only when the stream is flushed at the end.
    std::string many;
    for (int i = 0; i < 100; i++) many += line1 + line2;
    writeFile(disk + "/a.pos", many);
    writeFile(disk + "/b.pos", line1);
    struct Case {
        size_t room;  // free bytes left on the disk
        std::vector<std::string> args;
        const char* name;
    } cases[] = {
        {4096, {"voll/a.pos"}, "voll/a"},
        {0, {"-d", "voll/b.pos"}, "voll/b"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(fillSmallDisk(disk, c.room));
        const RunResult r = run(c.args);
        const std::string slp = std::string(c.name) + ".slp";
        EXPECT_EQ(r.exitCode, 0) << c.name;
        EXPECT_EQ(r.err, std::string(c.name) + ".pos -> " + slp + " ...\n"
                         "Datei '" + slp + "' kann nicht vollst\xE4ndig geschrieben werden und "
                         "wird gel\xF6scht!\n") << c.name;
        EXPECT_EQ(listFolder(disk), (std::vector<std::string>{"a.pos", "b.pos", "voll.bin"})) << c.name;
        EXPECT_EQ(viewerLog(), "") << c.name;
        std::remove((disk + "/voll.bin").c_str());
    }
    // With room again the same file converts whole.
    EXPECT_EQ(run({"-L-", "voll/a.pos"}).err, "voll/a.pos -> voll/a.slp ...\n");
    EXPECT_EQ(read("voll/a.slp").size(), 100 * (slp1.size() + slp2.size()));
}

TEST_F(Program, FifosAndDevicesAreRefusedWithoutWaiting)
{
    const std::string refused = " ist keine gew\xF6hnliche Datei (FIFO, Pipe oder Ger\xE4t) und "
                                "wird nicht ";
    for (const char* name : {"rohr.pos", "b.slp", "d.slp", "fehlt.slp", "rohr.map"})
        ASSERT_EQ(mkfifo((work + "/" + name).c_str(), 0644), 0) << name;
    writeFile(work + "/b.pos", line1);
    writeFile(work + "/d.pos", line1);
    // Piece 3's mesh is a FIFO now.
    writeFile(work + "/c.pos", " 3  1 0 0 0 1 0 0 0 1 0 0 0\n" + line1);
    // A FIFO with a reader opens for writing at once; it is refused all the same, and the
    // reader gets nothing.
    const int reader = open((work + "/d.slp").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const RunResult r = run({"-d", "rohr.pos", "/dev/zero", "b.pos", "d.pos", "c.pos"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "rohr.pos -> rohr.slp ...\nDatei 'rohr.pos'" + refused + "gelesen!\n"
                     "/dev/zero -> /dev/zero.slp ...\nDatei '/dev/zero'" + refused + "gelesen!\n"
                     "b.pos -> b.slp ...\nDatei 'b.slp'" + refused + "beschrieben!\n"
                     "d.pos -> d.slp ...\nDatei 'd.slp'" + refused + "beschrieben!\n"
                     "c.pos -> c.slp ...\nKann Datei 'fehlt.slp' nicht lesen!\n");
    char byte;
    EXPECT_LE(::read(reader, &byte, 1), 0);
    close(reader);
    EXPECT_EQ(viewerLog(), "rtd c.slp\nvorhanden\n");
    // The map file is read before any placement file: as a FIFO it ends the run.
    const RunResult map = run({"-Mrohr.map", "b.pos"});
    EXPECT_EQ(map.exitCode, 1);
    EXPECT_EQ(map.err, "Konfiguration 'rohr.map' nicht lesbar!\n");
}

}  // namespace
