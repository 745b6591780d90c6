// window_support.h: what the Windows drivers of the GUI tests and of the release tools
// share: finding a program's window, and its data files for a work folder.
#pragma once

#include <windows.h>

#include <string>

// The first visible top-level window of process processId whose class is windowClass (any
// class but a message box's, "#32770", when null), waited for up to timeoutMs; null when
// none came.
HWND waitForWindow(DWORD processId, const char* windowClass, int timeoutMs);

// The converter's map file facetgen.map and the twelve piece meshes baustein_NN.slp, copied
// from the folder of an installation into folder; false when one of them is missing.
bool copyProgramData(const std::string& installation, const std::string& folder);
