// libFuzzer target for the converter's parsers: one input holds a map file, a piece mesh
// and a placement file, separated by 0xFF bytes. Each run converts them in a private
// scratch folder with the real file code and then checks that nothing but the SLP file
// was written there. Built and run by tools/fuzz.sh.
#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "facetgen/convert.h"
#include "facetgen/map_file.h"

namespace {

void writeWhole(const char* name, const std::string& text)
{
    std::FILE* f = std::fopen(name, "wb");
    if (!f) std::abort();
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

// Names that would make a run read a device or the system's files are not of interest
// here: they are the map's author's choice, not input the parsers must survive.
bool namesSystemFiles(const std::string& text)
{
    return text.find("/dev") != std::string::npos || text.find("/proc") != std::string::npos ||
           text.find("/sys") != std::string::npos;
}

void checkOnlyTheSlpFileWasAdded()
{
    static const std::set<std::string> allowed = {".", "..", "f.map", "m.slp", "p.pos", "p.slp"};
    DIR* d = opendir(".");
    if (!d) std::abort();
    while (dirent* e = readdir(d)) {
        if (!allowed.count(e->d_name)) {
            std::fprintf(stderr, "unexpected file written: %s\n", e->d_name);
            std::abort();
        }
    }
    closedir(d);
}

char scratchFolder[] = "/tmp/facetgen_fuzz_XXXXXX";

void removeScratchFolder()
{
    for (const char* name : {"f.map", "m.slp", "p.pos", "p.slp"}) std::remove(name);
    if (chdir("/") == 0) rmdir(scratchFolder);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!mkdtemp(scratchFolder) || chdir(scratchFolder) != 0) std::abort();
    std::atexit(removeScratchFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t first = input.find('\xFF');
    const size_t second = first == std::string::npos ? first : input.find('\xFF', first + 1);
    const std::string map = input.substr(0, first);
    const std::string mesh =
        first == std::string::npos ? "" : input.substr(first + 1, second - first - 1);
    const std::string placement = second == std::string::npos ? "" : input.substr(second + 1);
    if (namesSystemFiles(map)) return 0;

    writeWhole("f.map", map);
    writeWhole("m.slp", mesh);
    writeWhole("p.pos", placement);
    std::remove("p.slp");

    // Pieces 1 to 3 always have the fuzzed mesh; the fuzzed map's lines come after them.
    const FloatTransform turn = {{0, 1, 0, -1, 0, 0, 0, 0, 1, 0.5f, 0, -2}};
    for (int piece = 1; piece <= 3; piece++) addMapEntry(piece, turn, 10, "m.slp");
    Settings settings = defaultSettings();
    std::strcpy(settings.mapFileName, "f.map");
    settings.viewerProgram[0] = '\0';
    if (readMapFile(settings.mapFileName) != 0) std::abort();
    convertPlacementFile("p.pos", settings);
    clearMapTable();

    checkOnlyTheSlpFileWasAdded();
    return 0;
}
