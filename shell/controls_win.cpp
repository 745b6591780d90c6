// controls_win.cpp: the main window's child controls, their layout on every resize, the
// menu bar, and the check marks and enabled states that follow the program's flags.
#include "search/filter_table.h"
#include "search/search_state.h"
#include "shell/window_state.h"

HWND controlWindows[controlSlotCount] = {};
HWND filterCheckBox = nullptr;
HWND hintLabel = nullptr;
HMENU mirrorMenu = nullptr;
HMENU zoomMenu = nullptr;

int zoomFactor = 1;
int upperOriginX = 0, upperOriginY = 0, lowerOriginX = 0, lowerOriginY = 0;

int filterEnabled = 0;
int focusedRow = -1, focusedColumn = -1;

Layout layout = {};

static HWND makeControl(HWND parent, const char* windowClass, const char* text, DWORD style, int id)
{
    return CreateWindowExA(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), appInstance, nullptr);
}

void createControls(HWND window)
{
    filterCheckBox = makeControl(window, "button", "Lösungen filtern", WS_BORDER | BS_CHECKBOX, idFilterSwitch);
    for (int piece = 0; piece < 12; piece++)
        for (int criterion = 0; criterion < 3; criterion++) {
            const int slot = 3 * piece + criterion;
            controlWindows[slot] = makeControl(window, "edit", "", WS_BORDER, idFirstFilterField + slot);
            FilterTable[piece][criterion].active = 0;
        }
    hintLabel = makeControl(window, "static", "", 0, idHintLabel);
    controlWindows[slotRotations] =
        makeControl(window, "button", "mit Rotationen", WS_BORDER | BS_CHECKBOX, idRotations);
    controlWindows[slotSearch] =
        makeControl(window, "button", criteriaChanged ? "Suchen!" : "Suchen", BS_PUSHBUTTON, idSearch);
    controlWindows[slotHitScrollbar] = makeControl(window, "scrollbar", nullptr, SBS_VERT, idHitScrollbar);
    controlWindows[slotHitStatus] = makeControl(window, "static", "", SS_CENTER, idHitStatus);
    controlWindows[slotNextHit] = makeControl(window, "button", "+", BS_PUSHBUTTON, idNextHit);
    controlWindows[slotPreviousHit] = makeControl(window, "button", "-", BS_PUSHBUTTON, idPreviousHit);
    controlWindows[slotViewerLabel] = makeControl(window, "static", "3D-Viewer:", 0, 0);
    controlWindows[slotViewerCommand] =
        makeControl(window, "edit", "facetgen -d", WS_BORDER | ES_AUTOHSCROLL, idViewerCommand);
    controlWindows[slotStart] = makeControl(window, "button", "START", BS_PUSHBUTTON, idStart);
    controlWindows[slotSolutionLabel] = makeControl(window, "static", "Lösung Nr.:", WS_BORDER, 0);
    controlWindows[slotSolutionNumber] = makeControl(
        window, "edit", "", WS_BORDER | ES_AUTOHSCROLL | ES_LOWERCASE, idSolutionNumber);
    controlWindows[slotNextSolution] = makeControl(window, "button", "+", BS_PUSHBUTTON, idNextSolution);
    controlWindows[slotPreviousSolution] = makeControl(window, "button", "-", BS_PUSHBUTTON, idPreviousSolution);
    syncFilterControls();
}

static void place(HWND control, const ControlBox& p)
{
    MoveWindow(control, p.x, p.y, p.width, p.height, TRUE);
}

