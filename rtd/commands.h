// commands.h: what the viewer can be told to do (viewer.h carries it out), and the two
// ways of telling it: the menu bar (one table of entries, drop-down by drop-down) and the
// keys (one table of bindings). The shortcut shown after a menu label is the first key bound to its command,
// and the help text names every key of the table, so the three never drift apart.
#pragma once

#include <string>

#include "rtd/texts.h"

// The numbers are the menu ids of the window (WM_COMMAND).
enum Command {
    commandNone = 0,
    commandSave = 100,
    commandExit,
    commandViewFirst = 110,  // + StandardView
    commandPerspective = 120,
    commandEdges,
    commandLighting,
    commandExplodeMore,
    commandExplodeLess,
    commandExplodeOff,
    commandBuildUpNext,
    commandBuildUpPrevious,
    commandBuildUpEnd,
    commandBuildUpBox,  // free or into the box
    commandShowAll = 130,
    commandHideAll,
    commandOnlyThis,
    commandLegend,
    commandGerman = 140,
    commandEnglish,
    commandHelp = 150,
    commandZoomIn = 160,  // keys only, like the wheel
    commandZoomOut,
    commandSolidFirst = 1000,  // + solid index
};

// Key codes as the window system numbers them: letters and digits are their capitals.
enum Key {
    keyPageUp = 0x21,
    keyPageDown = 0x22,
    keyEnd = 0x23,
    keyHome = 0x24,
    keyAdd = 0x6B,
    keySubtract = 0x6D,
    keyF1 = 0x70,
    keyF4 = 0x73,
    keyF5 = 0x74,
    keyF6 = 0x75,
    keyF7 = 0x76,
    keyF8 = 0x77,
    keyOemPlus = 0xBB,
    keyOemMinus = 0xBD,
};

enum class Modifier { any, none, shift, control, alt };

struct KeyBinding {
    int key;
    Modifier modifier;  // any: Shift and Ctrl do not matter; none: without Shift
    int command;
};

// The key table, in the order the help text lists the keys.
const KeyBinding* keyBindings(int& count);
// The command of a key pressed with the modifiers held; commandNone when it has none.
// Alt+F4 is in the table for the menu and the help only: the system closes the window.
int commandForKey(int key, bool shift, bool control);
// The key as menus and the help text name it, e.g. "Umschalt+F5" or "Bild ab".
std::string keyName(Language language, const KeyBinding& binding);

// The menu bar as one list: a title entry opens the next drop-down menu.
enum class MenuKind { title, command, separator, solids };
struct MenuEntry {
    MenuKind kind;
    int command;  // of a command entry
    Text label;   // of a title or command entry
};
const MenuEntry* menuEntries(int& count);
// A command entry's text: its label, then a tab and its key when it has one.
std::string menuLabel(Language language, const MenuEntry& entry);
