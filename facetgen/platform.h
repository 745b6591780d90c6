// platform.h: the converter's few platform services: the console's output code page
// (the console programs' shared switchConsoleTo1252 and restoreConsole), whether two names
// denote one file, opening the files it reads as plain files only, creating and deleting
// the SLP file without ever going through a link, and which command interpreter runs the
// viewer command.
#pragma once

#include <cstdint>
#include <cstdio>

#include "console/console.h"
#include "facetgen/convert.h"

// True when both names exist and denote the same file.
bool sameFile(const char* a, const char* b);

enum class InputOpen {
    opened,
    notRegular,  // a FIFO, a pipe or a device
    failed,      // missing, unreadable, or a folder
};

// Opens an existing file for reading, in text mode ("r") or binary mode ("rb"). Only a
// plain file is opened: a FIFO would wait for a writer and a device could read without
// end, so either is refused without being waited for.
InputOpen openInputFile(const char* name, bool textMode, std::FILE*& file);

// The SLP file as this run made it: known by device and inode, or by volume serial number
// and file index, whatever name it is reached by; and a handle held open on it until it is
// deleted or let go, so that meanwhile no other file can be given the same identity.
struct WrittenFile {
    uint64_t volume, index;
    intptr_t held;  // -1: none
};

enum class OutputOpen {
    opened,
    link,        // the name is a symbolic link or another reparse point
    otherNames,  // the file has further names (hard links) that would change with it
    notRegular,  // a FIFO, a pipe or a device: nothing would be kept there
    failed,
};

// Creates the SLP file, or empties the one that exists, for writing in binary mode. An
// existing link is never followed and a file with further names is left alone: writing
// through either would replace a file that the user keeps under another name. Neither a
// FIFO nor a device is written to or waited for. On opened, file is the open stream and
// written the file that it writes.
OutputOpen createOutputFile(const char* name, std::FILE*& file, WrittenFile& written);

enum class OutputRemoval {
    removed,
    gone,      // nothing of that name is left (the viewer may have removed it)
    link,      // the name is now a link: neither it nor its target is deleted
    replaced,  // the name now denotes another file, which stays
    failed,
};

// Deletes name only while it still is the very file that createOutputFile made; lets go
// of the file either way.
OutputRemoval removeOutputFile(const char* name, WrittenFile& written);
// Lets go of the file without deleting it.
void releaseOutputFile(WrittenFile& written);

// The interpreter behind the standard system function: cmd on Windows, /bin/sh elsewhere.
CommandInterpreter hostInterpreter();