void layoutControls(HWND window)
{
    TEXTMETRICA metrics = {};
    HDC dc = GetDC(window);
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(window, dc);
    layout = computeLayout({layout.dialogUnitX, layout.dialogUnitY, layout.clientWidth,
                            layout.clientHeight, int(metrics.tmHeight + metrics.tmExternalLeading)});
    selectZoom(zoomFactor);

    place(filterCheckBox, layout.filterSwitch);
    for (int piece = 0; piece < 12; piece++)
        for (int criterion = 0; criterion < 3; criterion++)
            place(controlWindows[3 * piece + criterion], layout.filterFields[piece][criterion]);
    place(hintLabel, layout.hint);
    place(controlWindows[slotRotations], layout.rotationsSwitch);
    place(controlWindows[slotSearch], layout.searchButton);
    place(controlWindows[slotHitStatus], layout.hitStatus);
    place(controlWindows[slotPreviousHit], layout.previousHit);
    place(controlWindows[slotNextHit], layout.nextHit);
    place(controlWindows[slotHitScrollbar], layout.hitScrollbar);
    updateHitButtons();
    place(controlWindows[slotNextSolution], layout.nextSolution);
    place(controlWindows[slotPreviousSolution], layout.previousSolution);
    place(controlWindows[slotSolutionLabel], layout.solutionLabel);
    place(controlWindows[slotSolutionNumber], layout.solutionNumber);
    place(controlWindows[slotViewerLabel], layout.viewerLabel);
    place(controlWindows[slotViewerCommand], layout.viewerCommand);
    place(controlWindows[slotStart], layout.startButton);
}

void selectZoom(int factor)
{
    zoomFactor = factor;
    CheckMenuItem(zoomMenu, idZoom1, factor == 1 ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(zoomMenu, idZoom2, factor == 2 ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(zoomMenu, idZoom3, factor == 3 ? MF_CHECKED : MF_UNCHECKED);
    const PictureOrigins origins = computePictureOrigins(layout, factor);
    upperOriginX = origins.upperX;
    upperOriginY = origins.upperY;
    lowerOriginX = origins.lowerX;
    lowerOriginY = origins.lowerY;
}

void setCheck(HWND control, int flag)
{
    SendMessageA(control, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
}

void syncFilterControls()
{
    setCheck(filterCheckBox, filterEnabled);
    for (int slot = 0; slot < 36; slot++) EnableWindow(controlWindows[slot], filterEnabled != 0);
    EnableWindow(controlWindows[slotRotations], filterEnabled != 0);
    EnableWindow(controlWindows[slotSearch], filterEnabled != 0);
    EnableWindow(controlWindows[slotHitScrollbar], filterEnabled != 0);
    setCheck(controlWindows[slotRotations], withRotations);
}

void insertSubmenu(HMENU menu, int position, bool byPosition, HMENU submenu, const char* text)
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_SUBMENU | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.hSubMenu = submenu;
    item.dwTypeData = const_cast<char*>(text);
    item.cch = UINT(lstrlenA(text));
    InsertMenuItemA(menu, UINT(position), byPosition, &item);
}

void buildMenuBar(HWND window)
{
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, idStartSolver, "&Lösungssuche starten");

    mirrorMenu = CreateMenu();
    AppendMenuA(mirrorMenu, MF_STRING, idMirrorC, "&C-Teil umdrehen");
    AppendMenuA(mirrorMenu, MF_STRING, idMirrorZ, "&Z-Teil umdrehen");
    AppendMenuA(mirrorMenu, MF_STRING, idMirrorR, "&r-Teil umdrehen");
    insertSubmenu(bar, -1, true, mirrorMenu, "&Bausteinspiegelungen");

    HMENU filterMenu = CreateMenu();
    AppendMenuA(filterMenu, MF_STRING, idClearFilters, "alle Filter &löschen");
    AppendMenuA(filterMenu, MF_STRING, idTurnAB, "wenden a/&b und c/d");
    AppendMenuA(filterMenu, MF_STRING, idTurnAC, "wenden a/&c und b/d");
    AppendMenuA(filterMenu, MF_STRING, idTurnAD, "wenden a/&d und b/c");
    insertSubmenu(bar, -1, true, filterMenu, "&Filtermanipulationen");

    zoomMenu = CreateMenu();
    AppendMenuA(zoomMenu, MF_STRING, idZoom1, "Zoomfaktor &1");
    AppendMenuA(zoomMenu, MF_STRING, idZoom2, "Zoomfaktor &2");
    AppendMenuA(zoomMenu, MF_STRING, idZoom3, "Zoomfaktor &3");
    insertSubmenu(bar, -1, true, zoomMenu, "&Dimetrische Darstellungen");

    AppendMenuA(bar, MF_STRING, idHelp, "&Hinweise");

    HMENU former = GetMenu(window);
    SetMenu(window, bar);
    if (former) DestroyMenu(former);
    DrawMenuBar(window);
}

void invalidate(HWND window, const Rect& rect)
{
    const RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(window, &r, TRUE);
}
