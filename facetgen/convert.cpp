// convert.cpp: one placement file to one SLP file, the viewer run and the deletion.
#include "facetgen/convert.h"

#include <cctype>
#include <cmath>
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
    bool inRange = true;
    for (float& value : parsed.placement.e) {
        if (!scanFloat(p, value)) return PlacementLineKind::incomplete;
        inRange = inRange && std::isfinite(value);
    }
    return inRange ? PlacementLineKind::placement : PlacementLineKind::outOfRange;
}

namespace {

bool isFinite(const FloatTransform& t)
{
    for (float v : t.e)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

bool formViewerCommand(const char* viewerProgram, const char* slpName,
                       CommandInterpreter interpreter, std::string& command)
{
    command = viewerProgram;
    command += ' ';
    if (interpreter == CommandInterpreter::posixShell) {
        // Inside single quotes the shell takes every byte as it is; a single quote itself
        // ends the quoting, is given escaped, and the quoting starts again.
        command += '\'';
        for (const char* c = slpName; *c; c++) {
            if (*c == '\'')
                command += "'\\''";
            else
                command += *c;
        }
        command += '\'';
        return true;
    }
    for (const char* c = slpName; *c; c++) {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (u < 0x20 || u == 0x7F || *c == '"' || *c == '%' || *c == '!') return false;
    }
    command = "\"" + command + '"' + slpName + "\"\"";
    return true;
}

bool convertPlacementStream(std::FILE* in, std::FILE* out, const char* outName)
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
        case PlacementLineKind::outOfRange:
            std::fprintf(stderr,
                         "Baustein Nr. %d: Zeile enth\xE4lt eine ung\xFCltige Zahl (nan, inf "
                         "oder au\xDF" "erhalb der einfachen Genauigkeit), \xFC" "bergangen!\n",
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
        // Finite factors can still have a product beyond single precision.
        if (!isFinite(r)) {
            std::fprintf(stderr,
                         "Baustein Nr. %d: Transformation ergibt Zahlen au\xDF" "erhalb der "
                         "einfachen Genauigkeit, \xFC" "bergangen!\n",
                         parsed.pieceNumber);
            continue;
        }
        if (!writeTransformedMesh(out, entry->gridScale, entry->meshFileName, r)) return false;
    }
    return true;
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

// Deletes the SLP file that this run wrote, and only that: whatever the name denotes by
// now stays, with a word why. A failed deletion is reported only when asked for.
void removeWrittenFile(const char* slpName, WrittenFile& written, bool reportFailure)
{
    switch (removeOutputFile(slpName, written)) {
    case OutputRemoval::link:
        std::fprintf(stderr, "Datei '%s' ist inzwischen eine Verkn\xFCpfung und wird nicht "
                             "gel\xF6scht!\n", slpName);
        break;
    case OutputRemoval::replaced:
        std::fprintf(stderr, "Datei '%s' ist inzwischen eine andere Datei und wird nicht "
                             "gel\xF6scht!\n", slpName);
        break;
    case OutputRemoval::failed:
        if (reportFailure) std::fprintf(stderr, "Datei '%s' kann nicht gel\xF6scht werden!\n", slpName);
        break;
    case OutputRemoval::removed:
    case OutputRemoval::gone: break;
    }
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

    // The viewer command is formed before anything is written, so that a name that
    // cannot be handed over safely leaves no SLP file behind.
    std::string command;
    if (settings.viewerProgram[0] != '\0' &&
        !formViewerCommand(settings.viewerProgram, slpName, hostInterpreter(), command)) {
        std::fprintf(stderr,
                     "Dateiname '%s' enth\xE4lt ein Zeichen, das der Befehlsinterpreter "
                     "auswerten w\xFCrde (\", %%, ! oder ein Steuerzeichen), nicht "
                     "umgesetzt!\n",
                     name);
        return;
    }

    std::FILE* in = nullptr;
    switch (openInputFile(name, true, in)) {
    case InputOpen::opened: break;
    case InputOpen::notRegular:
        std::fprintf(stderr, "Datei '%s' ist keine gew\xF6hnliche Datei (FIFO, Pipe oder "
                             "Ger\xE4t) und wird nicht gelesen!\n", name);
        return;
    case InputOpen::failed:
        std::fprintf(stderr, "Datei '%s' nicht lesbar!\n", name);
        return;
    }
    if (isAnInput(slpName, name, settings)) {
        std::fprintf(stderr, "Datei '%s' ist eine Eingabedatei und wird nicht \xFC"
                             "berschrieben!\n", slpName);
        std::fclose(in);
        return;
    }
    // Never written through a link or a second name: that would replace a file the user
    // keeps elsewhere, and -d would then delete what this run did not make.
    std::FILE* out = nullptr;
    WrittenFile written = {};
    switch (createOutputFile(slpName, out, written)) {
    case OutputOpen::opened: break;
    case OutputOpen::link:
        std::fprintf(stderr, "Datei '%s' ist eine Verkn\xFCpfung (symbolischer Link oder "
                             "Analysepunkt) und wird nicht \xFC" "berschrieben!\n", slpName);
        std::fclose(in);
        return;
    case OutputOpen::otherNames:
        std::fprintf(stderr, "Datei '%s' hat noch weitere Namen (harte Verkn\xFCpfung) und "
                             "wird nicht \xFC" "berschrieben!\n", slpName);
        std::fclose(in);
        return;
    case OutputOpen::notRegular:
        std::fprintf(stderr, "Datei '%s' ist keine gew\xF6hnliche Datei (FIFO, Pipe oder "
                             "Ger\xE4t) und wird nicht beschrieben!\n", slpName);
        std::fclose(in);
        return;
    case OutputOpen::failed:
        std::fprintf(stderr, "Datei '%s' kann nicht erzeugt werden!\n", slpName);
        std::fclose(in);
        return;
    }
    const bool converted = convertPlacementStream(in, out, slpName);
    const bool readWhole = !std::ferror(in);
    // On a full disk the last buffered bytes fail only when they are flushed. The flush is
    // asked for by itself: not every C library's close reports a failed one (Wine's does
    // not).
    const bool flushed = std::fflush(out) == 0 && !std::ferror(out);
    const bool closed = std::fclose(out) == 0;
    std::fclose(in);
    if (!converted || !flushed || !closed || !readWhole) {
        // A cut-off SLP file would be shown as if it were the whole solution.
        if (!readWhole)
            std::fprintf(stderr, "Datei '%s' nicht lesbar!\n", name);
        else
            std::fprintf(stderr, "Datei '%s' kann nicht vollst\xE4ndig geschrieben werden und "
                                 "wird gel\xF6scht!\n", slpName);
        removeWrittenFile(slpName, written, true);
        return;
    }

    if (settings.viewerProgram[0] == '\0' || !settings.deleteAfterViewing)
        releaseOutputFile(written);
    if (settings.viewerProgram[0] == '\0') return;
    // Whatever the viewer writes must come after what this program has written so far.
    std::fflush(nullptr);
    const int ignored = std::system(command.c_str());
    (void)ignored;
    if (!settings.deleteAfterViewing) return;
    // After the viewer, a failure to delete is not reported.
    removeWrittenFile(slpName, written, false);
}
