// controls_win.cpp: the main window's child controls, their layout on every resize, the
// menu bar, the check marks and enabled states that follow the viewer state, and the
// carrying out of an operation's effects.
#include "search/search_control.h"
#include "view/picking.h"
#include "shell/viewer.h"
#include "shell/window_win.h"

WindowHandles handles = {};
ViewerState viewer;

static HWND makeControl(HWND parent, const char* windowClass, const char* text, DWORD style, int id)
{
    return CreateWindowExA(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), appInstance, nullptr);
}

void createControls(HWND window)
{
    HWND* c = handles.controls;
    c[slotFilterSwitch] = makeControl(window, "button", "Lösungen filtern", WS_BORDER | BS_CHECKBOX, idFilterSwitch);
    for (int slot = 0; slot < filterFieldCount; slot++)
        c[slot] = makeControl(window, "edit", "", WS_BORDER, idFirstFilterField + slot);
    c[slotHint] = makeControl(window, "static", "", 0, idHintLabel);
    c[slotRotations] = makeControl(window, "button", "mit Rotationen", WS_BORDER | BS_CHECKBOX, idRotations);
    c[slotSearch] =
        makeControl(window, "button", criteriaChanged ? captionChanged : captionUnchanged, BS_PUSHBUTTON, idSearch);
    c[slotHitScrollbar] = makeControl(window, "scrollbar", nullptr, SBS_VERT, idHitScrollbar);
    c[slotHitStatus] = makeControl(window, "static", "", SS_CENTER, idHitStatus);
    c[slotNextHit] = makeControl(window, "button", "+", BS_PUSHBUTTON, idNextHit);
    c[slotPreviousHit] = makeControl(window, "button", "-", BS_PUSHBUTTON, idPreviousHit);
    c[slotViewerLabel] = makeControl(window, "static", "3D-Viewer:", 0, 0);
    c[slotViewerCommand] = makeControl(window, "edit", "facetgen -d", WS_BORDER | ES_AUTOHSCROLL, idViewerCommand);
    c[slotStart] = makeControl(window, "button", "START", BS_PUSHBUTTON, idStart);
    c[slotSolutionLabel] = makeControl(window, "static", "Lösung Nr.:", WS_BORDER, 0);
    c[slotSolutionNumber] =
        makeControl(window, "edit", "", WS_BORDER | ES_AUTOHSCROLL | ES_LOWERCASE, idSolutionNumber);
    c[slotNextSolution] = makeControl(window, "button", "+", BS_PUSHBUTTON, idNextSolution);
    c[slotPreviousSolution] = makeControl(window, "button", "-", BS_PUSHBUTTON, idPreviousSolution);
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
    const Layout& l = viewer.layout;
    applyLayout(viewer, {l.dialogUnitX, l.dialogUnitY, l.clientWidth, l.clientHeight,
                         int(metrics.tmHeight + metrics.tmExternalLeading)});

    HWND* c = handles.controls;
    place(c[slotFilterSwitch], l.filterSwitch);
    for (int piece = 0; piece < pieceCount; piece++)
        for (int criterion = 0; criterion < criteriaPerPiece; criterion++)
            place(c[filterFieldSlot(piece, criterion)], l.filterFields[piece][criterion]);
    place(c[slotHint], l.hint);
    place(c[slotRotations], l.rotationsSwitch);
    place(c[slotSearch], l.searchButton);
    place(c[slotHitStatus], l.hitStatus);
    place(c[slotPreviousHit], l.previousHit);
    place(c[slotNextHit], l.nextHit);
    place(c[slotHitScrollbar], l.hitScrollbar);
    updateHitButtons(hitListView());
    place(c[slotNextSolution], l.nextSolution);
    place(c[slotPreviousSolution], l.previousSolution);
    place(c[slotSolutionLabel], l.solutionLabel);
    place(c[slotSolutionNumber], l.solutionNumber);
    place(c[slotViewerLabel], l.viewerLabel);
    place(c[slotViewerCommand], l.viewerCommand);
    place(c[slotStart], l.startButton);
}

