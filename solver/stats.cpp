// stats.cpp: reading a whole table for the check (-p) and for the assembly counts
// (--stats). The table is read in blocks, each record checked as it comes; the counts add
// up the plans of the records found sound.
#include "solver/stats.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "model/solution_table.h"
#include "solver/progress_line.h"
#include "solver/table_check.h"
#include "solver/table_file.h"
#include "solver/texts.h"

namespace {

// Detail lines of the check beyond this many are only counted: a table of one record
// repeated would otherwise print a line for each of its copies.
constexpr uint64_t maxFaultLines = 1000;

struct TableScan {
    TableChecker checker;
    uint64_t faultLines;
    uint64_t bytes;
    size_t tail;  // bytes of an incomplete record at the end
};

// Opens the table, or says why it cannot be read.
std::FILE* openTable(const std::string& path)
{
    if (isFolder(path.c_str())) {
        std::fprintf(stderr, "Fehler: Die Lösungstabelle \"%s\" kann nicht gelesen werden: %s.\n",
                     path.c_str(), fileErrorText(EISDIR).c_str());
        return nullptr;
    }
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        std::fprintf(stderr, "Fehler: Die Lösungstabelle \"%s\" kann nicht gelesen werden: %s.\n",
                     path.c_str(), fileErrorText(errno ? errno : EIO).c_str());
    return file;
}

// Reads and checks every record, prints the faults found (up to maxFaultLines) and hands
// each record without a fault to sound. False, after the message, when reading failed.
bool scanTable(std::FILE* file, const std::string& path, TableScan& scan,
               const std::function<void(const SolutionRecord&)>& sound)
{
    scan = {makeTableChecker(), 0, 0, 0};
    std::vector<unsigned char> buffer(size_t(recordSize) * 4096);
    size_t held = 0;  // bytes in buffer not yet checked
    for (;;) {
        const size_t got = std::fread(&buffer[held], 1, buffer.size() - held, file);
        scan.bytes += got;
        held += got;
        const size_t whole = held / recordSize * recordSize;
        for (size_t at = 0; at < whole; at += recordSize) {
            const SolutionRecord record = decodeRecord(&buffer[at]);
            const std::vector<CheckFault> faults = checkNextRecord(scan.checker, record);
            for (const CheckFault& fault : faults)
                if (++scan.faultLines <= maxFaultLines) std::printf("%s\n", faultText(fault).c_str());
            if (faults.empty() && sound) sound(record);
        }
        std::copy(buffer.begin() + long(whole), buffer.begin() + long(held), buffer.begin());
        held -= whole;
        if (got == 0) break;
    }
    scan.tail = held;
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) {
        std::fprintf(stderr, "Fehler: Die Lösungstabelle \"%s\" konnte nicht ganz gelesen werden.\n",
                     path.c_str());
        return false;
    }
    return true;
}

bool tableIsSound(const TableScan& scan)
{
    const TableChecker& c = scan.checker;
    return !scan.tail && c.faultyRecords == 0 && c.variantPairs == 0 && c.records > 0;
}

// What -p says about the table as a whole; the verdict line only for a table at fault.
void printScanSummary(const TableScan& scan)
{
    const TableChecker& checker = scan.checker;
    if (scan.faultLines > maxFaultLines)
        std::printf("... und %s weitere Befunde, die hier nicht einzeln aufgeführt sind.\n",
                    formatCount(scan.faultLines - maxFaultLines).c_str());
    std::printf("%s Datensätze (%s Bytes).\n", formatCount(checker.records).c_str(),
                formatCount(scan.bytes).c_str());
    if (scan.tail)
        std::printf("Am Ende der Datei stehen %s Bytes eines unvollständigen Datensatzes.\n",
                    formatCount(scan.tail).c_str());
    if (tableIsSound(scan)) return;
    std::string summary = "Ergebnis: fehlerhaft";
    if (checker.records == 0) summary += "; die Tabelle enthält keinen Datensatz";
    if (checker.faultyRecords)
        summary += "; " + formatCount(checker.faultyRecords) + " Datensätze sind keine Lösung";
    if (checker.variantPairs)
        summary += "; " + formatCount(checker.variantPairs) + " Paare sind Varianten voneinander";
    if (scan.tail) summary += "; am Ende steht ein unvollständiger Datensatz";
    std::printf("%s.\n", summary.c_str());
}

// "  123.456 (30,1 %)"
std::string countWithShare(uint64_t count, uint64_t of)
{
    return formatCount(count) + " (" + formatShare(of ? double(count) / double(of) : 0) + ")";
}

}  // namespace

