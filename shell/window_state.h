// window_state.h: the application shell's globals. Written once at start-up by the entry
// (appInstance, mainWindow); read by every part that creates windows or shows messages.
#pragma once

#include <windows.h>

constexpr const char mainWindowClass[] = "tamrik's kubo-Puzzle-select";
constexpr const char mainWindowTitle[] = "Tamrik's kubo-Puzzle-Ergebnis-Viewing-Tool(s)";

extern HINSTANCE appInstance;
extern HWND mainWindow;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A monochrome icon from a character pattern (see icon.h), or null when the work planes
// cannot be allocated.
HICON buildPatternIcon(HINSTANCE instance, int width, int height, int xScale, int yScale,
                       const char* pattern);
