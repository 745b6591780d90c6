// platform.h: the solver's few platform services: opening the table as its only writer, a
// stream on the file descriptor so opened, cutting a file back, the folder the program
// works in, and a request to stop (Ctrl+C) that the search can poll.
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

// Opens path for writing, creating it if need be, takes it as the only writer and only
// then empties it. opened: fd is a C runtime file descriptor for writing. busy: another
// process writes the table (nothing was changed). failed: error is the errno.
TableOpen openTableAlone(const char* path, int& fd, int& error);

// A binary stream for writing on fd, or null (errno set); closeDescriptor for the fd then.
std::FILE* writeStreamOf(int fd);
void closeDescriptor(int fd);

// Cuts the file of stream back to size bytes.
bool cutFile(std::FILE* stream, uint64_t size);

// The folder the program works in, for telling the user where the table goes, and the
// character that separates a folder from the names in it.
std::string currentFolder();
extern const char folderSeparator;

// Set from the interrupt handler; installStopHandler routes Ctrl+C and termination to it.
extern std::atomic<bool> stopRequested;
void installStopHandler();