AssemblyGridMasks boxAssemblyGrid()
{
    AssemblyGridMasks box;
    prepareAssemblyGrid({boxSizeX, boxSizeY, boxSizeZ}, box);
    return box;
}

void recordPieceMasks(const AssemblyGridMasks& box, const SolutionRecord& record,
                      CellMask masks[pieceCount])
{
    for (int i = 0; i < pieceCount; i++) masks[i] = 0;
    for (const PlacementWord word : record.words) {
        const int piece = placementPieceIndex(word);
        if (piece < 0 || piece >= pieceCount) continue;
        const PieceCells placed = placePiece(PieceCatalogue[piece], decodePlacementWord(word));
        for (int i = 0; i < placed.cellCount; i++) {
            const Cell c = placed.cells[i];
            const int bit = cellIndex(box.grid, {c.x, c.y, c.z});
            if (bit >= 0) masks[piece] |= CellMask(1) << bit;
        }
    }
}

void tallyAssembly(const AssemblyGridMasks& box, const CellMask masks[pieceCount], AssemblyTally& tally)
{
    PackingSweeps sweeps;
    computeSweeps(box, masks, pieceCount, sweeps);
    tally.solutions++;
    if (planWithSweeps(sweeps, allAssemblyFaces, nullptr, nullptr) == 0) tally.freePlans++;
    bool anyFace = false;
    for (int f = 0; f < assemblyFaceCount; f++)
        if (planWithSweeps(sweeps, faceBit(BoxFace(f)), nullptr, nullptr) == 0) {
            tally.throughFace[f]++;
            anyFace = true;
        }
    if (!anyFace) tally.throughNoFace++;
}

int runTableCheck(const std::string& path)
{
    std::FILE* file = openTable(path);
    if (!file) return 1;
    std::printf("Prüfe die Lösungstabelle %s\n", path.c_str());
    std::fflush(stdout);
    TableScan scan;
    if (!scanTable(file, path, scan, nullptr)) return 1;
    printScanSummary(scan);
    if (!tableIsSound(scan)) return 1;
    std::printf("Ergebnis: in Ordnung. Jeder Datensatz füllt die Schachtel mit allen zwölf "
                "Teilen,\nund keine zwei sind Varianten voneinander.\n");
    return 0;
}

int runAssemblyStats(const std::string& path, bool showProgress)
{
    std::FILE* file = openTable(path);
    if (!file) return 1;
    std::printf("Zusammenbau der Lösungen in der Lösungstabelle %s\n", path.c_str());
    std::fflush(stdout);

    const AssemblyGridMasks box = boxAssemblyGrid();
    AssemblyTally tally = {};
    // The share of the table read so far, against the records its size promises.
    const uint64_t total = countSolutionsIn(path.c_str()).count;
    ProgressLine progress = startProgressLine(showProgress && total > 0);
    const auto drawProgress = [&](bool force) {
        const double share = double(std::min(tally.solutions, total)) / double(total ? total : 1);
        drawProgressLine(progress, "gelesen", share, tally.solutions, force);
    };
    TableScan scan;
    const bool read = scanTable(file, path, scan, [&](const SolutionRecord& record) {
        CellMask masks[pieceCount];
        recordPieceMasks(box, record, masks);
        tallyAssembly(box, masks, tally);
        drawProgress(false);
    });
    drawProgress(true);
    finishProgressLine(progress);
    if (!read) return 1;
    // Figures over a damaged table would count what is not a solution, or one twice.
    if (!tableIsSound(scan)) {
        printScanSummary(scan);
        return 1;
    }

    const uint64_t all = tally.solutions;
    std::printf("%s Lösungen. Jedes Teil wird auf einer Geraden längs einer Achse von außen an seinen\n"
                "Platz geschoben, ohne ein schon liegendes Teil zu berühren.\n",
                formatCount(all).c_str());
    std::printf("Frei zusammensetzbar (jedes Teil aus einer der sechs Richtungen): %s\n",
                countWithShare(tally.freePlans, all).c_str());
    std::printf("In die Schachtel, alle Teile durch die offene Seite:\n");
    for (int f = 0; f < assemblyFaceCount; f++) {
        const GridCell n = faceNormal(BoxFace(f));
        const char axis = n.x ? 'x' : n.y ? 'y' : 'z';
        const char sign = n.x + n.y + n.z > 0 ? '+' : '-';
        std::printf("  %-11s (%c%c): %s\n", faceNameGerman(BoxFace(f)), sign, axis,
                    countWithShare(tally.throughFace[f], all).c_str());
    }
    std::printf("Durch keine der sechs Seiten: %s\n", countWithShare(tally.throughNoFace, all).c_str());
    return 0;
}
