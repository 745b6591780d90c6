// cli.cpp: options and placement file names in command-line order; the map file is read
// once, just before the first placement file.
#include "facetgen/cli.h"

#include <cstdio>
#include <cstring>

#include "facetgen/convert.h"

// The non-ASCII letters are written as code page 1252 bytes, so every build prints the
// same bytes whatever its source and execution character sets.
const char usageText[] =
    "SYNTAX:\n"
    "facetgen [Optionen] <POS-Dateien>\n"
    "\n"
    "Erzeugt aus den Teilenummern und Tranformationsmatrizen der\n"
    "'XXX.pos'-Datei eine 'XXX.slp'-Datei und startet danach ein\n"
    "Programm zum Ansehen der SLP-Datei.\n"
    "\n"
    "  <POS-Dateien> auch mehrfach\n"
    " Optionen:\n"
    "  -M<MAP-Datei>        alternative Einrichtdatei angeben\n"
    "      Standard: facetgen.map\n"
    "  -L<Viewer-Programm>  Programm, welches die SLP-Datei darstellen soll\n"
    "      Standard: rtd\n"
    "  -L-                  Kein Viewerprogramm starten\n"
    "  -d                   SLP-Datei danach l\xF6schen - unsinnig,\n"
    "                       mit Option -L- zusammen benutzen zu wollen.\n"
    " Alle Optionsparameter m\xFCssen direkt auf den Optionsbuchstaben folgen,\n"
    " es sind keine Leerzeichen dazwischen erlaubt.\n"
    "\n";

void printUsage() { std::fputs(usageText, stdout); }

namespace {

// Copies an option parameter, or reports it when it does not fit: cutting it would
// silently name another file or program.
bool takeParameter(const char* argument, char (&setting)[nameBufferSize])
{
    const char* value = argument + 2;
    if (std::strlen(value) >= nameBufferSize) {
        std::fprintf(stderr,
                     "Parameter der Option -%c ist l\xE4nger als 259 Zeichen und wird nicht "
                     "angenommen!\n",
                     argument[1]);
        return false;
    }
    std::strcpy(setting, value);
    return true;
}

}  // namespace

int runFacetgen(int argc, char** argv)
{
    if (argc < 2) {
        printUsage();
        return 1;
    }
    Settings settings = defaultSettings();
    bool mapLoaded = false;
    bool mapRefused = false;  // -M with an overlong name: no map is usable
    for (int i = 1; i < argc; i++) {
        const char* argument = argv[i];
        if (argument[0] == '-') {
            switch (argument[1]) {
            case 'M':
                mapRefused = !takeParameter(argument, settings.mapFileName);
                break;
            case 'L':
                if (argument[2] == '-')
                    settings.viewerProgram[0] = '\0';
                else if (!takeParameter(argument, settings.viewerProgram))
                    // The program that was asked for cannot be started, so none is, and
                    // the SLP file stays.
                    settings.viewerProgram[0] = '\0';
                break;
            case 'd': settings.deleteAfterViewing = 1; break;
            default: printUsage(); break;
            }
            continue;
        }
        if (!mapLoaded) {
            if (mapRefused || readMapFile(settings.mapFileName) != 0) return 1;
            mapLoaded = true;
        }
        convertPlacementFile(argument, settings);
    }
    return 0;
}

int checkStandardOutput(int exitCode)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return exitCode;
    std::fputs("Die Standardausgabe kann nicht geschrieben werden!\n", stderr);
    return 1;
}
