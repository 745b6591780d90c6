// text_scan.cpp: number and word scanning for the map, placement and mesh formats.
#include "facetgen/text_scan.h"

#include <cctype>
#include <cstdlib>

namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

bool scanInt(const char*& p, int32_t& value)
{
    const char* s = p;
    while (isBlank(*s)) s++;
    // strtol would also skip the white space, but it must see a sign or digit here and
    // not, for example, a second sign.
    const char* digits = (*s == '+' || *s == '-') ? s + 1 : s;
    if (!std::isdigit(static_cast<unsigned char>(*digits))) return false;
    char* end = nullptr;
    const long long v = std::strtoll(s, &end, 10);
    if (v > INT32_MAX)
        value = INT32_MAX;
    else if (v < INT32_MIN)
        value = INT32_MIN;
    else
        value = static_cast<int32_t>(v);
    p = end;
    return true;
}

bool scanFloat(const char*& p, float& value)
{
    char* end = nullptr;
    const float v = std::strtof(p, &end);
    if (end == p) return false;
    value = v;
    p = end;
    return true;
}

WordScan scanWord(const char*& p, char* out, size_t capacity)
{
    const char* s = p;
    while (isBlank(*s)) s++;
    if (*s == '\0') return WordScan::none;
    const char* start = s;
    while (*s != '\0' && !isBlank(*s)) s++;
    const size_t length = static_cast<size_t>(s - start);
    p = s;
    if (length + 1 > capacity) return WordScan::tooLong;
    for (size_t i = 0; i < length; i++) out[i] = start[i];
    out[length] = '\0';
    return WordScan::ok;
}

size_t readLinePiece(std::FILE* in, char* buffer, size_t capacity)
{
    size_t length = 0;
    while (length + 1 < capacity) {
        const int c = std::getc(in);
        if (c == EOF) break;
        buffer[length++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buffer[length] = '\0';
    return length;
}
