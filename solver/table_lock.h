// table_lock.h: opening the solution table as its only writer. Two solvers writing one
// table would each write at their own offset into a file that the second one emptied;
// so a solver holds the table exclusively from before it empties it until it ends, and
// the system lets go of it when the process ends in any way. Readers (the viewer, the
// check) are never kept out.
#pragma once

enum class TableOpen { opened, busy, failed };

// Opens path for writing, creating it if need be, takes it as the only writer and only
// then empties it. opened: fd is a C runtime file descriptor for writing. busy: another
// process writes the table (nothing was changed). failed: error is the errno.
TableOpen openTableAlone(const char* path, int& fd, int& error);