static void setCheck(HWND control, int flag)
{
    SendMessageA(control, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
}

void syncFilterControls()
{
    HWND* c = handles.controls;
    const bool enabled = viewer.filterEnabled != 0;
    setCheck(c[slotFilterSwitch], viewer.filterEnabled);
    for (int slot = 0; slot < filterFieldCount; slot++) EnableWindow(c[slot], enabled);
    EnableWindow(c[slotRotations], enabled);
    EnableWindow(c[slotSearch], enabled);
    EnableWindow(c[slotHitScrollbar], enabled);
    setCheck(c[slotRotations], withRotations);
}

static void checkItem(HMENU menu, int id, bool checked)
{
    CheckMenuItem(menu, UINT(id), checked ? MF_CHECKED : MF_UNCHECKED);
}

void syncMenuChecks()
{
    const int zoom = viewer.view.zoom;
    checkItem(handles.zoomMenu, idZoom1, zoom == 1);
    checkItem(handles.zoomMenu, idZoom2, zoom == 2);
    checkItem(handles.zoomMenu, idZoom3, zoom == 3);
    checkItem(handles.mirrorMenu, idMirrorC, viewer.flips.mirrorC == 1);
    checkItem(handles.mirrorMenu, idMirrorZ, viewer.flips.mirrorZ == 1);
    checkItem(handles.mirrorMenu, idMirrorR, viewer.flips.mirrorR == 1);
}

static void insertSubmenu(HMENU menu, HMENU submenu, const char* text)
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_SUBMENU | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.hSubMenu = submenu;
    item.dwTypeData = const_cast<char*>(text);
    item.cch = UINT(lstrlenA(text));
    InsertMenuItemA(menu, UINT(-1), TRUE, &item);
}

void buildMenuBar(HWND window)
{
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, idStartSolver, "&Lösungssuche starten");

    handles.mirrorMenu = CreateMenu();
    AppendMenuA(handles.mirrorMenu, MF_STRING, idMirrorC, "&C-Teil umdrehen");
    AppendMenuA(handles.mirrorMenu, MF_STRING, idMirrorZ, "&Z-Teil umdrehen");
    AppendMenuA(handles.mirrorMenu, MF_STRING, idMirrorR, "&r-Teil umdrehen");
    insertSubmenu(bar, handles.mirrorMenu, "&Bausteinspiegelungen");

    HMENU filterMenu = CreateMenu();
    AppendMenuA(filterMenu, MF_STRING, idClearFilters, "alle Filter &löschen");
    AppendMenuA(filterMenu, MF_STRING, idTurnAB, "wenden a/&b und c/d");
    AppendMenuA(filterMenu, MF_STRING, idTurnAC, "wenden a/&c und b/d");
    AppendMenuA(filterMenu, MF_STRING, idTurnAD, "wenden a/&d und b/c");
    insertSubmenu(bar, filterMenu, "&Filtermanipulationen");

    handles.zoomMenu = CreateMenu();
    AppendMenuA(handles.zoomMenu, MF_STRING, idZoom1, "Zoomfaktor &1");
    AppendMenuA(handles.zoomMenu, MF_STRING, idZoom2, "Zoomfaktor &2");
    AppendMenuA(handles.zoomMenu, MF_STRING, idZoom3, "Zoomfaktor &3");
    insertSubmenu(bar, handles.zoomMenu, "&Dimetrische Darstellungen");

    AppendMenuA(bar, MF_STRING, idHelp, "&Hinweise");

    HMENU former = GetMenu(window);
    SetMenu(window, bar);
    if (former) DestroyMenu(former);
    DrawMenuBar(window);
}

void applyEffects(const Effects& effects)
{
    for (const Rect& r : effects.repaint) {
        const RECT rect = {r.left, r.top, r.right, r.bottom};
        InvalidateRect(mainWindow, &rect, TRUE);
    }
    for (const ControlText& t : effects.texts) {
        HWND control = handles.controls[t.slot];
        SetWindowTextA(control, t.text.c_str());
        if (t.selStart >= 0) SendMessageA(control, EM_SETSEL, WPARAM(t.selStart), LPARAM(t.selEnd));
    }
    if (effects.syncFilterControls) syncFilterControls();
    if (effects.syncMenuChecks) syncMenuChecks();
    if (!effects.positionInfo.empty())
        MessageBoxA(mainWindow, effects.positionInfo.c_str(), positionInfoCaption, MB_OK | MB_ICONINFORMATION);
}

HitListView hitListView()
{
    const Layout& l = viewer.layout;
    const HWND* c = handles.controls;
    return {&viewer.results,
            mainWindow,
            c[slotHitScrollbar],
            c[slotHitStatus],
            c[slotPreviousHit],
            c[slotNextHit],
            c[slotSolutionNumber],
            {l.paneWidth, l.viewLeft, l.listTop, l.lineHeight},
            l.scrollLeft,
            l.visibleLines,
            {l.listRect.left, l.listRect.top, l.listRect.right, l.listRect.bottom}};
}

PaneFrame paneFrame()
{
    const Layout& l = viewer.layout;
    return {l.paneWidth, l.viewLeft, l.clientWidth, l.clientHeight, l.firstRowCentre, l.rowPitch};
}
