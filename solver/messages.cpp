// messages.cpp: the German texts of kubo_puzzle_erg.
#include "solver/messages.h"

#include <cerrno>
#include <cstdio>

#include "solver/number_format.h"
#include "solver/platform.h"

std::string usageText(int defaultThreads, int maxThreads)
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
           "             Richtungen und in die Schachtel durch jede ihrer sechs Seiten, auch\n"
           "             mit Zügen um eine Zelle (auf allen Prozessorkernen)\n"
           "  -h         zeigt diese Hilfe\n";
}

std::string invalidCallText(const std::string& why, int defaultThreads, int maxThreads)
{
    return "Fehler: " + why + "\n\n" + usageText(defaultThreads, maxThreads);
}

std::string optionsTogetherText(const char* option, const char* other)
{
    return std::string(option) + " und " + other + " lassen sich nicht zusammen angeben.";
}

std::string optionRepeatedText(const char* option)
{
    return std::string(option) + " lässt sich nur einmal angeben (eine Tabelle je Aufruf).";
}

std::string threadCountMissingText() { return "Nach -j fehlt die Zahl der Threads."; }

std::string threadCountInvalidText(const std::string& count, int maxThreads)
{
    return "Die Zahl der Threads \"" + count + "\" ist ungültig (erlaubt: 1 bis " + std::to_string(maxThreads) +
           ").";
}

std::string unknownArgumentText(const std::string& argument) { return "Unbekannte Angabe \"" + argument + "\"."; }

std::string fileErrorText(int error)
{
    switch (error) {
    case notARegularFile:
        return "Das ist keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder dergleichen";
    case EISDIR:
        return "Dort gibt es einen Ordner dieses Namens";
    case EACCES:
    case EPERM:
        return "Zugriff verweigert (keine Schreib- oder Leseberechtigung)";
#ifdef EROFS
    case EROFS:
        return "Der Datenträger ist schreibgeschützt";
#endif
    case ENOSPC:
        return "Der Datenträger ist voll";
    case EFBIG:
        return "Die Datei wird zu groß";
    case ENOENT:
        return "Datei oder Ordner nicht gefunden";
    case EIO:
        return "Ein-/Ausgabefehler";
    default:
        return "Systemfehler " + std::to_string(error);
    }
}

std::string standardOutputFailedText(int error)
{
    return "Fehler: Die Standardausgabe kann nicht geschrieben werden: " + fileErrorText(error) + ".\n";
}

std::string pressKeyText()
{
    return "\nDieses Fenster schließt sich nach einem Tastendruck, spätestens in einer Minute.\n";
}

std::string solveHeadingText(int threads, const std::string& where)
{
    return "Berechne alle Lösungen des kubo-Puzzles (12 Teile in der Schachtel 5 x 4 x 3,\n"
           "jede Lösung in einer ihrer vier Lagen a bis d) mit " +
           std::to_string(threads) + " Thread" + (threads == 1 ? "" : "s") + "\nund schreibe sie nach " + where +
           "\n";
}

std::string tableBusyText(const std::string& where)
{
    return "Fehler: In die Lösungstabelle \"" + where +
           "\" schreibt gerade ein anderes Programm (läuft schon ein kubo_puzzle_erg in diesem "
           "Ordner?).\nDiese Berechnung wird nicht gestartet; die Tabelle bleibt, wie sie ist.\n";
}

std::string tableNotCreatedText(const std::string& where, int error)
{
    return "Fehler: Die Lösungstabelle \"" + where + "\" kann nicht angelegt werden: " + fileErrorText(error) +
           ".\n";
}

std::string tableNotWrittenText(const std::string& where, int error, uint64_t recordsWritten)
{
    return "Fehler: In die Lösungstabelle \"" + where + "\" kann nicht geschrieben werden: " +
           fileErrorText(error) + ".\n" +
           (recordsWritten ? "Sie enthält nur die ersten " + formatCount(recordsWritten) +
                                 " Lösungen und ist unvollständig.\n"
                           : std::string("Sie enthält keine Lösung.\n"));
}

std::string solveCancelledText(uint64_t recordsWritten)
{
    return "Abgebrochen. Die Lösungstabelle enthält die ersten " + formatCount(recordsWritten) +
           " Lösungen und ist unvollständig.\n";
}

