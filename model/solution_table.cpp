// solution_table.cpp: the table file's size and the coding of its records.
#include "model/solution_table.h"

#include <sys/stat.h>

SolutionCount countSolutionsIn(const char* path)
{
#ifdef _WIN32
    struct _stati64 info;
    if (_stati64(path, &info) != 0) return {false, 0};
#else
    struct stat info;
    if (stat(path, &info) != 0) return {false, 0};
#endif
    // A folder of that name holds no solutions; it is as good as no table.
    if (!(info.st_mode & S_IFREG)) return {false, 0};
    const uint64_t records = uint64_t(info.st_size) / recordSize;
    return {true, records > maxSolutionNumber ? maxSolutionNumber : uint32_t(records)};
}

SolutionCount countSolutions() { return countSolutionsIn(solutionTableName); }

SolutionRecord decodeRecord(const unsigned char bytes[recordSize])
{
    SolutionRecord record;
    for (int i = 0; i < recordWordCount; i++)
        record.words[i] = PlacementWord(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return record;
}

void encodeRecord(const SolutionRecord& record, unsigned char bytes[recordSize])
{
    for (int i = 0; i < recordWordCount; i++) {
        bytes[2 * i] = record.words[i] & 0xFF;
        bytes[2 * i + 1] = record.words[i] >> 8;
    }
}
