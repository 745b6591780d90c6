// convert.cpp: one placement file to one SLP file, the viewer run and the deletion.
#include "facetgen/convert.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "facetgen/platform.h"
#include "facetgen/text_scan.h"

Settings defaultSettings()
{
    Settings s = {};
    std::strcpy(s.mapFileName, "facetgen.map");
    std::strcpy(s.viewerProgram, "rtd");
    s.deleteAfterViewing = 0;
    return s;
}

bool formSlpName(const char* name, char (&slpName)[nameBufferSize])
{
    const size_t length = std::strlen(name);
    const char* tail = name + (length >= 4 ? length - 4 : 0);
    const bool endsInPos = length >= 5 && tail[0] == '.' &&
                           std::tolower(static_cast<unsigned char>(tail[1])) == 'p' &&
                           std::tolower(static_cast<unsigned char>(tail[2])) == 'o' &&
                           std::tolower(static_cast<unsigned char>(tail[3])) == 's';
    const size_t slpLength = endsInPos ? length : length + 4;
    if (slpLength >= nameBufferSize) return false;
    std::memcpy(slpName, name, endsInPos ? length - 4 : length);
    std::memcpy(slpName + slpLength - 4, ".slp", 5);
    return true;
}

PlacementLineKind parsePlacementLine(const char* line, PlacementLine& parsed)
{
    const char* p = line;
    parsed.pieceNumber = -1;
    if (!scanInt(p, parsed.pieceNumber) || parsed.pieceNumber < 0)
        return PlacementLineKind::skipped;
    for (float& value : parsed.placement.e)
        if (!scanFloat(p, value)) return PlacementLineKind::incomplete;
    return PlacementLineKind::placement;
}

void convertPlacementStream(std::FILE* in, std::FILE* out, const char* outName)
{
    char line[lineBufferSize];
    while (readLinePiece(in, line, sizeof line) > 0) {
        PlacementLine parsed;
        switch (parsePlacementLine(line, parsed)) {
        case PlacementLineKind::skipped: continue;
        case PlacementLineKind::incomplete:
            // Read on, the missing numbers would be made-up ones.
            std::fprintf(stderr,
                         "Baustein Nr. %d: Zeile hat keine zw\xF6lf Zahlen, \xFC"
                         "bergangen!\n",
                         parsed.pieceNumber);
            continue;
        case PlacementLineKind::placement: break;
        }
        const MapEntry* entry = findMapEntry(parsed.pieceNumber);
        if (!entry) {
            std::fprintf(stderr, "Baustein Nr. %d ist aber nicht definiert!\n",
                         parsed.pieceNumber);
            continue;
        }
        // Reading the file being written would chase its own end and never finish.
        if (outName && sameFile(entry->meshFileName, outName)) {
            std::fprintf(stderr, "Datei '%s' ist die Ausgabedatei und wird nicht gelesen!\n",
                         entry->meshFileName);
            continue;
        }
        const FloatTransform r = composeFloat(parsed.placement, entry->transform);
        writeTransformedMesh(out, entry->gridScale, entry->meshFileName, r);
    }
}

namespace {

// The output must not replace anything this run reads: the placement file, the map file
// or a mesh file (say, "baustein_01.pos" next to the mesh "baustein_01.slp").
bool isAnInput(const char* slpName, const char* placementName, const Settings& settings)
{
    if (sameFile(slpName, placementName) || sameFile(slpName, settings.mapFileName))
        return true;
    for (const MapEntry* e = mapTable; e; e = e->next)
        if (sameFile(slpName, e->meshFileName)) return true;
    return false;
}

}  // namespace

void convertPlacementFile(const char* name, const Settings& settings)
{
    char slpName[nameBufferSize];
    if (!formSlpName(name, slpName)) {
        std::fprintf(stderr,
                     "Dateiname '%s' ist zu lang (h\xF6" "chstens 259 Zeichen f\xFCr den "
                     "SLP-Dateinamen), nicht umgesetzt!\n",
                     name);
        return;
    }
    std::fprintf(stderr, "%s -> %s ...\n", name, slpName);

    std::FILE* in = isDirectory(name) ? nullptr : std::fopen(name, "r");
    if (!in) {
        std::fprintf(stderr, "Datei '%s' nicht lesbar!\n", name);
        return;
    }
    if (isAnInput(slpName, name, settings)) {
        std::fprintf(stderr, "Datei '%s' ist eine Eingabedatei und wird nicht \xFC"
                             "berschrieben!\n", slpName);
        std::fclose(in);
        return;
    }
    std::FILE* out = std::fopen(slpName, "wb");
    if (!out) {
        std::fprintf(stderr, "Datei '%s' kann nicht erzeugt werden!\n", slpName);
        std::fclose(in);
        return;
    }
    convertPlacementStream(in, out, slpName);
    std::fclose(out);
    std::fclose(in);

    if (settings.viewerProgram[0] == '\0') return;
    // 259 + 1 + 259 characters always fit.
    char command[2 * nameBufferSize];
    std::snprintf(command, sizeof command, "%s %s", settings.viewerProgram, slpName);
    // Whatever the viewer writes must come after what this program has written so far.
    std::fflush(nullptr);
    const int ignored = std::system(command);
    (void)ignored;
    if (settings.deleteAfterViewing) std::remove(slpName);
}
