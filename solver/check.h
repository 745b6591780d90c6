// check.h: the check run (-p): reads a whole table and says whether it is sound.
#pragma once

#include <string>

// Returns the program's exit code.
int runTableCheck(const std::string& path);
