// platform.h: the solver's few platform services: opening the table as its only writer, a
// stream on the file descriptor so opened, cutting a file back, opening a table to read it
// (and whether a solver writes it), the folder the program works in, and a request to stop
// (Ctrl+C) that the search can poll. A table is always a regular file: a device, a FIFO or
// the like is refused before it is read or written, and never waited for.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

// Two solvers writing one table would each write at their own offset into a file that the
// second one emptied; so a solver holds the table exclusively from before it empties it
// until it ends, and the system lets go of it when the process ends in any way. Readers
// (the viewer, the check) are never kept out.
enum class TableOpen { opened, busy, failed };

// An error code beside the errno values: the name leads to something that is no regular
// file (a device, a FIFO, a socket).
constexpr int notARegularFile = -1;

// Opens path for writing, creating it if need be, takes it as the only writer and only
// then empties it. opened: fd is a C runtime file descriptor for writing. busy: another
// process writes the table (nothing was changed). failed: error is the errno or
// notARegularFile.
TableOpen openTableAlone(const char* path, int& fd, int& error);

// A binary stream for writing on fd, or null (errno set); closeDescriptor for the fd then.
std::FILE* writeStreamOf(int fd);
void closeDescriptor(int fd);

// Cuts the file of stream back to size bytes.
bool cutFile(std::FILE* stream, uint64_t size);

// Opens path for reading. opened: file is a binary stream, size the file's bytes then.
// beingWritten: a solver holds the table as its writer (nothing is opened). failed: error
// is the errno or notARegularFile.
enum class TableRead { opened, beingWritten, failed };
TableRead openTableToRead(const char* path, std::FILE*& file, uint64_t& size, int& error);

// The bytes of the file behind stream now.
bool currentFileSize(std::FILE* stream, uint64_t& size);

// The folder the program works in, for telling the user where the table goes, and the
// character that separates a folder from the names in it.
std::string currentFolder();
extern const char folderSeparator;

// Set from the interrupt handler; installStopHandler routes Ctrl+C and termination to it.
extern std::atomic<bool> stopRequested;
void installStopHandler();
