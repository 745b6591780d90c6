// window_win.h: the shell's Win32 side: the window handles, the one viewer state, and
// the glue between them. Written by the entry (appInstance, mainWindow), by createControls
// and buildMenuBar (the handles) and by the window procedure (the state, through the
// operations of viewer.h). Main thread only; only the shell includes this.
#pragma once

#include <windows.h>

#include "search/search_win.h"
#include "shell/command_ids.h"
#include "shell/viewer_state.h"
#include "shell/window_names.h"
#include "view/view_win.h"

struct WindowHandles {
    HWND controls[controlSlotCount];  // by ControlSlot: the filter fields first
    HMENU mirrorMenu, zoomMenu;
};

extern HINSTANCE appInstance;
extern HWND mainWindow;
extern WindowHandles handles;
extern ViewerState viewer;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void createControls(HWND window);
void layoutControls(HWND window);
void buildMenuBar(HWND window);
void syncFilterControls();
void syncMenuChecks();

// Carries out what an operation of viewer.h asks of the window, in the order Effects names.
void applyEffects(const Effects& effects);

// What the features' glue is handed, built from the state and the handles.
HitListView hitListView();
PaneFrame paneFrame();

// The solution number field: cleaned on every edit, cleaned and loaded on every change,
// stepped by its buttons.
void onSolutionFieldEdited();
void onSolutionFieldChanged();
void stepSolutionField(int step);
