// window_proc_win.cpp: the main window's procedure, the one entry for user input and for
// the search thread's notices, and the dispatch of commands by id. Each handler reads
// what the message carries, runs the operation of viewer.h or the feature's glue, and
// carries out the effects.
#include <cstdlib>

#include "launch/launch_win.h"
#include "search/filter_text.h"
#include "shell/help_text.h"
#include "shell/viewer.h"
#include "shell/window_win.h"

static_assert(idAddHit == searchCommandAddHits && idClearHits == searchCommandClearHits &&
                  idSuspendSearch == searchCommandSuspend,
              "the search thread's commands are the window's");

static void onCreate(HWND window)
{
    const LONG units = GetDialogBaseUnits();
    viewer.layout.dialogUnitX = LOWORD(units);
    viewer.layout.dialogUnitY = HIWORD(units);
    createControls(window);
}

static void onSize(HWND window, LPARAM lParam)
{
    viewer.layout.clientWidth = LOWORD(lParam);
    viewer.layout.clientHeight = HIWORD(lParam);
    layoutControls(window);
    updateResultScrollbar(hitListView());
}

static void onPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const PaneFrame frame = paneFrame();
    paintSeparators(dc, frame);
    paintLegend(dc, frame, viewer.selectedPiece, viewer.flips);
    paintResultList(dc, hitListView());
    paintViews(dc, frame, viewer.view, viewer.solution, viewer.flips);
    EndPaint(window, &paint);
}

static void showHelp(HWND window)
{
    MessageBoxA(window, helpText, helpCaption, MB_ICONINFORMATION | MB_OK);
}

static void onFilterField(int slot, int notification)
{
    const auto [piece, criterion] = filterFieldAt(slot);
    if (notification == EN_SETFOCUS || notification == EN_KILLFOCUS) {
        applyEffects(filterFieldFocus(viewer, piece, criterion, notification == EN_SETFOCUS));
    } else if (notification == EN_CHANGE) {
        char text[filterFieldReadLimit + 1] = "";
        GetWindowTextA(handles.controls[slot], text, sizeof text);
        applyEffects(filterFieldEdited(viewer, piece, criterion, text));
    }
}

static void dispatchCommand(HWND window, int notification, int id, LPARAM control)
{
    switch (id) {
    case idStartSolver: startSolver(0, mainWindow, viewer.solution, viewer.solverRunning); break;
    case idZoom1: case idZoom2: case idZoom3: applyEffects(selectZoom(viewer, id - idZoom1 + 1)); break;
    case idMirrorC: case idMirrorZ: case idMirrorR: applyEffects(toggleMirror(viewer, id - idMirrorC)); break;
    case idClearFilters: applyEffects(clearFilters(viewer)); break;
    case idTurnAB: case idTurnAC: case idTurnAD: applyEffects(turnFilters(viewer, id - idTurnAB + 1)); break;
    case idHelp: showHelp(window); break;
    case idFilterSwitch: applyEffects(toggleFilterSwitch(viewer)); break;
    case idStart: exportPlacement(viewer.solution, viewer.flips, handles.controls[slotViewerCommand]); break;
    case idSolutionNumber:
        if (notification == EN_CHANGE)
            onSolutionFieldChanged();
        else if (notification == EN_UPDATE)
            onSolutionFieldEdited();
        break;
    case idNextSolution: stepSolutionField(+1); break;
    case idPreviousSolution: stepSolutionField(-1); break;
    case idRotations: applyEffects(toggleRotationsSwitch(viewer)); break;
    case idSearch: startSearch(window, handles.controls[slotSearch]); break;
    case idAddHit: case idClearHits: case idSuspendSearch: onSearchThreadCommand(hitListView(), id, control); break;
    case idPreviousHit: selectRelative(hitListView(), -1); break;
    case idNextHit: selectRelative(hitListView(), +1); break;
    default:
        if (id >= idFirstFilterField && id <= idLastFilterField) onFilterField(id - idFirstFilterField, notification);
        break;
    }
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
        scrollResults(hitListView(), LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        break;
    case WM_LBUTTONDOWN:
        applyEffects(pickCell(viewer, false, x, y));
        selectAt(hitListView(), x, y);
        break;
    case WM_RBUTTONDOWN:
        applyEffects(pickCell(viewer, true, x, y));
        break;
    case WM_DESTROY:
        closeSolutionTable(viewer.solution);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
