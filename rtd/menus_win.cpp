// menus_win.cpp: the menu bar, built anew from the menu table whenever the state changes.
#include "rtd/menus_win.h"

#include "rtd/commands.h"

#include <algorithm>

namespace {

// A longer list would not fit on a screen; "show all" and "hide all" still reach every solid.
constexpr int maxSolidEntries = 100;

UINT stateOf(const RtdViewer& viewer, const RtdScene& scene, int command)
{
    return (commandChecked(viewer, scene, command) ? MF_CHECKED : MF_UNCHECKED) |
           (commandEnabled(viewer, scene, command) ? MF_ENABLED : MF_GRAYED);
}

void appendSolids(HMENU menu, const RtdViewer& viewer, const RtdScene& scene)
{
    const int n = std::min(int(scene.file.solids.size()), maxSolidEntries);
    for (int i = 0; i < n; i++) {
        const std::string name = solidMenuName(viewer.language, scene.file.solids[size_t(i)].name, i);
        const int id = commandSolidFirst + i;
        AppendMenuA(menu, MF_STRING | stateOf(viewer, scene, id), UINT_PTR(id), name.c_str());
    }
    if (n > 0) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

}  // namespace

void buildMenus(HWND window, const RtdViewer& viewer, const RtdScene& scene)
{
    HMENU bar = CreateMenu();
    HMENU popup = nullptr;
    Text title = Text::textCount;
    const auto close = [&] {
        if (popup) AppendMenuA(bar, MF_POPUP, UINT_PTR(popup), text(viewer.language, title));
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
        case MenuKind::solids: appendSolids(popup, viewer, scene); break;
        case MenuKind::command:
            AppendMenuA(popup, MF_STRING | stateOf(viewer, scene, e.command), UINT_PTR(e.command),
                        menuLabel(viewer.language, e).c_str());
            break;
        }
    }
    close();

    HMENU old = GetMenu(window);
    SetMenu(window, bar);
    if (old) DestroyMenu(old);
    DrawMenuBar(window);
}
