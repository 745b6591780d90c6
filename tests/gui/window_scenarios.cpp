// The main window: control inventory and layout, menus, the filter switch, the solution
// number field and the help box, all driven from outside.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "search/filter_text.h"
#include "shell/command_ids.h"
#include "tests/gui/harness.h"
#include "tests/gui/launch_harness.h"

namespace {

struct ControlSpec {
    int id;
    const char* windowClass;
    const char* text;
    DWORD styleBits;  // the distinguishing style bits that must be set
};

// Controls with a unique id (the two labels share id 0 and are found by position).
const ControlSpec uniqueControls[] = {
    {idFilterSwitch, "Button", "L\xF6sungen filtern", WS_BORDER | BS_CHECKBOX},
    {idHintLabel, "Static", "", 0},
    {idRotations, "Button", "mit Rotationen", WS_BORDER | BS_CHECKBOX},
    {idSearch, "Button", "Suchen", 0},
    {idHitScrollbar, "ScrollBar", "", SBS_VERT},
    {idHitStatus, "Static", "", SS_CENTER},
    {idNextHit, "Button", "+", 0},
    {idPreviousHit, "Button", "-", 0},
    {idViewerCommand, "Edit", "facetgen -d", WS_BORDER | ES_AUTOHSCROLL},
    {idStart, "Button", "START", 0},
    {idSolutionNumber, "Edit", "", WS_BORDER | ES_AUTOHSCROLL | ES_LOWERCASE},
    {idNextSolution, "Button", "+", 0},
    {idPreviousSolution, "Button", "-", 0},
};

// An edit control takes WS_BORDER out of its style and draws the border itself, so there
// the border shows as a frame of pixels unlike the pixels just inside it.
COLORREF framePixel(HWND window, int x, int y)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return screenPixelAt(r.left + x, r.top + y);
}

bool hasBorder(HWND window)
{
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_BORDER) return true;
    RECT r = {};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w < 6 || h < 6) return false;
    const COLORREF edge = framePixel(window, 0, h / 2);
    return edge == framePixel(window, w - 1, h / 2) && edge == framePixel(window, w / 2, 0) &&
           edge != framePixel(window, 2, h / 2);
}

std::string textOf(HWND window)
{
    return className(window) == "Edit" ? editText(window) : windowText(window);
}

// The layout formulas, written out here independently of the program's arithmetic.
struct Expected {
    int id;
    int x, y, w, h;
};

std::vector<Expected> expectedLayout(int du, int dv, int lineHeight, int W, int H)
{
    (void)lineHeight;
    const int cell = 6 * du, pane = 3 * cell + 60, view = pane + 15 * du, row = dv + 6;
    const int pitch = (H - row - 2) / 14, hint = H - row - 12 * pitch - 1;
    const int centre = pitch / 2 + row + 1, field = std::min(pitch, dv + 6);
    const int scroll = view - 2 * du, listTop = 2 * row + 1;
    int command = W - 7 * du;
    if (command <= view) command = view + 1;
    int step = W - 2 * du, number = 9 * du;
    if (step <= view) step = view + 1, number = 0;
    const int half = (view - pane - 1) / 2;
    std::vector<Expected> e = {
        {idFilterSwitch, 1, 1, pane - 1, row},
        {idHintLabel, 0, H - hint, pane, hint},
        {idRotations, pane + 1, 1, view - pane - 1, row},
        {idSearch, pane + 1, row + 1, view - pane - 1, row},
        {idHitStatus, pane + 1, H - row, view - pane - 1, row},
        {idPreviousHit, pane + 1, H - 2 * row, half, row},
        {idNextHit, view - half, H - 2 * row, half, row},
        {idHitScrollbar, scroll, listTop, 2 * du, H - listTop - 2 * row},
        {idNextSolution, step, 1, W - step, row / 2},
        {idPreviousSolution, step, row / 2 + 1, W - step, row / 2},
        {idSolutionNumber, step - number - 1, 2, number, row - 2},
        {idViewerCommand, view + 1, H - row, command - view - 1, row},
        {idStart, command, H - 2 * row, W - command, 2 * row},
    };
    for (int i = 0; i < 12; i++)
        for (int j = 0; j < 3; j++)
            e.push_back({idFirstFilterField + 3 * i + j, pane - (3 - j) * cell + 1, centre - field / 2 + i * pitch, cell - 2, field - 2});
    return e;
}

