// platform_posix.cpp: the solver's platform services on Linux. The table's writer lock is an
// flock on the table itself; it is advisory, so readers open and read the table as before.
#include "solver/platform.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

// Opens without ever waiting: a FIFO would block the open until the other side came. What
// is no regular file is closed again and refused (error notARegularFile).
int openRegularFile(const char* path, int flags, int& error)
{
    const int fd = open(path, flags | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        // ENXIO: a FIFO without a reader, or a device without its hardware.
        error = errno == ENXIO ? notARegularFile : errno;
        return -1;
    }
    struct stat info;
    int fault = 0;
    if (fstat(fd, &info) != 0)
        fault = errno;
    else if (!S_ISREG(info.st_mode))
        fault = S_ISDIR(info.st_mode) ? EISDIR : notARegularFile;
    if (fault) {
        error = fault;
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace

TableOpen openTableAlone(const char* path, int& fd, int& error)
{
    // Opened without O_TRUNC: a table that another solver writes must stay as it is.
    fd = openRegularFile(path, O_WRONLY | O_CREAT, error);
    if (fd < 0) return TableOpen::failed;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        if (e == EWOULDBLOCK) {
            close(fd);
            fd = -1;
            return TableOpen::busy;
        }
        // A file system without locks: the solver works as it always did.
    }
    if (ftruncate(fd, 0) != 0) {
        error = errno;
        close(fd);
        fd = -1;
        return TableOpen::failed;
    }
    return TableOpen::opened;
}

std::FILE* writeStreamOf(int fd) { return fdopen(fd, "wb"); }

void closeDescriptor(int fd) { close(fd); }

bool cutFile(std::FILE* stream, uint64_t size) { return ftruncate(fileno(stream), off_t(size)) == 0; }

TableRead openTableToRead(const char* path, std::FILE*& file, uint64_t& size, int& error)
{
    file = nullptr;
    const int fd = openRegularFile(path, O_RDONLY, error);
    if (fd < 0) return TableRead::failed;
    // A writing solver holds its exclusive lock (openTableAlone), so a shared one cannot be
    // had meanwhile. It is let go at once, so that a solver starting now finds it free.
    if (flock(fd, LOCK_SH | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            close(fd);
            return TableRead::beingWritten;
        }
    } else {
        flock(fd, LOCK_UN);
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !(file = fdopen(fd, "rb"))) {
        error = errno;
        close(fd);
        return TableRead::failed;
    }
    size = uint64_t(info.st_size);
    return TableRead::opened;
}

bool currentFileSize(std::FILE* stream, uint64_t& size)
{
    struct stat info;
    if (fstat(fileno(stream), &info) != 0) return false;
    size = uint64_t(info.st_size);
    return true;
}

std::string currentFolder()
{
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer)) return ".";
    return buffer;
}

const char folderSeparator = '/';

std::atomic<bool> stopRequested(false);

static void onStopSignal(int) { stopRequested = true; }

void installStopHandler()
{
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}
