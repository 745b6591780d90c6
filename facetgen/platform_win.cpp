// platform_win.cpp: the platform services on Windows: file identity by volume and file
// index, and links told apart by their reparse point attribute or by the path that the
// system finally opened.
#include "facetgen/platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>

namespace {

bool fileIdentity(const char* name, BY_HANDLE_FILE_INFORMATION& info)
{
    // No access rights are needed to ask for the identity; FILE_FLAG_BACKUP_SEMANTICS
    // lets directories be opened as well.
    HANDLE h = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return ok != 0;
}

uint64_t fileIndexOf(const BY_HANDLE_FILE_INFORMATION& info)
{
    return (uint64_t(info.nFileIndexHigh) << 32) | uint64_t(info.nFileIndexLow);
}

bool sameIdentity(const BY_HANDLE_FILE_INFORMATION& info, const WrittenFile& written)
{
    return info.dwVolumeSerialNumber == written.volume && fileIndexOf(info) == written.index;
}

bool isReparsePoint(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::wstring finalPathOf(HANDLE h)
{
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; attempt++) {
        const DWORD length = GetFinalPathNameByHandleW(h, &path[0], DWORD(path.size()), 0);
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length + 1);
    }
    return std::wstring();
}

std::wstring widePathOf(DWORD (*get)(LPCWSTR, LPWSTR, DWORD), const std::wstring& from)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = get(from.c_str(), &path[0], DWORD(path.size()));
    if (length >= path.size()) {
        path.resize(length + 1);
        length = get(from.c_str(), &path[0], DWORD(path.size()));
    }
    if (length == 0 || length >= path.size()) return std::wstring();
    path.resize(length);
    return path;
}

DWORD fullPathW(LPCWSTR name, LPWSTR buffer, DWORD size)
{
    return GetFullPathNameW(name, size, buffer, nullptr);
}

// True when the open file is not the entry that its name's last part denotes in its
// folder, but is reached through a link. Wine shows a link of the host system as the file
// that it points to, without a reparse point attribute, but the final path of a handle
// names that target; a folder link earlier in the name is followed for the folder and the
// file alike and so changes nothing. When the paths cannot be had the answer is no.
bool reachedThroughLink(HANDLE file, const char* name)
{
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0);
    if (wideLength <= 0) return false;
    std::wstring wide(size_t(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name, -1, &wide[0], wideLength);
    wide.resize(size_t(wideLength - 1));

    std::wstring full = widePathOf(fullPathW, wide);
    const std::wstring longer = widePathOf(GetLongPathNameW, full);  // short 8.3 names
    if (!longer.empty()) full = longer;
    const size_t cut = full.find_last_of(L"\\/");
    if (full.empty() || cut == std::wstring::npos) return false;
    const std::wstring folder = full.substr(0, cut + 1);
    const std::wstring last = full.substr(cut + 1);

    HANDLE folderHandle = CreateFileW(folder.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folderHandle == INVALID_HANDLE_VALUE) return false;
    std::wstring expected = finalPathOf(folderHandle);
    CloseHandle(folderHandle);
    const std::wstring actual = finalPathOf(file);
    if (expected.empty() || actual.empty()) return false;
    if (expected.back() != L'\\') expected += L'\\';
    expected += last;
    return CompareStringOrdinal(expected.c_str(), int(expected.size()), actual.c_str(),
                                int(actual.size()), TRUE) != CSTR_EQUAL;
}

}  // namespace

bool sameFile(const char* a, const char* b)
{
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!fileIdentity(a, ia) || !fileIdentity(b, ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

InputOpen openInputFile(const char* name, bool textMode, std::FILE*& file)
{
    file = nullptr;
    // The sharing of the C library's own fopen. A folder does not open without backup
    // semantics; a pipe, the console or another device opens but is no disk file (the
    // Windows build under Wine sees a host FIFO as a pipe and /dev/zero as a device).
    HANDLE h = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return InputOpen::failed;
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return InputOpen::notRegular;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h),
                                   _O_RDONLY | (textMode ? _O_TEXT : _O_BINARY));
    if (fd < 0) {
        CloseHandle(h);
        return InputOpen::failed;
    }
    file = _fdopen(fd, textMode ? "r" : "rb");
    if (!file) {
        _close(fd);
        return InputOpen::failed;
    }
    return InputOpen::opened;
}

