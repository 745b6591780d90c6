// window_state.h: the application shell's globals.
// Written by the entry (appInstance, mainWindow), by createControls and buildMenuBar (the
// window handles), by layoutControls on every WM_SIZE (layout, picture origins) and by the
// window procedure's commands (zoomFactor, filterEnabled). Read by every part that
// creates windows, paints, picks or shows messages. Main thread only, except where the
// search thread reads the filter flags whole.
#pragma once

#include <windows.h>

#include "shell/command_ids.h"
#include "search/search_control.h"
#include "shell/layout.h"

constexpr const char mainWindowClass[] = "tamrik's kubo-Puzzle-select";
constexpr const char mainWindowTitle[] = "Tamrik's kubo-Puzzle-Ergebnis-Viewing-Tool(s)";

extern HINSTANCE appInstance;
extern HWND mainWindow;

extern HWND controlWindows[controlSlotCount];
extern HWND filterCheckBox;
extern HWND hintLabel;
extern HMENU mirrorMenu;
extern HMENU zoomMenu;

extern int zoomFactor;
extern int upperOriginX, upperOriginY, lowerOriginX, lowerOriginY;

extern int filterEnabled;
// withRotations and criteriaChanged are shared with the search thread: search_control.h.
extern int focusedRow, focusedColumn;

// The layout metrics and rectangles of the last WM_SIZE.
extern Layout layout;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void dispatchCommand(HWND window, int notification, int id, LPARAM control);
void showHelp(HWND window);

HICON buildPatternIcon(HINSTANCE instance, int width, int height, int xScale, int yScale,
                       const char* pattern);

void createControls(HWND window);
void layoutControls(HWND window);
void buildMenuBar(HWND window);
void insertSubmenu(HMENU menu, int position, bool byPosition, HMENU submenu, const char* text);
void selectZoom(int factor);
void setCheck(HWND control, int flag);
void syncFilterControls();

// The solution number field: cleaning and stepping (step 0 on every edit, +1 and -1 from
// its buttons), and loading the record it names.
void normaliseSolutionText(int step);
void loadCurrentSolution(HWND window);

void invalidate(HWND window, const Rect& rect);
