// table_lock_posix.cpp: the table's writer lock on Linux, an flock on the table itself.
// The lock is advisory: readers open and read the table as before.
#include "solver/table_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
