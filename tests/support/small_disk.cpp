// small_disk.cpp: a tmpfs of its own, filled with one file that is then cut back.
#include "tests/support/small_disk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

bool mountSmallDisk(const std::string& folder)
{
    mkdir(folder.c_str(), 0755);
    return mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0755") == 0;
}

bool fillSmallDisk(const std::string& folder, size_t room)
{
    const std::string filler = folder + "/voll.bin";
    const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    static const char page[4096] = {};
    while (write(fd, page, sizeof page) > 0) {
    }
    const bool full = errno == ENOSPC;
    struct stat s;
    // A page that is only partly written still takes a whole page of the disk.
    const off_t used = fstat(fd, &s) == 0 ? (s.st_size + 4095) / 4096 * 4096 : -1;
    const bool cut = full && used >= off_t(room) && ftruncate(fd, used - off_t(room)) == 0;
    close(fd);
    return cut;
}

void unmountSmallDisk(const std::string& folder) { umount2(folder.c_str(), MNT_DETACH); }
