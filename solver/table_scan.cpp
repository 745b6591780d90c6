// table_scan.cpp: the table read in blocks, each record checked as it comes.
#include "solver/table_scan.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "model/solution_table.h"
#include "solver/messages.h"
#include "solver/table_file.h"

namespace {

// Detail lines of the check beyond this many are only counted: a table of one record
// repeated would otherwise print a line for each of its copies.
constexpr uint64_t maxFaultLines = 1000;

}  // namespace

std::FILE* openTableToRead(const std::string& path)
{
    if (isFolder(path.c_str())) {
        std::fputs(tableNotReadableText(path, EISDIR).c_str(), stderr);
        return nullptr;
    }
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) std::fputs(tableNotReadableText(path, errno ? errno : EIO).c_str(), stderr);
    return file;
}

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
        std::fputs(tableNotReadCompletelyText(path).c_str(), stderr);
        return false;
    }
    return true;
}

bool tableIsSound(const TableScan& scan)
{
    const TableChecker& c = scan.checker;
    return !scan.tail && c.faultyRecords == 0 && c.variantPairs == 0 && c.records > 0;
}

void printScanSummary(const TableScan& scan)
{
    if (scan.faultLines > maxFaultLines) std::fputs(moreFaultsText(scan.faultLines - maxFaultLines).c_str(), stdout);
    std::fputs(recordCountText(scan.checker.records, scan.bytes).c_str(), stdout);
    if (scan.tail) std::fputs(tornRecordText(scan.tail).c_str(), stdout);
    if (!tableIsSound(scan)) std::fputs(faultyVerdictText(scan.checker, scan.tail != 0).c_str(), stdout);
}