std::string solveFinishedText(uint64_t records, double seconds, uint64_t nodes)
{
    const double perSecond = seconds > 0 ? double(nodes) / seconds / 1e6 : 0;
    return "Fertig: " + formatCount(records) + " Lösungen in " + formatSeconds(seconds) +
           " berechnet und geschrieben (" + formatCount(nodes) + " Suchknoten, " + formatDecimal(perSecond) +
           " Mio. pro Sekunde).\n";
}

ProgressTexts progressTexts(ProgressKind kind, double share, uint64_t solutions, double elapsed, double remaining)
{
    const char* done = kind == ProgressKind::searched ? " durchsucht" : kind == ProgressKind::read ? " gelesen" : " geplant";
    return {formatShare(share) + done,
            formatCount(solutions) + " Lösungen", formatClock(elapsed) + " vergangen",
            remaining >= 0 ? "noch etwa " + formatClock(remaining) : std::string()};
}

std::string tableNotReadableText(const std::string& path, int error)
{
    return "Fehler: Die Lösungstabelle \"" + path + "\" kann nicht gelesen werden: " + fileErrorText(error) + ".\n";
}

std::string tableNotReadCompletelyText(const std::string& path)
{
    return "Fehler: Die Lösungstabelle \"" + path + "\" konnte nicht ganz gelesen werden.\n";
}

std::string tableBeingWrittenText(const std::string& path)
{
    return "Fehler: Die Lösungstabelle \"" + path +
           "\" wird gerade geschrieben (läuft noch ein kubo_puzzle_erg?) und ist daher noch "
           "unvollständig.\n";
}

std::string tableChangedWhileReadText(const std::string& path, uint64_t bytesBefore, uint64_t bytesAfter)
{
    return "Fehler: Die Lösungstabelle \"" + path + "\" hat sich beim Lesen verändert (erst " +
           formatCount(bytesBefore) + " Bytes, dann " + formatCount(bytesAfter) +
           " Bytes); wird sie gerade geschrieben?\n";
}

std::string faultText(const CheckFault& f)
{
    const std::string head = "Datensatz " + formatCount(f.record) + ": ";
    const std::string piece = "Teil " + std::to_string(f.piece + 1);
    switch (f.kind) {
    case FaultKind::wordWithoutPiece:
        return head + "Wort " + std::to_string(f.piece + 1) + " (" + formatHexWord(f.word) +
               ") bezeichnet kein Teil.";
    case FaultKind::pieceTwice:
        return head + piece + " kommt mehrfach vor.";
    case FaultKind::pieceMissing:
        return head + piece + " fehlt.";
    case FaultKind::outsideBox:
        return head + piece + " ragt bei " + formatCell(f.cell) + " aus der Schachtel.";
    case FaultKind::overlap:
        return head + piece + " überlappt bei " + formatCell(f.cell) + " mit Teil " +
               std::to_string(f.otherPiece + 1) + ".";
    case FaultKind::variantPair:
        if (f.variant == 0) return head + "gleicht Datensatz " + formatCount(f.earlierRecord) + ".";
        return head + "ist eine Variante von Datensatz " + formatCount(f.earlierRecord) + " (" +
               formatCount(f.record) + " = " + formatCount(f.earlierRecord) + char('a' + f.variant) + ").";
    }
    return head;
}

std::string moreFaultsText(uint64_t more)
{
    return "... und " + formatCount(more) + " weitere Befunde, die hier nicht einzeln aufgeführt sind.\n";
}

std::string recordCountText(uint64_t records, uint64_t bytes)
{
    return formatCount(records) + " Datensätze (" + formatCount(bytes) + " Bytes).\n";
}

std::string tornRecordText(uint64_t bytes)
{
    return "Am Ende der Datei stehen " + formatCount(bytes) + " Bytes eines unvollständigen Datensatzes.\n";
}

std::string faultyVerdictText(const TableChecker& checker, bool tornRecord)
{
    std::string summary = "Ergebnis: fehlerhaft";
    if (checker.records == 0) summary += "; die Tabelle enthält keinen Datensatz";
    if (checker.faultyRecords) summary += "; " + formatCount(checker.faultyRecords) + " Datensätze sind keine Lösung";
    if (checker.variantPairs)
        summary += "; " + formatCount(checker.variantPairs) + " Paare sind Varianten voneinander";
    if (tornRecord) summary += "; am Ende steht ein unvollständiger Datensatz";
    return summary + ".\n";
}

std::string incompleteVerdictText(uint64_t records, uint64_t completeRecords)
{
    return "Ergebnis: unvollständig: " + formatCount(records) + " von " + formatCount(completeRecords) +
           " Lösungen; die vorhandenen sind in Ordnung.\n";
}

