// commands.cpp: the key table and the menu table.
#include "rtd/commands.h"

#include "rtd/camera.h"

namespace {

constexpr int viewCommand(StandardView view) { return commandViewFirst + int(view); }

constexpr KeyBinding bindings[] = {
    {keyHome, Modifier::any, viewCommand(StandardView::upper)},
    {keyF8, Modifier::any, viewCommand(StandardView::lower)},
    {keyF5, Modifier::none, viewCommand(StandardView::front)},
    {keyF5, Modifier::shift, viewCommand(StandardView::back)},
    {keyF6, Modifier::none, viewCommand(StandardView::right)},
    {keyF6, Modifier::shift, viewCommand(StandardView::left)},
    {keyF7, Modifier::none, viewCommand(StandardView::top)},
    {keyF7, Modifier::shift, viewCommand(StandardView::bottom)},
    {keyAdd, Modifier::any, commandZoomIn},
    {keyOemPlus, Modifier::any, commandZoomIn},
    {keySubtract, Modifier::any, commandZoomOut},
    {keyOemMinus, Modifier::any, commandZoomOut},
    {'1', Modifier::none, commandSolidFirst + 0},
    {'2', Modifier::none, commandSolidFirst + 1},
    {'3', Modifier::none, commandSolidFirst + 2},
    {'4', Modifier::none, commandSolidFirst + 3},
    {'5', Modifier::none, commandSolidFirst + 4},
    {'6', Modifier::none, commandSolidFirst + 5},
    {'7', Modifier::none, commandSolidFirst + 6},
    {'8', Modifier::none, commandSolidFirst + 7},
    {'9', Modifier::none, commandSolidFirst + 8},
    {'0', Modifier::none, commandSolidFirst + 9},
    {'1', Modifier::shift, commandSolidFirst + 10},
    {'2', Modifier::shift, commandSolidFirst + 11},
    {'A', Modifier::none, commandShowAll},
    {'A', Modifier::shift, commandHideAll},
    {'N', Modifier::any, commandOnlyThis},
    {'X', Modifier::none, commandExplodeMore},
    {'X', Modifier::shift, commandExplodeLess},
    {keyPageDown, Modifier::any, commandBuildUpNext},
    {keyPageUp, Modifier::any, commandBuildUpPrevious},
    {keyEnd, Modifier::any, commandBuildUpEnd},
    {'M', Modifier::any, commandBuildUpBox},
    {'K', Modifier::any, commandEdges},
    {'P', Modifier::any, commandPerspective},
    {'L', Modifier::any, commandLighting},
    {'F', Modifier::any, commandLegend},
    {'S', Modifier::control, commandSave},
    {keyF1, Modifier::any, commandHelp},
    {keyF4, Modifier::alt, commandExit},
};

constexpr MenuEntry title(Text label) { return {MenuKind::title, commandNone, label}; }
constexpr MenuEntry entry(int command, Text label) { return {MenuKind::command, command, label}; }
constexpr MenuEntry separator = {MenuKind::separator, commandNone, Text::textCount};

constexpr MenuEntry menu[] = {
    title(Text::menuFile),
    entry(commandSave, Text::savePicture),
    separator,
    entry(commandExit, Text::exitProgram),

    title(Text::menuView),
    entry(viewCommand(StandardView::upper), Text::viewUpper),
    entry(viewCommand(StandardView::lower), Text::viewLower),
    entry(viewCommand(StandardView::front), Text::viewFront),
    entry(viewCommand(StandardView::back), Text::viewBack),
    entry(viewCommand(StandardView::right), Text::viewRight),
    entry(viewCommand(StandardView::left), Text::viewLeft),
    entry(viewCommand(StandardView::top), Text::viewTop),
    entry(viewCommand(StandardView::bottom), Text::viewBottom),
    separator,
    entry(commandPerspective, Text::perspective),
    entry(commandEdges, Text::edges),
    entry(commandLighting, Text::lighting),
    entry(commandLegend, Text::colourLegend),
    separator,
    entry(commandExplodeMore, Text::explodeMore),
    entry(commandExplodeLess, Text::explodeLess),
    entry(commandExplodeOff, Text::explodeOff),
    separator,
    entry(commandBuildUpNext, Text::buildUpNext),
    entry(commandBuildUpPrevious, Text::buildUpPrevious),
    entry(commandBuildUpEnd, Text::buildUpEnd),
    entry(commandBuildUpBox, Text::buildUpBox),

    title(Text::menuObjects),
    {MenuKind::solids, commandNone, Text::textCount},
    entry(commandShowAll, Text::showAllSolids),
    entry(commandHideAll, Text::hideAllSolids),
    entry(commandOnlyThis, Text::onlyThisSolid),

    title(Text::menuLanguage),
    entry(commandGerman, Text::german),
    entry(commandEnglish, Text::english),

    title(Text::menuHelp),
    entry(commandHelp, Text::helpEntry),
};

bool modifierMatches(Modifier m, bool shift, bool control)
{
    switch (m) {
    case Modifier::any: return true;
    case Modifier::none: return !shift;
    case Modifier::shift: return shift;
    case Modifier::control: return control;
    default: return false;  // Alt combinations never arrive as plain keys
    }
}

}  // namespace

const KeyBinding* keyBindings(int& count)
{
    count = int(sizeof bindings / sizeof bindings[0]);
    return bindings;
}

int commandForKey(int key, bool shift, bool control)
{
    for (const KeyBinding& b : bindings)
        if (b.key == key && modifierMatches(b.modifier, shift, control)) return b.command;
    return commandNone;
}

std::string keyName(Language language, const KeyBinding& binding)
{
    const bool german = language == Language::german;
    std::string name;
    switch (binding.modifier) {
    case Modifier::shift: name = german ? "Umschalt+" : "Shift+"; break;
    case Modifier::control: name = german ? "Strg+" : "Ctrl+"; break;
    case Modifier::alt: name = "Alt+"; break;
    default: break;
    }
    const int k = binding.key;
    if (k >= keyF1 && k < keyF1 + 12) return name + "F" + std::to_string(k - keyF1 + 1);
    switch (k) {
    case keyHome: return name + (german ? "Pos1" : "Home");
    case keyEnd: return name + (german ? "Ende" : "End");
    case keyPageUp: return name + (german ? "Bild auf" : "Page Up");
    case keyPageDown: return name + (german ? "Bild ab" : "Page Down");
    case keyAdd:
    case keyOemPlus: return name + "+";
    case keySubtract:
    case keyOemMinus: return name + "-";
    default: return name + char(k);
    }
}

const MenuEntry* menuEntries(int& count)
{
    count = int(sizeof menu / sizeof menu[0]);
    return menu;
}

std::string menuLabel(Language language, const MenuEntry& e)
{
    std::string label = text(language, e.label);
    for (const KeyBinding& b : bindings)
        if (b.command == e.command) return label + "\t" + keyName(language, b);
    return label;
}
