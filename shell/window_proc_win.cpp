// window_proc_win.cpp: the main window's procedure, the one entry for user input and for
// the search thread's notices, and the dispatch of commands by id.
#include "launch/launch_state.h"
#include "model/solution_table.h"
#include "search/search_state.h"
#include "shell/help_text.h"
#include "shell/window_state.h"
#include "view/view_state.h"

static void onCreate(HWND window)
{
    const LONG units = GetDialogBaseUnits();
    layout.dialogUnitX = LOWORD(units);
    layout.dialogUnitY = HIWORD(units);
    createControls(window);
}

static void onSize(HWND window, LPARAM lParam)
{
    layout.clientWidth = LOWORD(lParam);
    layout.clientHeight = HIWORD(lParam);
    layoutControls(window);
    updateResultScrollbar();
}

static void onPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    paintSeparators(dc);
    paintLegend(dc);
    paintResultList(dc);
    paintViews(dc);
    EndPaint(window, &paint);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Mouse coordinates are unsigned 16-bit client coordinates.
    const int x = LOWORD(lParam), y = HIWORD(lParam);
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        break;
    case WM_SIZE:
        onSize(window, lParam);
        break;
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_COMMAND:
        dispatchCommand(window, HIWORD(wParam), LOWORD(wParam), lParam);
        break;
    case WM_VSCROLL:
        scrollResults(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        break;
    case WM_LBUTTONDOWN:
        pickCell(window, false, x, y);
        selectAt(x, y);
        break;
    case WM_RBUTTONDOWN:
        pickCell(window, true, x, y);
        break;
    case WM_DESTROY:
        closeSolutionTable(currentSolution);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void toggleMirror(HWND window, int& flag, int id)
{
    flag = flag == 0 ? 1 : 0;
    CheckMenuItem(mirrorMenu, UINT(id), flag == 1 ? MF_CHECKED : MF_UNCHECKED);
    invalidate(window, layout.filterRect);
    invalidate(window, layout.viewRect);
}

// The solution number field and its "+" and "-" buttons end alike: load what the field
// now names, and drop the hit highlight since the shown solution may no longer be it.
static void stepAndLoad(HWND window, int step)
{
    normaliseSolutionText(step);
    loadCurrentSolution(window);
    resultSelected = -1;
    invalidate(window, layout.listRect);
}

void dispatchCommand(HWND window, int notification, int id, LPARAM control)
{
    switch (id) {
    case idStartSolver: startSolver(0); break;
    case idZoom1: case idZoom2: case idZoom3:
        selectZoom(id - idZoom1 + 1);
        invalidate(window, layout.viewRect);
        break;
    case idMirrorC: toggleMirror(window, mirrorC, id); break;
    case idMirrorZ: toggleMirror(window, mirrorZ, id); break;
    case idMirrorR: toggleMirror(window, mirrorR, id); break;
    case idClearFilters: clearAllFilters(); break;
    case idTurnAB: case idTurnAC: case idTurnAD: turnFilters(id - idClearFilters); break;
    case idHelp: showHelp(window); break;
    case idFilterSwitch:
        filterEnabled = filterEnabled == 0 ? 1 : 0;
        syncFilterControls();
        break;
    case idStart: exportPlacement(); break;
    case idSolutionNumber:
        if (notification == EN_CHANGE)
            stepAndLoad(window, 0);
        else if (notification == EN_UPDATE)
            normaliseSolutionText(0);
        break;
    case idNextSolution: stepAndLoad(window, +1); break;
    case idPreviousSolution: stepAndLoad(window, -1); break;
    case idRotations: toggleRotations(); break;
    case idSearch: startSearch(window); break;
    case idAddHit: case idClearHits: case idSuspendSearch: onSearchThreadCommand(window, id, control); break;
    case idPreviousHit: selectRelative(-1); break;
    case idNextHit: selectRelative(+1); break;
    default:
        if (id >= idFirstFilterField && id <= idLastFilterField) {
            const int piece = (id - idFirstFilterField) / 3, criterion = (id - idFirstFilterField) % 3;
            if (notification == EN_SETFOCUS)
                onFilterFieldFocus(piece, criterion, true);
            else if (notification == EN_KILLFOCUS)
                onFilterFieldFocus(piece, criterion, false);
            else if (notification == EN_CHANGE)
                onFilterFieldChanged(piece, criterion);
        }
        break;
    }
}

void showHelp(HWND window)
{
    MessageBoxA(window, helpText, helpCaption, MB_ICONINFORMATION | MB_OK);
}
