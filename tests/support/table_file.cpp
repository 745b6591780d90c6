// table_file.cpp: solution tables written by the tests.
#include "tests/support/table_file.h"

#include <cstdio>

std::string tableBytes(const std::vector<SolutionRecord>& records)
{
    std::string bytes;
    bytes.reserve(records.size() * recordSize);
    for (const SolutionRecord& record : records) {
        unsigned char b[recordSize];
        encodeRecord(record, b);
        bytes.append(reinterpret_cast<const char*>(b), recordSize);
    }
    return bytes;
}

SolutionRecord numberedRecord(int n)
{
    SolutionRecord record;
    for (int w = 0; w < recordWordCount; w++) record.words[w] = PlacementWord(((w + 1) << 12) | (n & 0xFFF));
    return record;
}

std::vector<SolutionRecord> numberedRecords(int count)
{
    std::vector<SolutionRecord> records;
    for (int n = 1; n <= count; n++) records.push_back(numberedRecord(n));
    return records;
}

bool writeTableFile(const std::string& path, const std::vector<SolutionRecord>& records, const std::string& tail)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const std::string bytes = tableBytes(records) + tail;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
