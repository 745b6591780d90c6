// window_names.h: the names by which the main window is known: the class that the entry
// registers, which the test drivers and the release tools look for, and the title.
// Portable, so that programs other than the viewer can name the window too.
#pragma once

constexpr const char mainWindowClass[] = "tamrik's kubo-Puzzle-select";
constexpr const char mainWindowTitle[] = "Tamrik's kubo-Puzzle-Ergebnis-Viewing-Tool(s)";
