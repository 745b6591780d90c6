// table_file.cpp: creating, appending to and closing the table file.
#include "solver/table_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "model/solution_table.h"
#include "solver/table_lock.h"

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

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
#ifdef _WIN32
    writer.file = _fdopen(fd, "wb");
#else
    writer.file = fdopen(fd, "wb");
#endif
    if (!writer.file) {
        writer.error = errno ? errno : EIO;
#ifdef _WIN32
        _close(fd);
#else
        close(fd);
#endif
        return writer;
    }
    std::setvbuf(writer.file, nullptr, _IONBF, 0);
    return writer;
}

// Cuts the file back to the whole records written before a failed write, so that a
// partly written record never stays behind.
static void cutToWholeRecords(TableWriter& writer)
{
    const uint64_t size = writer.recordsWritten * recordSize;
#ifdef _WIN32
    (void)_chsize_s(_fileno(writer.file), int64_t(size));
#else
    (void)ftruncate(fileno(writer.file), off_t(size));
#endif
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
        cutToWholeRecords(writer);
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

std::string fileErrorText(int error)
{
    switch (error) {
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

std::string currentFolder()
{
    char buffer[4096];
#ifdef _WIN32
    if (!_getcwd(buffer, sizeof buffer)) return ".";
#else
    if (!getcwd(buffer, sizeof buffer)) return ".";
#endif
    return buffer;
}
