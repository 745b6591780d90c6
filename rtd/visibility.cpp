// visibility.cpp: the visibility state's operations.
#include "rtd/visibility.h"

Visibility allShown(int solidCount) { return {std::vector<bool>(size_t(solidCount > 0 ? solidCount : 0), true), -1}; }

void toggleSolid(Visibility& v, int solid)
{
    if (solid >= 0 && size_t(solid) < v.shown.size()) v.shown[size_t(solid)] = !v.shown[size_t(solid)];
}

void showAll(Visibility& v) { v.shown.assign(v.shown.size(), true); }

void hideAll(Visibility& v) { v.shown.assign(v.shown.size(), false); }

void showOnly(Visibility& v, int solid)
{
    if (solid < 0 || size_t(solid) >= v.shown.size()) return;
    hideAll(v);
    v.shown[size_t(solid)] = true;
}

void buildUpStep(Visibility& v, int direction)
{
    const int n = int(v.shown.size());
    int count = v.buildUpCount < 0 ? n : v.buildUpCount;
    // Starting the mode with Page Down begins at the first solid, not at all of them.
    if (v.buildUpCount < 0 && direction > 0) count = 0;
    count += direction > 0 ? 1 : -1;
    v.buildUpCount = count < 0 ? 0 : count > n ? n : count;
}

void endBuildUp(Visibility& v) { v.buildUpCount = -1; }

std::vector<bool> drawnSolids(const Visibility& v, const std::vector<int>& order)
{
    std::vector<bool> drawn = v.shown;
    if (v.buildUpCount < 0) return drawn;
    std::vector<bool> built(drawn.size(), false);
    for (size_t k = 0; k < order.size() && int(k) < v.buildUpCount; k++)
        if (order[k] >= 0 && size_t(order[k]) < built.size()) built[size_t(order[k])] = true;
    for (size_t i = 0; i < drawn.size(); i++) drawn[i] = drawn[i] && built[i];
    return drawn;
}
