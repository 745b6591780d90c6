// table_scan.cpp: the table read in blocks, each record checked as it comes.
#include "solver/table_scan.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "console/console.h"
#include "model/solution_table.h"
#include "solver/messages.h"
#include "solver/platform.h"
#include "solver/table_file.h"

namespace {

// Detail lines of the check beyond this many are only counted: a table of one record
// repeated would otherwise print a line for each of its copies.
constexpr uint64_t maxFaultLines = 1000;

}  // namespace

TableSource openTableOrSayWhy(const std::string& path)
{
    TableSource source = {nullptr, 0};
    int error = 0;
    TableRead opened = TableRead::failed;
    // A folder fails to open with a reason that differs between the systems; this one
    // names the real trouble.
    if (isFolder(path.c_str()))
        error = EISDIR;
    else
        opened = openTableToRead(path.c_str(), source.file, source.size, error);
    if (opened == TableRead::beingWritten) writeConsoleText(stderr, tableBeingWrittenText(path));
    if (opened == TableRead::failed) writeConsoleText(stderr, tableNotReadableText(path, error ? error : EIO));
    return source;
}

bool scanTable(TableSource source, const std::string& path, ProgressLine* progress, TableScan& scan,
               const std::function<void(const SolutionRecord&)>& sound)
{
    scan = {makeTableChecker(), 0, 0, 0};
    std::vector<unsigned char> buffer(size_t(recordSize) * 4096);
    size_t held = 0;  // bytes in buffer not yet checked
    // No more than the size the file had when opened: a file that grows meanwhile is
    // noticed below, and cannot keep the loop going.
    for (;;) {
        const size_t room = size_t(std::min<uint64_t>(buffer.size() - held, source.size - scan.bytes));
        const size_t got = room ? std::fread(&buffer[held], 1, room, source.file) : 0;
        scan.bytes += got;
        held += got;
        const size_t whole = held / recordSize * recordSize;
        for (size_t at = 0; at < whole; at += recordSize) {
            const SolutionRecord record = decodeRecord(&buffer[at]);
            const std::vector<CheckFault> faults = checkNextRecord(scan.checker, record);
            for (const CheckFault& fault : faults)
                if (++scan.faultLines <= maxFaultLines) {
                    if (progress) clearProgressLine(*progress);
                    writeConsoleText(stdout, faultText(fault) + "\n");
                }
            if (faults.empty() && sound) sound(record);
        }
        std::copy(buffer.begin() + long(whole), buffer.begin() + long(held), buffer.begin());
        held -= whole;
        if (got == 0) break;
    }
    scan.tail = held;
    const bool readFailed = std::ferror(source.file) != 0;
    // Cut back or grown while it was read: what was read is no table as it stands.
    uint64_t sizeNow = scan.bytes;
    const bool changed = !currentFileSize(source.file, sizeNow) || sizeNow != source.size || scan.bytes != source.size;
    std::fclose(source.file);
    if (!readFailed && !changed) return true;
    if (progress) clearProgressLine(*progress);
    writeConsoleText(stderr, readFailed ? tableNotReadCompletelyText(path)
                                        : tableChangedWhileReadText(path, source.size, sizeNow));
    return false;
}

TableVerdict verdictOf(const TableScan& scan)
{
    const TableChecker& c = scan.checker;
    if (scan.tail || c.faultyRecords || c.variantPairs || c.records == 0) return TableVerdict::faulty;
    return c.records < completeTableRecords ? TableVerdict::incomplete : TableVerdict::sound;
}

void printScanSummary(const TableScan& scan)
{
    if (scan.faultLines > maxFaultLines) writeConsoleText(stdout, moreFaultsText(scan.faultLines - maxFaultLines));
    writeConsoleText(stdout, recordCountText(scan.checker.records, scan.bytes));
    if (scan.tail) writeConsoleText(stdout, tornRecordText(scan.tail));
    switch (verdictOf(scan)) {
    case TableVerdict::sound: break;
    case TableVerdict::incomplete:
        writeConsoleText(stdout, incompleteVerdictText(scan.checker.records, completeTableRecords));
        break;
    case TableVerdict::faulty: writeConsoleText(stdout, faultyVerdictText(scan.checker, scan.tail != 0)); break;
    }
}
