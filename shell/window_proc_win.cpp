// window_proc_win.cpp: the main window's procedure, the one entry for user input.
#include "model/solution_table.h"
#include "shell/window_state.h"

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        closeSolutionTable(currentSolution);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
