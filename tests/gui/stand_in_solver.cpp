// stand_in_solver.cpp: takes the place of kubo_puzzle_erg in the GUI tests, so that they
// stay fast. Each run appends a line to stand_in_solver.log in its current folder: its
// command line, a tab and the folder. What it does then, the file stand_in_solver.cfg in
// that folder says, one setting a line (no file: nothing more, it ends at once):
//   records N   write N records to kubo_puzzle_erg.bin (emptied first)
//   pace MS     ... one at a time, MS milliseconds apart
//   hold        then keep running until the file stand_in_solver.stop appears (2 min at most)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/gui/stand_in_table.h"

int main()
{
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    if (std::FILE* log = std::fopen(standInSolverLog, "a")) {
        std::fprintf(log, "%s\t%s\n", GetCommandLineA(), folder);
        std::fclose(log);
    }

    long records = 0, pace = 0;
    bool hold = false;
    if (std::FILE* config = std::fopen(standInSolverConfig, "r")) {
        char line[200];
        while (std::fgets(line, sizeof line, config)) {
            if (std::strncmp(line, "records ", 8) == 0) records = std::atol(line + 8);
            if (std::strncmp(line, "pace ", 5) == 0) pace = std::atol(line + 5);
            if (std::strncmp(line, "hold", 4) == 0) hold = true;
        }
        std::fclose(config);
    }

    if (records > 0) {
        std::FILE* table = std::fopen("kubo_puzzle_erg.bin", "wb");
        if (!table) return 1;
        // Unbuffered, one whole record a write, as the real solver does.
        std::setvbuf(table, nullptr, _IONBF, 0);
        for (long n = 1; n <= records; n++) {
            unsigned char bytes[24];
            for (int w = 0; w < 12; w++) {
                const uint16_t word = standInWord(uint32_t(n), w);
                bytes[2 * w] = uint8_t(word & 0xFF);
                bytes[2 * w + 1] = uint8_t(word >> 8);
            }
            std::fwrite(bytes, 1, sizeof bytes, table);
            if (pace > 0) Sleep(DWORD(pace));
        }
        std::fclose(table);
    }

    for (int waited = 0; hold && waited < 120000; waited += 20) {
        if (GetFileAttributesA(standInSolverStop) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(20);
    }
    return 0;
}
