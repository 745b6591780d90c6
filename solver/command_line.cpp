// command_line.cpp: argument parsing and the German usage text.
#include "solver/command_line.h"

#include <cstdlib>
#include <cstring>

#include "model/solution_table.h"

// A whole decimal number 1..maxThreads, nothing else.
static bool parseThreadCount(const char* text, int& threads)
{
    if (!text || !*text) return false;
    long value = 0;
    for (const char* c = text; *c; c++) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + (*c - '0');
        if (value > maxThreads) return false;
    }
    if (value < 1) return false;
    threads = int(value);
    return true;
}

Options parseCommandLine(int argc, const char* const* argv, int defaultThreads)
{
    Options options = {RunMode::solve, defaultThreads, solutionTableName, ""};
    bool threadsGiven = false;
    auto invalid = [&](const std::string& why) {
        options.mode = RunMode::invalid;
        options.error = why;
        return options;
    };
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "-?") || !std::strcmp(arg, "--help") ||
            !std::strcmp(arg, "/?")) {
            options.mode = RunMode::help;
            return options;
        }
        if (!std::strcmp(arg, "-p") || !std::strcmp(arg, "--stats")) {
            const RunMode mode = arg[1] == 'p' ? RunMode::check : RunMode::stats;
            if (options.mode != RunMode::solve && options.mode != mode)
                return invalid("-p und --stats lassen sich nicht zusammen angeben.");
            options.mode = mode;
            // An optional file name may follow; anything starting with '-' is an option.
            if (i + 1 < argc && argv[i + 1][0] != '-') options.checkPath = argv[++i];
            continue;
        }
        if (!std::strncmp(arg, "-j", 2)) {
            const char* count = arg[2] ? arg + 2 : (i + 1 < argc ? argv[++i] : nullptr);
            if (!count) return invalid("Nach -j fehlt die Zahl der Threads.");
            if (!parseThreadCount(count, options.threads))
                return invalid("Die Zahl der Threads \"" + std::string(count) +
                               "\" ist ungültig (erlaubt: 1 bis " + std::to_string(maxThreads) +
                               ").");
            threadsGiven = true;
            continue;
        }
        return invalid("Unbekannte Angabe \"" + std::string(arg) + "\".");
    }
    if (options.mode == RunMode::check && threadsGiven)
        return invalid("-j und -p lassen sich nicht zusammen angeben.");
    if (options.mode == RunMode::stats && threadsGiven)
        return invalid("-j und --stats lassen sich nicht zusammen angeben.");
    return options;
}

std::string usageText(int defaultThreads)
{
    return std::string(
               "Aufruf: kubo_puzzle_erg [-j ANZAHL]\n"
               "        kubo_puzzle_erg -p [DATEI]\n"
               "        kubo_puzzle_erg --stats [DATEI]\n"
               "\n"
               "Ohne Angaben berechnet kubo_puzzle_erg alle Lösungen des kubo-Puzzles und\n"
               "schreibt sie in die Datei kubo_puzzle_erg.bin im aktuellen Ordner.\n"
               "\n"
               "  -j ANZAHL  rechnet mit ANZAHL Threads (1 bis ") +
           std::to_string(maxThreads) + "; Vorgabe: " + std::to_string(defaultThreads) +
           ",\n             die Zahl der Prozessorkerne)\n"
           "  -p [DATEI] prüft eine vorhandene Lösungstabelle (Vorgabe: kubo_puzzle_erg.bin),\n"
           "             statt zu rechnen\n"
           "  --stats [DATEI]\n"
           "             zählt, wie viele Lösungen einer Tabelle (Vorgabe: kubo_puzzle_erg.bin)\n"
           "             sich mit den echten Teilen zusammensetzen lassen: frei aus allen\n"
           "             Richtungen und in die Schachtel durch jede ihrer sechs Seiten\n"
           "  -h         zeigt diese Hilfe\n";
}