OutputOpen createOutputFile(const char* name, std::FILE*& file, WrittenFile& written)
{
    file = nullptr;
    written = {0, 0, -1};
    // A new file is made where nothing of that name exists; an existing one is opened as
    // itself (a link is not followed) and emptied only once it has been looked at.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE h = CreateFileA(name, GENERIC_WRITE, share, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    const bool created = h != INVALID_HANDLE_VALUE;
    if (!created) {
        const DWORD e = GetLastError();
        if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) return OutputOpen::failed;
        h = CreateFileA(name, GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                        FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return isReparsePoint(GetFileAttributesA(name)) ? OutputOpen::link : OutputOpen::failed;
    }
    BY_HANDLE_FILE_INFORMATION info;
    OutputOpen result = OutputOpen::opened;
    if (GetFileType(h) != FILE_TYPE_DISK)
        result = OutputOpen::notRegular;
    else if (!GetFileInformationByHandle(h, &info))
        result = OutputOpen::failed;
    else if (isReparsePoint(info.dwFileAttributes))
        result = OutputOpen::link;
    else if (!created && info.nNumberOfLinks > 1)
        result = OutputOpen::otherNames;
    else if (!created && reachedThroughLink(h, name))
        result = OutputOpen::link;
    else if (!created && !SetEndOfFile(h))
        result = OutputOpen::failed;
    if (result != OutputOpen::opened) {
        CloseHandle(h);
        return result;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        return OutputOpen::failed;
    }
    file = _fdopen(fd, "wb");
    if (!file) {
        _close(fd);
        return OutputOpen::failed;
    }
    written = {info.dwVolumeSerialNumber, fileIndexOf(info), -1};
    // The handle that is held asks for no access and shares everything, so the viewer may
    // still read, rename or delete the file; it is kept only if it is the same file.
    HANDLE held = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION heldInfo;
    if (held != INVALID_HANDLE_VALUE) {
        if (GetFileInformationByHandle(held, &heldInfo) && sameIdentity(heldInfo, written))
            written.held = reinterpret_cast<intptr_t>(held);
        else
            CloseHandle(held);
    }
    return OutputOpen::opened;
}

void releaseOutputFile(WrittenFile& written)
{
    if (written.held != -1) CloseHandle(reinterpret_cast<HANDLE>(written.held));
    written.held = -1;
}

static OutputRemoval removeIfWritten(const char* name, const WrittenFile& written)
{
    // The file is looked at and deleted through one handle, so what is deleted is what
    // was looked at.
    HANDLE h = CreateFileA(name, DELETE | FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        if (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) return OutputRemoval::gone;
        return isReparsePoint(GetFileAttributesA(name)) ? OutputRemoval::link : OutputRemoval::failed;
    }
    BY_HANDLE_FILE_INFORMATION info;
    OutputRemoval result = OutputRemoval::removed;
    if (!GetFileInformationByHandle(h, &info)) {
        result = OutputRemoval::failed;
    } else if (isReparsePoint(info.dwFileAttributes) || reachedThroughLink(h, name)) {
        result = OutputRemoval::link;
    } else {
        if (!sameIdentity(info, written)) {
            result = OutputRemoval::replaced;
        } else {
            FILE_DISPOSITION_INFO disposition = {TRUE};
            if (!SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition))
                result = OutputRemoval::failed;
        }
    }
    CloseHandle(h);
    return result;
}

OutputRemoval removeOutputFile(const char* name, WrittenFile& written)
{
    const OutputRemoval result = removeIfWritten(name, written);
    releaseOutputFile(written);
    return result;
}

CommandInterpreter hostInterpreter() { return CommandInterpreter::cmd; }