void checkLayout(Program& program, int askedWidth, int askedHeight)
{
    // A narrow window wraps its menu bar, which takes height from the client area: the
    // layout is checked against the client size the window really has.
    setClientSize(program, askedWidth, askedHeight);
    const SIZE size = clientSize(program.window);
    const int width = size.cx, height = size.cy;
    CHECK_EQ(width, askedWidth);
    const LONG units = GetDialogBaseUnits();
    HDC dc = GetDC(program.window);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    ReleaseDC(program.window, dc);
    const int du = LOWORD(units), dv = HIWORD(units);
    for (const Expected& e : expectedLayout(du, dv, tm.tmHeight + tm.tmExternalLeading + 2, width, height)) {
        HWND c = control(program, e.id);
        const RECT r = clientRectIn(c, program.window);
        char where[80];
        std::snprintf(where, sizeof where, "control %d at %dx%d: ", e.id, width, height);
        // Windows keeps negative sizes as empty rectangles; compare what a window can have.
        CHECK_EQ(std::string(where) + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                     std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top),
                 std::string(where) + std::to_string(e.x) + "," + std::to_string(e.y) + " " +
                     std::to_string(std::max(e.w, 0)) + "x" + std::to_string(std::max(e.h, 0)));
    }
    // The two labels (id 0) sit beside the number field and above the viewer command.
    const int view = 3 * 6 * du + 60 + 15 * du, row = dv + 6;
    int step = width - 2 * du;
    if (step <= view) step = view + 1;
    int command = width - 7 * du;
    if (command <= view) command = view + 1;
    const struct {
        POINT at;
        int width;
        const char* text;
        bool border;
    } labels[] = {{{view + 2, 2}, step - view - 1, "L\xF6sung Nr.:", true},
                  {{view + 2, height - 2 * row + 1}, command - view - 1, "3D-Viewer:", false}};
    for (const auto& label : labels) {
        if (label.width < 3) continue;  // squeezed to nothing on a narrow window
        HWND child = ChildWindowFromPointEx(program.window, label.at, CWP_SKIPINVISIBLE);
        CHECK_EQ(GetDlgCtrlID(child), 0);
        CHECK_EQ(className(child), std::string("Static"));
        CHECK_EQ(windowText(child), std::string(label.text));
        CHECK_EQ((GetWindowLongPtrA(child, GWL_STYLE) & WS_BORDER) != 0, label.border);
        const RECT r = clientRectIn(child, program.window);
        CHECK_EQ(std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top),
                 std::to_string(label.at.y == 2 ? 1 : height - 2 * row) + " " + std::to_string(label.width) + "x" + std::to_string(row));
    }
}

