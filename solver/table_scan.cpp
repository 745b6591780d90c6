// table_scan.cpp: the table read in blocks, each record checked as it comes.
#include "solver/table_scan.h"

#include <algorithm>
#include <cerrno>
#include <vector>

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
    if (opened == TableRead::beingWritten) std::fputs(tableBeingWrittenText(path).c_str(), stderr);
    if (opened == TableRead::failed) std::fputs(tableNotReadableText(path, error ? error : EIO).c_str(), stderr);
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
                    std::printf("%s\n", faultText(fault).c_str());
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
    std::fputs((readFailed ? tableNotReadCompletelyText(path) : tableChangedWhileReadText(path, source.size, sizeNow))
                   .c_str(),
               stderr);
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
    if (scan.faultLines > maxFaultLines) std::fputs(moreFaultsText(scan.faultLines - maxFaultLines).c_str(), stdout);
    std::fputs(recordCountText(scan.checker.records, scan.bytes).c_str(), stdout);
    if (scan.tail) std::fputs(tornRecordText(scan.tail).c_str(), stdout);
    switch (verdictOf(scan)) {
    case TableVerdict::sound: break;
    case TableVerdict::incomplete:
        std::fputs(incompleteVerdictText(scan.checker.records, completeTableRecords).c_str(), stdout);
        break;
    case TableVerdict::faulty: std::fputs(faultyVerdictText(scan.checker, scan.tail != 0).c_str(), stdout); break;
    }
}
