// small_disk.h: a file system of a few pages mounted on a folder, which a test fills up to
// see what a program does on a full disk (POSIX; mounting a tmpfs needs root).
#pragma once

#include <cstddef>
#include <string>

// Mounts a 64 KiB tmpfs on folder, which is made if missing. False where that is not
// allowed; the test then skips its full-disk cases.
bool mountSmallDisk(const std::string& folder);

// Fills the disk with the file "voll.bin" until only room bytes (whole 4 KiB pages) stay
// free. Files written before keep their place.
bool fillSmallDisk(const std::string& folder, size_t room);

void unmountSmallDisk(const std::string& folder);
