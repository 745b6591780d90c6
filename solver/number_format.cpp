// number_format.cpp: German number formats.
#include "solver/number_format.h"

#include <cmath>
#include <cstdio>

std::string formatCount(uint64_t n)
{
    std::string digits = std::to_string(n);
    std::string out;
    for (size_t i = 0; i < digits.size(); i++) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
        out += digits[i];
    }
    return out;
}

// One decimal with a comma; tenths are rounded, never truncated.
std::string formatDecimal(double value)
{
    const uint64_t tenths = uint64_t(std::llround(value < 0 ? 0 : value * 10));
    return formatCount(tenths / 10) + "," + std::to_string(tenths % 10);
}

std::string formatShare(double share) { return formatDecimal(share * 100) + " %"; }

std::string formatSeconds(double seconds) { return formatDecimal(seconds) + " s"; }

std::string formatClock(double seconds)
{
    const uint64_t s = uint64_t(std::llround(seconds < 0 ? 0 : seconds));
    char buffer[48];
    if (s >= 3600)
        std::snprintf(buffer, sizeof buffer, "%llu:%02u:%02u", (unsigned long long)(s / 3600),
                      unsigned(s / 60 % 60), unsigned(s % 60));
    else
        std::snprintf(buffer, sizeof buffer, "%u:%02u", unsigned(s / 60), unsigned(s % 60));
    return buffer;
}

std::string formatCell(Cell cell)
{
    return "(" + std::to_string(cell.x) + "," + std::to_string(cell.y) + "," +
           std::to_string(cell.z) + ")";
}

std::string formatHexWord(PlacementWord word)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%04X", unsigned(word));
    return buffer;
}