SCENARIO(window_control_inventory_and_layout)
{
    Program program;
    const std::string folder = makeWorkFolder("controls");
    writeTable(folder, 10);
    if (startProgram(program, folder)) {
        for (const ControlSpec& want : uniqueControls) {
            HWND c = control(program, want.id);
            CHECK(c != nullptr);
            if (!c) continue;
            const std::string id = std::to_string(want.id) + ": ";
            CHECK_EQ(id + className(c), id + want.windowClass);
            CHECK_EQ(id + textOf(c), id + want.text);
            DWORD style = DWORD(GetWindowLongPtrA(c, GWL_STYLE));
            if (hasBorder(c)) style |= WS_BORDER;
            CHECK_EQ(id + std::to_string(style & want.styleBits), id + std::to_string(want.styleBits));
            CHECK(style & WS_VISIBLE);
            CHECK(style & WS_CHILD);
            // Push buttons are plain push buttons, not default ones.
            if (std::string(want.windowClass) == "Button" && !(want.styleBits & BS_CHECKBOX))
                CHECK_EQ(id + std::to_string(style & 0xF), id + "0");
        }
        for (int id = idFirstFilterField; id <= idLastFilterField; id++) {
            HWND c = control(program, id);
            CHECK(c && className(c) == "Edit" && editText(c).empty());
            CHECK(c && !IsWindowEnabled(c));
        }
        // Filter controls start disabled; the hit buttons too, as there are no hits.
        for (int id : {idRotations, idSearch, idHitScrollbar, idPreviousHit, idNextHit}) CHECK_EQ(std::to_string(id) + (IsWindowEnabled(control(program, id)) ? " on" : " off"), std::to_string(id) + " off");
        for (int id : {idFilterSwitch, idViewerCommand, idStart, idSolutionNumber, idNextSolution, idPreviousSolution}) CHECK_EQ(std::to_string(id) + (IsWindowEnabled(control(program, id)) ? " on" : " off"), std::to_string(id) + " on");
        CHECK_EQ(SendMessageA(control(program, idFilterSwitch), BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));

        checkLayout(program, 900, 640);
        checkLayout(program, 1100, 760);
        // So narrow that START and the "+"/"-" pair move to the left edge of the view, and
        // so low that the filter rows have no height.
        checkLayout(program, 370, 150);
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

std::vector<std::string> menuLines(Program& program)
{
    std::vector<std::string> lines;
    const std::string dump = probe(program, "menu " + windowHex(program.window));
    size_t start = 0;
    while (start < dump.size()) {
        const size_t end = dump.find('\n', start);
        lines.push_back(dump.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// The check state of one menu entry, from the probe's dump.
bool menuChecked(Program& program, int id)
{
    for (const std::string& line : menuLines(program)) {
        int depth = 0, itemId = 0;
        unsigned state = 0;
        if (std::sscanf(line.c_str(), "%d %d %x", &depth, &itemId, &state) == 3 && itemId == id)
            return (state & MF_CHECKED) != 0;
    }
    recordFailure("menu entry " + std::to_string(id) + " not found", __FILE__, __LINE__);
    return false;
}

SCENARIO(window_menu_bar_zoom_and_mirrors)
{
    Program program;
    const std::string folder = makeWorkFolder("menu");
    writeTable(folder, 10);
    if (startProgram(program, folder)) {
        // The probe lists the menu with its ids, as the program's resources number them.
        static_assert(idStartSolver == 200 && idMirrorC == 206 && idMirrorZ == 207 && idMirrorR == 208 &&
                          idClearFilters == 210 && idTurnAB == 211 && idTurnAC == 212 && idTurnAD == 213 &&
                          idZoom1 == 202 && idZoom2 == 203 && idZoom3 == 204 && idHelp == 290,
                      "menu ids");
        const std::vector<std::string> expected = {
            "0 200 0 &L\xF6sungssuche starten",
            "0 -1 0 &Bausteinspiegelungen",
            "1 206 0 &C-Teil umdrehen",
            "1 207 0 &Z-Teil umdrehen",
            "1 208 0 &r-Teil umdrehen",
            "0 -1 0 &Filtermanipulationen",
            "1 210 0 alle Filter &l\xF6schen",
            "1 211 0 wenden a/&b und c/d",
            "1 212 0 wenden a/&c und b/d",
            "1 213 0 wenden a/&d und b/c",
            "0 -1 0 &Dimetrische Darstellungen",
            "1 202 8 Zoomfaktor &1",
            "1 203 0 Zoomfaktor &2",
            "1 204 0 Zoomfaktor &3",
            "0 290 0 &Hinweise",
        };
        const std::vector<std::string> lines = menuLines(program);
        CHECK_EQ(lines.size(), expected.size());
        for (size_t i = 0; i < std::min(lines.size(), expected.size()); i++) CHECK_EQ(lines[i], expected[i]);

        for (int id : {idZoom2, idZoom3, idZoom1, idZoom3}) {
            PostMessageA(program.window, WM_COMMAND, WPARAM(id), 0);
            settle(program);
            for (int other : {idZoom1, idZoom2, idZoom3})
                CHECK_EQ(std::to_string(id) + "->" + std::to_string(other) + (menuChecked(program, other) ? " checked" : " clear"),
                         std::to_string(id) + "->" + std::to_string(other) + (other == id ? " checked" : " clear"));
        }
        for (int id : {idMirrorC, idMirrorZ, idMirrorR}) {
            PostMessageA(program.window, WM_COMMAND, WPARAM(id), 0);
            settle(program);
            CHECK(menuChecked(program, id));
            for (int other : {idMirrorC, idMirrorZ, idMirrorR})
                if (other > id) CHECK(!menuChecked(program, other));
        }
        for (int id : {idMirrorZ, idMirrorC, idMirrorR}) {
            PostMessageA(program.window, WM_COMMAND, WPARAM(id), 0);
            settle(program);
            CHECK(!menuChecked(program, id));
        }
        // Unused ids do nothing: the program keeps running and its menu stays as it was.
        const int unusedIds[] = {201, 205, 209, idHintLabel, idViewerCommand, idHitScrollbar, idHitStatus};
        for (int id : unusedIds) PostMessageA(program.window, WM_COMMAND, WPARAM(id), 0);
        settle(program);
        CHECK(menuChecked(program, idZoom3));
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

SCENARIO(window_filter_switch)
{
    Program program;
    const std::string folder = makeWorkFolder("filter");
    writeTable(folder, 10);
    if (startProgram(program, folder)) {
        HWND filterSwitch = control(program, idFilterSwitch);
        const int filterControls[] = {idRotations, idSearch, idHitScrollbar};
        for (int round = 0; round < 2; round++) {
            const bool on = round == 0;
            PostMessageA(filterSwitch, BM_CLICK, 0, 0);
            settle(program);
            CHECK_EQ(SendMessageA(filterSwitch, BM_GETCHECK, 0, 0), LRESULT(on ? BST_CHECKED : BST_UNCHECKED));
            int enabled = 0;
            for (int id = idFirstFilterField; id <= idLastFilterField; id++) enabled += IsWindowEnabled(control(program, id)) ? 1 : 0;
            for (int id : filterControls) enabled += IsWindowEnabled(control(program, id)) ? 1 : 0;
            CHECK_EQ(enabled, on ? 39 : 0);
            // Enabled, the fields show their borders (a disabled edit is drawn flat).
            if (on) Sleep(200);  // painting comes after the posted messages that caused it
            if (on)
                for (int id = idFirstFilterField; id <= idLastFilterField; id++) CHECK_EQ(std::to_string(id) + (hasBorder(control(program, id)) ? " border" : " flat"), std::to_string(id) + " border");
            // The rotations switch keeps its own mark; the filter switch only enables it.
            CHECK_EQ(SendMessageA(control(program, idRotations), BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
        }
        // Each turning entry of the filter menu turns the criteria by its own variant.
        HWND field = control(program, idFirstFilterField + 5);
        const struct {
            int id, variant;
        } turns[] = {{idTurnAB, 1}, {idTurnAC, 2}, {idTurnAD, 3}};
        for (const auto& turn : turns) {
            SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1,0,0"));
            command(program, turn.id);
            settle(program);
            char turned[40];
            formatCell(turnCell({1, 0, 0}, turn.variant), turned, sizeof turned);
            CHECK_EQ(editText(field), std::string(turned));
        }
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

struct FieldView {
    std::string text;
    DWORD start, end;
};

FieldView readField(HWND field)
{
    FieldView v = {editText(field), 0, 0};
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&v.start), reinterpret_cast<LPARAM>(&v.end));
    return v;
}

void setField(Program& program, HWND field, const char* text)
{
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    settle(program);
}

SCENARIO(window_solution_number_field)
{
    Program program;
    const std::string folder = makeWorkFolder("number");
    writeTable(folder, 1000);
    if (startProgram(program, folder)) {
        HWND field = control(program, idSolutionNumber);
        HWND plus = control(program, idNextSolution), minus = control(program, idPreviousSolution);

        typeChars(program, field, "x12 b");
        FieldView v = readField(field);
        CHECK_EQ(v.text, std::string("12b"));
        CHECK_EQ(v.start, DWORD(3));
        CHECK_EQ(v.end, DWORD(3));
        typeChars(program, field, "c");
        CHECK_EQ(editText(field), std::string("12b"));

        setField(program, field, "99999");
        CHECK_EQ(editText(field), std::string("1000"));
        setField(program, field, "0017D");
        CHECK_EQ(editText(field), std::string("17d"));

        // Typed at the end: 9 after 17d is dropped; letters past a..d too.
        PostMessageA(field, WM_KEYDOWN, VK_END, 0);
        typeChars(program, field, "9");
        CHECK_EQ(editText(field), std::string("17d"));

        const struct {
            const char* start;
            HWND button;
            const char* expected;
        } steps[] = {
            {"1c", minus, "1c"}, {"0", minus, "1"}, {"1000c", plus, "1000c"},
            {"5", plus, "6"},    {"5b", minus, "4b"},
        };
        for (const auto& s : steps) {
            setField(program, field, s.start);
            PostMessageA(s.button, BM_CLICK, 0, 0);
            settle(program);
            CHECK_EQ(std::string(s.start) + " -> " + editText(field), std::string(s.start) + " -> " + s.expected);
        }
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

SCENARIO(window_solution_field_without_table)
{
    Program program;
    const std::string folder = makeWorkFolder("notable");
    // Without a table the program starts the solver; the stand-in beside it writes none.
    if (startProgramWithStandInSolver(program, folder)) {
        HWND box = findMessageBox(program, 10000);
        CHECK(box && answerMessageBox(box, IDOK));
        HWND field = control(program, idSolutionNumber);
        typeChars(program, field, "x12 b");
        CHECK_EQ(editText(field), std::string("12b"));
        setField(program, field, "99999");
        CHECK_EQ(editText(field), std::string("99999"));  // nothing to clamp against
        setField(program, field, "0017D");
        CHECK_EQ(editText(field), std::string("0017d"));
        PostMessageA(control(program, idNextSolution), BM_CLICK, 0, 0);
        settle(program);
        CHECK_EQ(editText(field), std::string("18d"));
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

SCENARIO(window_help_box)
{
    Program program;
    const std::string folder = makeWorkFolder("help");
    writeTable(folder, 10);
    if (startProgram(program, folder)) {
        PostMessageA(program.window, WM_COMMAND, idHelp, 0);
        HWND box = findMessageBox(program, 5000);
        REQUIRE(box);
        CHECK_EQ(windowText(box), std::string("Tamrik's kubo-Puzzle-Ergebnis-Viewing-Tool(s) - Info"));
        CHECK_EQ(messageBoxText(box), std::string(
            "Allgemeine Hinweise zu diesem Programm:\n"
            "\n"
            "- Wenn Sie eine bestimmte L\xF6sungsnummer sehen wollen, so geben Sie die Nummer in dem Eingabefeld rechts oben ein. "
            "H\xE4ngen Sie noch einen Buchstaben (a bis d) an, wenn Sie auch die Gesamtorientierung \xE4ndern wollen.\n"
            "- Wollen Sie wissen, wieviele L\xF6sungen \xFC" "berhaupt in der L\xF6sungsdatei gespeichert sind, dann geben Sie "
            "einfach eine sehr hohe Zahl ein, sie wird automatisch herabgesetzt.\n"
            "- Filtervorgaben (Raumkoordinaten, an denen ein bestimmtes Puzzleteil liegen soll) k\xF6nnen Sie auch bequem durch "
            "einen Mausklick (linke Taste) auf den entsprechenden Teilw\xFCrfel in der dimetrischen Darstellung in das "
            "Eingabefeld \xFC" "bernehmen.\n"
            "- Wenn Sie statt dessen wissen wollen, welches Puzzleteil an einer Position der angezeigten L\xF6sung liegt, dann "
            "klicken Sie diesen Teilw\xFCrfel mit der rechten Maustaste an.\n"
            "- \xC4nderungen der Filtereinstellung wirken sich sofort auf die laufende Filtersuche aus. Wenn Sie also die "
            "Filtereinstellungen \xE4ndern w\xE4hrend die Filtersuche noch l\xE4uft, gen\xFCgen die ersten Suchergebnisse "
            "anderen Bedingungen als die letzten Suchergebnisse.\n"
            "- Sie k\xF6nnen sich die L\xF6sung auch r\xE4umlich rotierbar ansehen. Der Aufruf des mitgelieferten "
            "Standardviewers (Anweisung \"facetgen -d\") kann im Eingabefeld rechts unten ersetzt werden, um andere mit der "
            "\xDC" "bergabesyntax kompatible Anzeigeprogramme zu starten.\n"
            "Nachdem Sie im mitgelieferten Standardviewer die Spachumstellung gefunden haben, werden Sie sicher auch unter "
            "\"Objektdarstellung\" die M\xF6glichkeit finden, die Einzelteile des Puzzles einzeln aus- und wieder "
            "einzublenden.\n"
            "Die \xDC" "bergabe der Platzierungpositionen der einzelen Bausteine f\xFCr diesen Standardviewer steht in einer "
            "Datei mit der Endung \".pos\" im Unterverzeichnis \"loesungen\". Es empfiehlt sich, den Inhalt dieses "
            "Tempor\xE4rverzeichnisses gelegentlich wieder zu l\xF6schen.\n"
            "\n"
            "Sollten bei der Berechung der L\xF6sungstabelle in dem Textfenster statt Umlauten seltsame Zeichen erscheinen, "
            "liegt das wom\xF6glich an der Zeichensatzeinstellung des 'DOS-Fensters': Rasterfont statt "
            "UNICODE-True-Type-Font.\n"
            "\n"
            "P.S. Mein Testrechner war ein Pentium MMX mit 233 MHz, 192 MB RAM und Shared Memory Grafik."));
        // Information icon, one OK button only.
        CHECK(GetDlgItem(box, 1088) != nullptr);
        CHECK(GetDlgItem(box, IDOK) != nullptr);
        CHECK(GetDlgItem(box, IDCANCEL) == nullptr);
        CHECK(answerMessageBox(box, IDOK));
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}

}  // namespace
