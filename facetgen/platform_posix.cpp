// platform_posix.cpp: the platform services on Linux, where a file is known by its device
// and inode.
#include "facetgen/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

bool sameFile(const char* a, const char* b)
{
    struct stat sa, sb;
    if (stat(a, &sa) != 0 || stat(b, &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

namespace {

// Back to blocking writes and reads once the descriptor is known to be a plain file, for
// which O_NONBLOCK means nothing anyway.
bool clearNonBlocking(int fd)
{
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

}  // namespace

InputOpen openInputFile(const char* name, bool textMode, std::FILE*& file)
{
    file = nullptr;
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer.
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return InputOpen::failed;
    struct stat s;
    InputOpen result = InputOpen::opened;
    if (fstat(fd, &s) != 0 || S_ISDIR(s.st_mode))
        result = InputOpen::failed;
    else if (!S_ISREG(s.st_mode))
        result = InputOpen::notRegular;
    else if (!clearNonBlocking(fd) || !(file = fdopen(fd, textMode ? "r" : "rb")))
        result = InputOpen::failed;
    if (result != InputOpen::opened) close(fd);
    return result;
}

namespace {

bool sameIdentity(const struct stat& s, const WrittenFile& written)
{
    return uint64_t(s.st_dev) == written.volume && uint64_t(s.st_ino) == written.index;
}

}  // namespace

OutputOpen createOutputFile(const char* name, std::FILE*& file, WrittenFile& written)
{
    file = nullptr;
    written = {0, 0, -1};
    // O_NOFOLLOW refuses a link in the last place of the name, and without O_TRUNC nothing
    // is emptied before the file has been looked at through its own descriptor, so no
    // link or second name can slip in between the look and the write. O_NONBLOCK keeps a
    // FIFO from waiting for a reader; without one its open fails with ENXIO.
    const int fd = open(name, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == ELOOP) return OutputOpen::link;
        return errno == ENXIO ? OutputOpen::notRegular : OutputOpen::failed;
    }
    struct stat s;
    OutputOpen refused = OutputOpen::opened;
    if (fstat(fd, &s) != 0)
        refused = OutputOpen::failed;
    else if (!S_ISREG(s.st_mode))
        refused = OutputOpen::notRegular;
    else if (s.st_nlink > 1)
        refused = OutputOpen::otherNames;
    else if (ftruncate(fd, 0) != 0 || !clearNonBlocking(fd))
        refused = OutputOpen::failed;
    if (refused != OutputOpen::opened) {
        close(fd);
        return refused;
    }
    const int held = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        if (held >= 0) close(held);
        return OutputOpen::failed;
    }
    written = {uint64_t(s.st_dev), uint64_t(s.st_ino), held};
    return OutputOpen::opened;
}

void releaseOutputFile(WrittenFile& written)
{
    if (written.held >= 0) close(int(written.held));
    written.held = -1;
}

OutputRemoval removeOutputFile(const char* name, WrittenFile& written)
{
    // lstat looks at the name itself: a link put in its place is seen as a link.
    struct stat s;
    OutputRemoval result = OutputRemoval::removed;
    if (lstat(name, &s) != 0)
        result = errno == ENOENT ? OutputRemoval::gone : OutputRemoval::failed;
    else if (S_ISLNK(s.st_mode))
        result = OutputRemoval::link;
    else if (!sameIdentity(s, written))
        result = OutputRemoval::replaced;
    else if (unlink(name) != 0)
        result = OutputRemoval::failed;
    releaseOutputFile(written);
    return result;
}

CommandInterpreter hostInterpreter() { return CommandInterpreter::posixShell; }
