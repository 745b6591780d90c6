// menus_win.h: the window's menu bar, made from the menu table and the viewer's state.
#pragma once

#include <windows.h>

#include "rtd/viewer.h"

// Builds the bar anew, so that labels follow the language and check marks the state.
void buildMenus(HWND window, const RtdViewer& viewer, const RtdScene& scene);
