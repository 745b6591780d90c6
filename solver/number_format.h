// number_format.h: numbers, times and cells as the German console shows them.
#pragma once

#include <cstdint>
#include <string>

#include "model/geometry.h"
#include "model/placement.h"

// 1234567 -> "1.234.567"
std::string formatCount(uint64_t n);
// One decimal with a comma: 23.45 -> "23,5".
std::string formatDecimal(double value);
// 0.375 -> "37,5 %"
std::string formatShare(double share);
// Seconds as "m:ss" or "h:mm:ss".
std::string formatClock(double seconds);
// Seconds with one decimal and a comma: "12,3 s".
std::string formatSeconds(double seconds);
std::string formatCell(Cell cell);
std::string formatHexWord(PlacementWord word);
