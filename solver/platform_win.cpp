// platform_win.cpp: the solver's platform services on Windows. The table's writer lock is
// the share mode of the solver's own handle on the table: it lets others read (the viewer
// opens the table with fopen "rb", which asks for read access and shares reading and
// writing) but not write, so a second solver's open fails with a sharing violation.
#include "solver/platform.h"

#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>

namespace {

int errnoOf(DWORD error)
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

}  // namespace

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
    if (GetFileType(h) != FILE_TYPE_DISK) {  // a device such as NUL, or a pipe
        error = notARegularFile;
        CloseHandle(h);
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

std::FILE* writeStreamOf(int fd) { return _fdopen(fd, "wb"); }

void closeDescriptor(int fd) { _close(fd); }

bool cutFile(std::FILE* stream, uint64_t size) { return _chsize_s(_fileno(stream), int64_t(size)) == 0; }

TableRead openTableToRead(const char* path, std::FILE*& file, uint64_t& size, int& error)
{
    file = nullptr;
    // Shared as fopen "rb" shares it, so that a solver may still start and write meanwhile.
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = errnoOf(GetLastError());
        return TableRead::failed;
    }
    LARGE_INTEGER bytes;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileSizeEx(h, &bytes)) {
        error = notARegularFile;
        CloseHandle(h);
        return TableRead::failed;
    }
    // A writing solver's handle shares reading only (openTableAlone), so a handle that
    // shares no writing cannot be had meanwhile.
    const HANDLE probe = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
    } else if (GetLastError() == ERROR_SHARING_VIOLATION) {
        CloseHandle(h);
        return TableRead::beingWritten;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        error = EIO;
        CloseHandle(h);
        return TableRead::failed;
    }
    if (!(file = _fdopen(fd, "rb"))) {
        error = EIO;
        _close(fd);
        return TableRead::failed;
    }
    size = uint64_t(bytes.QuadPart);
    return TableRead::opened;
}

bool currentFileSize(std::FILE* stream, uint64_t& size)
{
    LARGE_INTEGER bytes;
    if (!GetFileSizeEx(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), &bytes)) return false;
    size = uint64_t(bytes.QuadPart);
    return true;
}

std::string currentFolder()
{
    char buffer[4096];
    if (!_getcwd(buffer, sizeof buffer)) return ".";
    return buffer;
}

const char folderSeparator = '\\';

std::atomic<bool> stopRequested(false);

// Ctrl+C, Ctrl+Break and closing the console window: ask the search to stop, so that the
// table ends after a whole record. Windows ends the process soon after a close event
// returns, so that one waits a moment for the writer to finish.
static BOOL WINAPI onConsoleEvent(DWORD event)
{
    stopRequested = true;
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(2000);
    return TRUE;
}

void installStopHandler() { SetConsoleCtrlHandler(onConsoleEvent, TRUE); }
