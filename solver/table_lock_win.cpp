// table_lock_win.cpp: the table's writer lock on Windows, the share mode of the solver's
// own handle on the table: it lets others read (the viewer opens the table with fopen
// "rb", which asks for read access and shares reading and writing) but not write, so a
// second solver's open fails with a sharing violation.
#include "solver/table_lock.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>

static int errnoOf(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    default: return EIO;
    }
}

TableOpen openTableAlone(const char* path, int& fd, int& error)
{
    fd = -1;
    // OPEN_ALWAYS, not CREATE_ALWAYS: a table that another solver writes must stay as it is.
    HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        if (e == ERROR_SHARING_VIOLATION || e == ERROR_LOCK_VIOLATION) return TableOpen::busy;
        error = errnoOf(e);
        return TableOpen::failed;
    }
    if (!SetEndOfFile(h)) {
        error = errnoOf(GetLastError());
        CloseHandle(h);
        return TableOpen::failed;
    }
    fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        error = EIO;
        CloseHandle(h);
        return TableOpen::failed;
    }
    return TableOpen::opened;
}
