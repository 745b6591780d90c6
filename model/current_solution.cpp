// current_solution.cpp: the solution number field's text rules and loading the record
// that it names.
#include "model/current_solution.h"

#include <algorithm>

CleanedField normaliseSolutionText(const FieldState& field, SolutionCount table)
{
    const std::string raw = field.text.substr(0, solutionFieldReadLimit);
    std::string clean;
    int selStart = field.selStart, selEnd = field.selEnd;
    bool haveDigit = false, haveLetter = false;
    for (char c : raw) {
        if (haveLetter) continue;
        if (c >= '0' && c <= '9') {
            clean += c;
            haveDigit = true;
        } else if (!haveDigit) {
            if (selStart > 0) selStart--;
            if (selEnd > 0) selEnd--;
        } else if (variantOfLetter(c) >= 0) {
            clean += char('a' + variantOfLetter(c));
            haveLetter = true;
        }
    }
    if (clean.size() > size_t(solutionTextLimit)) clean.resize(solutionTextLimit);
    const int length = int(clean.size());
    selStart = std::min(std::max(selStart, 0), length);
    selEnd = std::min(std::max(selEnd, 0), length);

    CleanedField result = {{clean, selStart, selEnd}, false, false};
    if (table.ok) {
        SolutionId id = parseSolutionId(clean.c_str());
        if (id.number > table.count) id.number = table.count;
        const std::string rewritten = formatSolutionId(id);
        if (rewritten != clean) {
            const int newLength = int(rewritten.size());
            result.field.selStart = std::max(0, newLength - (length - selStart));
            result.field.selEnd = std::max(0, newLength - (length - selEnd));
            result.field.text = rewritten;
        }
        result.clearSelectedHit = true;
    }
    result.changed = result.field.text != field.text;
    return result;
}

std::string stepSolutionText(const std::string& text, int step, SolutionCount table)
{
    const CleanedField cleaned = normaliseSolutionText({text, 0, 0}, {false, 0});
    const SolutionId id = parseSolutionId(cleaned.field.text.c_str());
    uint32_t n = id.number;
    if (step > 0 && n < maxSolutionNumber)
        n++;
    else if (step < 0 && n > 1)
        n--;
    if (table.ok && n > table.count) n = table.count;
    if (n == 0) n = 1;
    std::string stepped = formatSolutionId({n, id.variant});
    if (stepped.size() > size_t(solutionTextLimit)) stepped.resize(solutionTextLimit);
    return stepped;
}

static bool seekRecord(std::FILE* file, uint32_t number)
{
    const int64_t offset = int64_t(number - 1) * recordSize;
#ifdef _WIN32
    return _fseeki64(file, offset, SEEK_SET) == 0;
#else
    return fseeko(file, off_t(offset), SEEK_SET) == 0;
#endif
}

bool loadSolution(CurrentSolution& current, const char* fieldText, const char* tablePath)
{
    const SolutionId id = parseSolutionId(fieldText);
    const bool wasLoaded = current.loaded != 0;
    if (id.number == 0 || id.number > 0x7FFFFFFFu) {
        current.loaded = 0;
        return wasLoaded;
    }
    current.number = id.number;
    current.variant = id.variant;
    if (!current.tableFile) current.tableFile = std::fopen(tablePath, "rb");
    if (!current.tableFile) {
        current.loaded = 0;
        return wasLoaded;
    }
    unsigned char bytes[recordSize];
    if (!seekRecord(current.tableFile, id.number) ||
        std::fread(bytes, 1, recordSize, current.tableFile) != size_t(recordSize)) {
        // The file ends before this record (for instance while the solver still writes
        // it): show nothing rather than the previous solution under the new number.
        std::clearerr(current.tableFile);
        current.loaded = 0;
        return wasLoaded;
    }
    current.record = decodeRecord(bytes);
    current.loaded = 1;
    return true;
}

void closeSolutionTable(CurrentSolution& current)
{
    if (current.tableFile) std::fclose(current.tableFile);
    current.tableFile = nullptr;
}
