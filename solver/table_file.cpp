// table_file.cpp: creating, appending to and closing the table file.
#include "solver/table_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "model/solution_table.h"
#include "solver/platform.h"

bool isFolder(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

TableWriter createTable(const char* path)
{
    TableWriter writer = {nullptr, 0, 0, false};
    // Opening a folder for writing fails with a reason that differs between systems;
    // this one names the real trouble.
    if (isFolder(path)) {
        writer.error = EISDIR;
        return writer;
    }
    int fd = -1;
    switch (openTableAlone(path, fd, writer.error)) {
    case TableOpen::busy: writer.busy = true; return writer;
    case TableOpen::failed:
        if (!writer.error) writer.error = EIO;
        return writer;
    case TableOpen::opened: break;
    }
    errno = 0;
    writer.file = writeStreamOf(fd);
    if (!writer.file) {
        writer.error = errno ? errno : EIO;
        closeDescriptor(fd);
        return writer;
    }
    std::setvbuf(writer.file, nullptr, _IONBF, 0);
    return writer;
}

bool appendRecords(TableWriter& writer, const std::vector<SolutionRecord>& records)
{
    if (!writer.file || writer.error) return false;
    std::vector<unsigned char> bytes(records.size() * recordSize);
    for (size_t i = 0; i < records.size(); i++) encodeRecord(records[i], &bytes[i * recordSize]);
    errno = 0;
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), writer.file);
    if (written != bytes.size()) {
        writer.error = errno ? errno : EIO;
        // Back to the whole records written before, so that a partly written record
        // never stays behind.
        (void)cutFile(writer.file, writer.recordsWritten * recordSize);
        return false;
    }
    writer.recordsWritten += records.size();
    return true;
}

bool closeTable(TableWriter& writer)
{
    if (!writer.file) return writer.error == 0;
    errno = 0;
    const bool ok = std::fclose(writer.file) == 0;
    if (!ok && !writer.error) writer.error = errno ? errno : EIO;
    writer.file = nullptr;
    return ok && writer.error == 0;
}
