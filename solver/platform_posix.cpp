// platform_posix.cpp: the solver's platform services on Linux. The table's writer lock is an
// flock on the table itself; it is advisory, so readers open and read the table as before.
#include "solver/platform.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

TableOpen openTableAlone(const char* path, int& fd, int& error)
{
    // Opened without O_TRUNC: a table that another solver writes must stay as it is.
    fd = open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = errno;
        return TableOpen::failed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        if (e == EWOULDBLOCK) {
            close(fd);
            fd = -1;
            return TableOpen::busy;
        }
        // A file system without locks: the solver works as it always did.
    }
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ftruncate(fd, 0) != 0) {
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
