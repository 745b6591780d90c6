// stand_in_viewer.cpp: takes the place of a 3-D viewer command in the GUI tests. It appends
// its command line, exactly as it was started, to stand_in_viewer.log in its current
// folder, and ends.
#include <windows.h>

#include <cstdio>

#include "tests/gui/stand_in_table.h"

int main()
{
    if (std::FILE* log = std::fopen(standInViewerLog, "a")) {
        std::fprintf(log, "%s\n", GetCommandLineA());
        std::fclose(log);
    }
    return 0;
}
