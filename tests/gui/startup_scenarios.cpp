// Start-up: the main window, its class icons and a clean exit.
#include <string>

#include "tests/gui/harness.h"

namespace {

const char* const pattern[16] = {
    "                ", "                ", "KKKKKKKKKKKKKKKK", "K..K..K..K..K..K",
    "K..K..K..K..K..K", "KKKKKKK..K..KKKK", "K.....K..K.....K", "K.....K..K.....K",
    "K..KKKKKKK..KKKK", "K..K.....K..K..K", "K..K.....K..K..K", "K..KKKKKKK..KKKK",
    "K.....K..K.....K", "K.....K..K.....K", "KKKKKKKKKKKKKKKK", "                ",
};

// The icon the pattern should give at a size of 16 << shift: AND rows then XOR rows.
std::string expectedIcon(int shift)
{
    const int size = 16 << shift;
    std::string andRows, xorRows;
    for (int y = 0; y < size; y++) {
        for (int x = 0; x < size; x++) {
            const char c = pattern[y >> shift][x >> shift];
            andRows += c == ' ' ? '1' : '0';
            xorRows += c == '.' ? '1' : '0';
        }
        andRows += '\n';
        xorRows += '\n';
    }
    return std::to_string(size) + " " + std::to_string(size) + "\n" + andRows + xorRows;
}

}  // namespace

SCENARIO(startup_window_icons_and_exit)
{
    Program program;
    const std::string folder = makeWorkFolder("startup");
    writeTable(folder, 3);
    if (startProgram(program, folder)) {
        CHECK_EQ(windowText(program.window), std::string("Tamrik's kubo-Puzzle-Ergebnis-Viewing-Tool(s)"));
        const LONG_PTR style = GetWindowLongPtrA(program.window, GWL_STYLE);
        CHECK_EQ(style & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN), LONG_PTR(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN));
        CHECK(IsWindowVisible(program.window));
        // CS_HREDRAW | CS_VREDRAW, and COLOR_MENU + 1 as background brush.
        CHECK_EQ(probe(program, "class " + windowHex(program.window)), std::string("style=3 brush=5"));
        CHECK_EQ(probe(program, "icon big " + windowHex(program.window)), expectedIcon(1));
        CHECK_EQ(probe(program, "icon small " + windowHex(program.window)), expectedIcon(0));
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}
