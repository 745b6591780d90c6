// The key table against the help text, and the menu table's labels.
#include <gtest/gtest.h>

#include <set>

#include "rtd/camera.h"
#include "rtd/commands.h"

namespace {

// The keys the help text lists: each line between the first blank one and the next names
// keys before its first ": ", separated by " / " or ", "; "1 ... 9" stands for every
// digit between.
std::set<std::string> keysOfHelp(const std::string& help)
{
    std::set<std::string> keys;
    size_t at = help.find("\n\n");
    at = help.find('\n', at + 2);  // past the heading line
    while (at != std::string::npos && at + 1 < help.size()) {
        const size_t end = help.find('\n', at + 1);
        const std::string line = help.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
        at = end;
        if (line.empty()) break;
        std::string names = line.substr(0, line.find(": "));
        names.erase(0, names.find_first_not_of(' '));
        for (size_t from = 0; from <= names.size();) {
            size_t cut = std::min(names.find(" / ", from), names.find(", ", from));
            const std::string name = names.substr(from, cut == std::string::npos ? std::string::npos : cut - from);
            if (name.size() == 7 && name.substr(1, 5) == " ... ")
                for (char c = name[0]; c <= name[6]; c++) keys.insert(std::string(1, c));
            else
                keys.insert(name);
            if (cut == std::string::npos) break;
            from = cut + (names[cut] == ',' ? 2 : 3);
        }
    }
    return keys;
}

}  // namespace

TEST(Keys, EveryKeyOfTheTableIsInTheHelpAndEveryKeyOfTheHelpInTheTable)
{
    int count = 0;
    const KeyBinding* table = keyBindings(count);
    for (Language l : {Language::german, Language::english}) {
        const std::string help = text(l, Text::helpText);
        const std::set<std::string> listed = keysOfHelp(help);
        std::set<std::string> bound;
        for (int i = 0; i < count; i++) bound.insert(keyName(l, table[i]));
        EXPECT_EQ(bound, listed);
        for (const char* mouse : {l == Language::german ? "linke Taste" : "left button",
                                  l == Language::german ? "rechte Taste" : "right button",
                                  l == Language::german ? "Rad" : "wheel"})
            EXPECT_NE(help.find(mouse), std::string::npos) << mouse;
    }
}

TEST(Keys, ModifiersChooseTheCommand)
{
    const struct {
        int key;
        bool shift, control;
        int command;
    } cases[] = {
        {'1', false, false, commandSolidFirst},     {'0', false, false, commandSolidFirst + 9},
        {'1', true, false, commandSolidFirst + 10}, {'2', true, false, commandSolidFirst + 11},
        {'3', true, false, commandNone},            {'A', false, false, commandShowAll},
        {'A', true, true, commandHideAll},          {'S', false, false, commandNone},
        {'S', false, true, commandSave},            {keyF5, false, false, commandViewFirst + int(StandardView::front)},
        {keyF5, true, false, commandViewFirst + int(StandardView::back)},
        {keyHome, true, true, commandViewFirst + int(StandardView::upper)},
        {keyOemMinus, false, false, commandZoomOut}, {keyF4, false, false, commandNone},
        {'K', true, false, commandEdges},           {'Q', false, false, commandNone},
    };
    for (const auto& c : cases) EXPECT_EQ(commandForKey(c.key, c.shift, c.control), c.command) << c.key;
}

TEST(Menus, LabelsShowTheirKey)
{
    int count = 0;
    const MenuEntry* menu = menuEntries(count);
    ASSERT_GT(count, 0);
    EXPECT_EQ(menu[0].kind, MenuKind::title);  // every entry belongs to a drop-down menu

    const auto label = [&](Language l, int command) {
        int n = 0;
        const MenuEntry* m = menuEntries(n);
        for (int i = 0; i < n; i++)
            if (m[i].kind == MenuKind::command && m[i].command == command) return menuLabel(l, m[i]);
        return std::string("(none)");
    };
    EXPECT_EQ(label(Language::german, commandViewFirst), "&Startansicht (Ecke 5,4,3)\tPos1");
    EXPECT_EQ(label(Language::german, commandViewFirst + int(StandardView::bottom)), "&unten\tUmschalt+F7");
    EXPECT_EQ(label(Language::german, commandSave), "Bild &speichern...\tStrg+S");
    EXPECT_EQ(label(Language::german, commandExit), "&Beenden\tAlt+F4");
    EXPECT_EQ(label(Language::german, commandExplodeOff), "Explosion &aus");
    EXPECT_EQ(label(Language::english, commandBuildUpNext), "Build-up: &next step\tPage Down");
    EXPECT_EQ(label(Language::english, commandExplodeLess), "Explode &less\tShift+X");
    EXPECT_EQ(label(Language::german, commandLegend), "&Farblegende\tF");
}
