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

bool isDirectory(const char* name)
{
    struct stat s;
    return stat(name, &s) == 0 && S_ISDIR(s.st_mode);
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
    // link or second name can slip in between the look and the write.
    const int fd = open(name, O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return errno == ELOOP ? OutputOpen::link : OutputOpen::failed;
    struct stat s;
    if (fstat(fd, &s) != 0) {
        close(fd);
        return OutputOpen::failed;
    }
    if (S_ISREG(s.st_mode)) {
        if (s.st_nlink > 1) {
            close(fd);
            return OutputOpen::otherNames;
        }
        if (ftruncate(fd, 0) != 0) {
            close(fd);
            return OutputOpen::failed;
        }
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