std::string checkHeadingText(const std::string& path) { return "Prüfe die Lösungstabelle " + path + "\n"; }

std::string soundVerdictText()
{
    return "Ergebnis: in Ordnung. Jeder Datensatz füllt die Schachtel mit allen zwölf Teilen,\n"
           "und keine zwei sind Varianten voneinander.\n";
}

std::string statsHeadingText(const std::string& path)
{
    return "Zusammenbau der Lösungen in der Lösungstabelle " + path + "\n";
}

namespace {

// "+y": the axis that points out through the face.
std::string faceAxisText(BoxFace face)
{
    const GridCell n = faceNormal(face);
    return std::string(1, n.x + n.y + n.z > 0 ? '+' : '-') + (n.x ? 'x' : n.y ? 'y' : 'z');
}

// "123.456 (30,1 %)"
std::string countWithShare(uint64_t count, uint64_t of)
{
    return formatCount(count) + " (" + formatShare(of ? double(count) / double(of) : 0) + ")";
}

}  // namespace

std::string statsFiguresText(const AssemblyTally& tally)
{
    const uint64_t all = tally.solutions;
    std::string text = formatCount(all) +
                       " Lösungen. Jedes Teil wird auf einer Geraden längs einer Achse von außen an seinen\n"
                       "Platz geschoben, ohne ein schon liegendes Teil zu berühren.\n";
    text += "Frei zusammensetzbar (jedes Teil aus einer der sechs Richtungen): " +
            countWithShare(tally.freePlans, all) + "\n";
    text += "In die Schachtel, alle Teile durch die offene Seite:\n";
    for (int f = 0; f < assemblyFaceCount; f++) {
        char line[160];
        std::snprintf(line, sizeof line, "  %-11s (%s): %s\n", faceNameGerman(BoxFace(f)),
                      faceAxisText(BoxFace(f)).c_str(), countWithShare(tally.throughFace[f], all).c_str());
        text += line;
    }
    text += "Durch keine der sechs Seiten: " + countWithShare(tally.throughNoFace, all) + "\n";

    // With one-cell moves: per face the plans of single pieces, of a group, and none.
    text += "In die Schachtel, wenn ein Teil auch um eine Zelle verschoben werden darf (mit allem,\n"
            "was es dabei schiebt; über dem Rand gehen die Wände weiter), jedes Teil für sich durch\n"
            "die offene Seite hinaus, wo das nicht geht, eine Gruppe zusammen:\n";
    uint64_t afterBound[assemblyFaceCount];
    bool anyAfterBound = false;
    for (int f = 0; f < assemblyFaceCount; f++) {
        const MovePlanCounts& c = tally.withMoves[f];
        std::string groups;
        for (int g = 2; g <= maxMovePlanPieces; g++)
            if (c.groupSizes[g])
                groups += (groups.empty() ? " (" : ", ") + formatCount(c.groupSizes[g]) + " aus " + std::to_string(g);
        if (!groups.empty()) groups += " Teilen)";
        char line[200];
        std::snprintf(line, sizeof line, "  %-11s (%s): einzeln %s, als Gruppe %s%s, ohne Plan %s\n",
                      faceNameGerman(BoxFace(f)), faceAxisText(BoxFace(f)).c_str(), countWithShare(c.singleExits, all).c_str(),
                      formatCount(c.groupExits).c_str(), groups.c_str(), formatCount(c.withoutPlan).c_str());
        text += line;
        afterBound[f] = c.groupsAfterBound;
        anyAfterBound = anyAfterBound || c.groupsAfterBound;
    }
    if (anyAfterBound) {
        std::string faces;
        for (int f = 0; f < assemblyFaceCount; f++)
            if (afterBound[f]) faces += (faces.empty() ? "" : ", ") + std::string(faceNameGerman(BoxFace(f))) + " " +
                                        formatCount(afterBound[f]);
        text += "Als Gruppe, nachdem die Suche nach einzelnen Teilen nach " + formatCount(defaultMovePlanStateBound) +
                " Zuständen ohne Ausweg endete: " + faces + ".\n";
    }
    text += "Züge um eine Zelle je Plan mit einzelnen Teilen von oben:";
    for (int m = 0; m <= movesCountedSingly; m++)
        text += (m ? " ·" : "") + std::string(" ") + std::to_string(m) + (m == movesCountedSingly ? " und mehr" : "") +
                ": " + formatCount(tally.movesThroughTop[m]);
    return text + "\n";
}
