// menus_win.cpp: the menu bar, built anew from the menu table whenever the state changes,
// so that labels follow the language and check marks the state.
#include "rtd/commands.h"
#include "rtd/rtd_state.h"

#include <algorithm>

namespace {

// A longer list would not fit on a screen; "show all" and "hide all" still reach every solid.
constexpr int maxSolidEntries = 100;

void appendSolids(HMENU menu)
{
    const int n = std::min(int(scene.solids.size()), maxSolidEntries);
    for (int i = 0; i < n; i++) {
        const std::string name = solidMenuName(view.language, scene.solids[size_t(i)].name, i);
        const UINT id = UINT(commandSolidFirst + i);
        AppendMenuA(menu, MF_STRING | (commandChecked(view, int(id)) ? MF_CHECKED : MF_UNCHECKED), id, name.c_str());
    }
    if (n > 0) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

}  // namespace

void buildMenus()
{
    HMENU bar = CreateMenu();
    HMENU popup = nullptr;
    Text title = Text::textCount;
    const auto close = [&] {
        if (popup) AppendMenuA(bar, MF_POPUP, UINT_PTR(popup), text(view.language, title));
    };
    int count = 0;
    const MenuEntry* entries = menuEntries(count);
    for (int i = 0; i < count; i++) {
        const MenuEntry& e = entries[i];
        switch (e.kind) {
        case MenuKind::title:
            close();
            popup = CreatePopupMenu();
            title = e.label;
            break;
        case MenuKind::separator: AppendMenuA(popup, MF_SEPARATOR, 0, nullptr); break;
        case MenuKind::solids: appendSolids(popup); break;
        case MenuKind::command:
            AppendMenuA(popup, MF_STRING | (commandChecked(view, e.command) ? MF_CHECKED : MF_UNCHECKED),
                        UINT_PTR(e.command), menuLabel(view.language, e).c_str());
            break;
        }
    }
    close();

    HMENU old = GetMenu(mainWindow);
    SetMenu(mainWindow, bar);
    if (old) DestroyMenu(old);
    DrawMenuBar(mainWindow);
}
