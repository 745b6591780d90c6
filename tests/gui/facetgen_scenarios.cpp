// The converter as a user runs it on Windows: code page 1252 texts, the command
// interpreter for the viewer, backslash paths and text-mode line ends.
#include <cstdio>
#include <string>

#include "tests/gui/harness.h"
#include "tests/gui/launch_harness.h"

namespace {

// A work folder with the shipped map and meshes, as the program's own folder holds them.
std::string converterFolder(const char* tag)
{
    const std::string folder = makeWorkFolder(tag);
    copyProgramData(runFolder, folder);
    CreateDirectoryA((folder + "\\loesungen").c_str(), nullptr);
    return folder;
}

int countOf(const std::string& text, const std::string& word)
{
    int count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) count++;
    return count;
}

void removeFolder(const std::string& folder)
{
    Program cleanup;
    cleanup.workFolder = folder;
    endProgram(cleanup);
}

}  // namespace

SCENARIO(facetgen_usage_in_code_page_1252)
{
    const std::string folder = makeWorkFolder("usage");
    const ConsoleRun run = runConsole("\"" + runFolder + "\\facetgen.exe\"", folder);
    CHECK_EQ(run.exitCode, 1L);
    CHECK(run.out.find("  -d                   SLP-Datei danach l\xF6schen - unsinnig,") != std::string::npos);
    CHECK(run.out.find(" Alle Optionsparameter m\xFCssen direkt") != std::string::npos);
    CHECK_EQ(run.err, std::string());
    removeFolder(folder);
}

SCENARIO(facetgen_converts_and_runs_the_viewer)
{
    const std::string folder = converterFolder("convert");
    // Two pieces as START writes them: the text-mode stream gives CR LF line ends.
    FILE* pos = std::fopen((folder + "\\loesungen\\kubo_puzzle_000017c.pos").c_str(), "w");
    REQUIRE(pos);
    std::fputs(" 5   1  0  0  0  1  0  0  0  1  2  1  0\n", pos);
    std::fputs("12   0  0 -1 -1  0  0  0  1  0  4  3  2\n", pos);
    std::fclose(pos);
    const std::string exe = "\"" + runFolder + "\\facetgen.exe\"";

    // Without a viewer the SLP file stays, even with -d.
    ConsoleRun run = runConsole(exe + " -L- -d loesungen\\kubo_puzzle_000017c.pos", folder);
    CHECK_EQ(run.exitCode, 0L);
    CHECK_EQ(run.err, std::string("loesungen\\kubo_puzzle_000017c.pos -> loesungen\\kubo_puzzle_000017c.slp ...\r\n"));
    const std::string slp = readFile(folder + "\\loesungen\\kubo_puzzle_000017c.slp");
    CHECK_EQ(countOf(slp, "endsolid "), 2);
    // Piece 5 placed with translation (2, 1, 0) at grid scale 10: its first cube's corner.
    CHECK(slp.find("      vertex 1.500000e+01 5.000000e+00 -5.000000e+00\r\n") != std::string::npos);
    CHECK_EQ(countOf(slp, "\r\n"), countOf(slp, "\n"));

    // A viewer through the command interpreter; -d deletes the file after it ends.
    run = runConsole(exe + " \"-Lcmd /c copy\" -d loesungen\\kubo_puzzle_000017c.pos", folder);
    CHECK_EQ(run.exitCode, 0L);
    CHECK(!fileExists(folder + "\\loesungen\\kubo_puzzle_000017c.slp"));
    CHECK(fileExists(folder + "\\kubo_puzzle_000017c.slp"));  // the copy the "viewer" made
    CHECK_EQ(readFile(folder + "\\kubo_puzzle_000017c.slp"), slp);

    // A piece without a map entry is reported; the others are still written.
    pos = std::fopen((folder + "\\loesungen\\x.Pos").c_str(), "w");
    REQUIRE(pos);
    std::fputs("13   1  0  0  0  1  0  0  0  1  0  0  0\n 1   1  0  0  0  1  0  0  0  1  0  0  0\n", pos);
    std::fclose(pos);
    run = runConsole(exe + " -L- loesungen\\x.Pos", folder);
    CHECK_EQ(run.err, std::string("loesungen\\x.Pos -> loesungen\\x.slp ...\r\nBaustein Nr. 13 ist aber nicht definiert!\r\n"));
    CHECK_EQ(countOf(readFile(folder + "\\loesungen\\x.slp"), "endsolid "), 1);
    removeFolder(folder);
}

SCENARIO(facetgen_on_a_full_disk_leaves_no_cut_off_file)
{
    const std::string folder = converterFolder("fulldisk");
    const std::string host = hostPathOf(folder + "\\loesungen");
    // A disk of a few pages on the folder; mounting needs the host's root.
    if (host.empty() || !runHostShell("mount -t tmpfs -o size=64k tmpfs '" + host + "'", folder)) {
        std::printf("         (no small file system can be mounted here; the case is left out)\n");
        removeFolder(folder);
        return;
    }
    FILE* pos = std::fopen((folder + "\\loesungen\\kubo_puzzle_000017c.pos").c_str(), "w");
    if (pos) {
        std::fputs(" 5   1  0  0  0  1  0  0  0  1  2  1  0\n", pos);
        std::fclose(pos);
    }
    runHostShell("cat /dev/zero > '" + host + "/voll.bin' 2>/dev/null", folder);
    // A mesh so small that its SLP file is written only when the stream is flushed at the
    // end; the "viewer" would leave a copy of what it was shown.
    writeTextFile(folder + "\\klein.map", "5 1 0 0 0 1 0 0 0 1 0 0 0 10 klein.slp\n");
    writeTextFile(folder + "\\klein.slp", "solid klein\r\n      vertex 0 0 0\r\nendsolid klein\r\n");
    const ConsoleRun run = runConsole("\"" + runFolder + "\\facetgen.exe\" -Mklein.map \"-Lcmd /c copy\" -d "
                                      "loesungen\\kubo_puzzle_000017c.pos", folder);
    CHECK_EQ(run.exitCode, 0L);
    CHECK_EQ(run.err, std::string("loesungen\\kubo_puzzle_000017c.pos -> loesungen\\kubo_puzzle_000017c.slp ...\r\n"
                                  "Datei 'loesungen\\kubo_puzzle_000017c.slp' kann nicht vollst\xE4ndig geschrieben "
                                  "werden und wird gel\xF6scht!\r\n"));
    CHECK(!fileExists(folder + "\\loesungen\\kubo_puzzle_000017c.slp"));
    CHECK(!fileExists(folder + "\\kubo_puzzle_000017c.slp"));
    runHostShell("umount -l '" + host + "'", folder);
    removeFolder(folder);
}
