// visibility.h: which solids are drawn. Each solid can be hidden on its own (the menu's
// checked entries, the number keys); the build-up mode on top of that shows only the
// first so many solids of the build-up order.
#pragma once

#include <cstddef>
#include <vector>

struct Visibility {
    std::vector<bool> shown;  // per solid, as the menu checks them
    int buildUpCount;         // solids of the build-up order shown; -1: mode off
};

Visibility allShown(int solidCount);
void toggleSolid(Visibility& v, int solid);
void showAll(Visibility& v);
void hideAll(Visibility& v);
// Only this solid is shown (nothing changes for an index outside the scene).
void showOnly(Visibility& v, int solid);

// Page Down (+1) adds the next solid of the order, Page Up (-1) takes the last away;
// the first step of either starts the mode from all solids shown.
void buildUpStep(Visibility& v, int direction);
void endBuildUp(Visibility& v);

// Per solid: shown and, in the build-up mode, among the first buildUpCount of order.
std::vector<bool> drawnSolids(const Visibility& v, const std::vector<int>& order);
