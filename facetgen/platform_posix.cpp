// platform_posix.cpp: the platform services on Linux, where there is no console code
// page and a file is known by its device and inode.
#include "facetgen/platform.h"

#include <sys/stat.h>

void switchConsoleTo1252() {}
void restoreConsole() {}

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

CommandInterpreter hostInterpreter() { return CommandInterpreter::posixShell; }
