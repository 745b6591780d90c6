// The filter search driven from outside: a search on a generated table whose hits the
// scenario computes itself, the status line, the step buttons, clicks into the list and its
// scrollbar, a restart and a clearing of all criteria while a pass runs, presses around the
// end of a pass, and the warning box.
#include <cstdio>
#include <string>
#include <vector>

#include "model/placement.h"
#include "shell/command_ids.h"
#include "shell/layout.h"
#include "tests/gui/harness.h"

namespace {

// Whether piece 1 covers cell in variant v of a record of writeTable with placement code.
bool covers(int code, int v, Cell cell)
{
    const PlacementWord word = PlacementWord((1 << 12) | code);
    const IntTransform t = effectivePlacementWith(word, v, false, {0, 0, 0});
    bool covered = false;
    for (int k = 0; k < PieceCatalogue[0].cellCount; k++)
        covered = covered || applyTransform(t, PieceCatalogue[0].cells[k]) == cell;
    return covered;
}

// The hits of "piece 1 covers cell" on the table of writeTable, computed here. The records
// repeat every 4096, so each placement code is judged once.
std::vector<std::string> expectedHits(int records, Cell cell, bool rotations)
{
    std::vector<unsigned char> hitVariants(4096);
    for (int code = 0; code < 4096; code++)
        for (int v = 0; v < 4; v++) hitVariants[size_t(code)] |= covers(code, v, cell) ? 1 << v : 0;
    std::vector<std::string> hits;
    for (int n = 1; n <= records; n++)
        for (int v = 0; v < (rotations ? 4 : 1); v++)
            if (hitVariants[size_t(n & 0xFFF)] & (1 << v))
                hits.push_back(std::to_string(n) + (rotations ? std::string(1, char('a' + v)) : ""));
    return hits;
}

std::string statusText(size_t hits, int records) { return std::to_string(hits) + "/" + std::to_string(records); }


// ---- the list, its scrollbar and the pass, as a user sees them ---------------------------

// Ends the program however the scenario ends.
struct RunningProgram {
    Program program;
    ~RunningProgram() { endProgram(program); }
};

// Starts the program on a table of writeTable with the filter switched on, and rotations
// as asked.
bool startOnTable(Program& program, const char* tag, int records, bool rotations)
{
    const std::string folder = makeWorkFolder(tag);
    writeTable(folder, records);
    if (!startProgram(program, folder)) return false;
    PostMessageA(control(program, idFilterSwitch), BM_CLICK, 0, 0);
    if (rotations) PostMessageA(control(program, idRotations), BM_CLICK, 0, 0);
    return settle(program);
}

void setFirstField(Program& program, const char* text)
{
    SendMessageA(control(program, idFirstFilterField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    settle(program);
}

void pressSearch(Program& program)
{
    PostMessageA(control(program, idSearch), BM_CLICK, 0, 0);
    settle(program);
}

std::string searchCaption(Program& program) { return windowText(control(program, idSearch)); }
std::string hitStatus(Program& program) { return windowText(control(program, idHitStatus)); }

bool waitForPassEnd(Program& program, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (searchCaption(program) == "Suche ...")
        if (GetTickCount() - start > DWORD(timeoutMs)) return false;
        else Sleep(5);
    return true;
}

// A pass is over when the caption no longer says so and the status line shows its end.
bool waitForPassShowing(Program& program, const std::string& status, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (searchCaption(program) == "Suche ..." || hitStatus(program) != status)
        if (GetTickCount() - start > DWORD(timeoutMs)) return false;
        else Sleep(5);
    return true;
}

// The first hits have reached the list: the status line shows how many so far.
bool waitForFirstHits(Program& program, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (hitStatus(program).empty())
        if (GetTickCount() - start > DWORD(timeoutMs)) return false;
        else Sleep(1);
    return true;
}

long hitsSoFar(Program& program) { return std::atol(hitStatus(program).c_str()); }

// The program's layout, reckoned from its client size and font as the program does it.
Layout layoutOf(Program& program)
{
    const SIZE size = clientSize(program.window);
    const LONG units = GetDialogBaseUnits();
    HDC dc = GetDC(program.window);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    ReleaseDC(program.window, dc);
    return computeLayout({LOWORD(units), HIWORD(units), int(size.cx), int(size.cy),
                          int(tm.tmHeight + tm.tmExternalLeading)});
}

SCROLLINFO hitScrollInfo(Program& program)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(control(program, idHitScrollbar), SB_CTL, &info);
    return info;
}

// What the hit scrollbar sends its window for a scroll code.
void scrollHits(Program& program, int code)
{
    PostMessageA(program.window, WM_VSCROLL, MAKEWPARAM(code, 0),
                 reinterpret_cast<LPARAM>(control(program, idHitScrollbar)));
    settle(program);
}

// Clicks into a line of the hit list; returns what the solution number field shows then.
std::string clickLine(Program& program, const Layout& l, int line)
{
    clickAt(program, l.paneWidth + 4, l.listTop + line * l.lineHeight + l.lineHeight / 2);
    return editText(control(program, idSolutionNumber));
}

std::string shownNumber(Program& program) { return editText(control(program, idSolutionNumber)); }

// Pure red text pixels in each visible line of the list.
std::vector<int> redPixelsPerLine(Program& program, const Layout& l)
{
    Sleep(80);  // reads right after a repaint can be stale
    const Capture c = captureClient(program.window);
    std::vector<int> counts(size_t(l.visibleLines > 0 ? l.visibleLines : 0));
    for (int line = 0; line < l.visibleLines; line++)
        for (int y = l.listTop + line * l.lineHeight; y < l.listTop + (line + 1) * l.lineHeight; y++)
            for (int x = l.paneWidth + 1; x < l.scrollLeft; x++) counts[size_t(line)] += c.at(x, y) == RGB(255, 0, 0);
    return counts;
}

// A real mouse, for dragging the scrollbar's thumb.
void mouseTo(int x, int y)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = MulDiv(x, 65536, cx) + 65536 / cx / 2;
    in.mi.dy = MulDiv(y, 65536, cy) + 65536 / cy / 2;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    Sleep(30);
}

void mouseButton(bool down)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    Sleep(30);
}

bool waitForCaption(Program& program, const char* caption, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < DWORD(timeoutMs)) {
        if (windowText(control(program, idSearch)) == caption) return true;
        Sleep(20);
    }
    return false;
}

void searchOnce(bool rotations)
{
    Program program;
    const int records = 300;
    const std::string folder = makeWorkFolder("search");
    writeTable(folder, records);
    if (!startProgram(program, folder)) return endProgram(program);
    PostMessageA(control(program, idFilterSwitch), BM_CLICK, 0, 0);
    if (rotations) PostMessageA(control(program, idRotations), BM_CLICK, 0, 0);
    settle(program);
    const Cell cell = {1, 0, 0};
    SendMessageA(control(program, idFirstFilterField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1,0,0"));
    settle(program);
    CHECK_EQ(windowText(control(program, idSearch)), std::string("Suchen!"));
    PostMessageA(control(program, idSearch), BM_CLICK, 0, 0);
    settle(program);
    Sleep(100);
    CHECK(waitForCaption(program, "Suchen", 20000));
    const std::vector<std::string> hits = expectedHits(records, cell, rotations);
    CHECK(!hits.empty());
    CHECK_EQ(windowText(control(program, idHitStatus)), statusText(hits.size(), records));
    // The next-hit button loads the first hit into the solution number field.
    CHECK(IsWindowEnabled(control(program, idNextHit)));
    PostMessageA(control(program, idNextHit), BM_CLICK, 0, 0);
    settle(program);
    if (!hits.empty()) CHECK_EQ(editText(control(program, idSolutionNumber)), hits[0]);
    PostMessageA(control(program, idPreviousHit), BM_CLICK, 0, 0);  // the first hit has no previous one
    settle(program);
    if (!hits.empty()) CHECK_EQ(editText(control(program, idSolutionNumber)), hits[0]);
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);
}

}  // namespace

SCENARIO(search_without_rotations) { searchOnce(false); }
SCENARIO(search_with_rotations) { searchOnce(true); }

SCENARIO(search_without_criterion_warns)
{
    Program program;
    const std::string folder = makeWorkFolder("search_warn");
    writeTable(folder, 10);
    if (!startProgram(program, folder)) return endProgram(program);
    PostMessageA(control(program, idFilterSwitch), BM_CLICK, 0, 0);
    PostMessageA(control(program, idSearch), BM_CLICK, 0, 0);
    HWND box = findMessageBox(program, 5000);
    REQUIRE(box);
    CHECK_EQ(windowText(box), std::string("Kein Grund zur Filtersuche"));
    CHECK_EQ(messageBoxText(box), std::string("Es ist unsinnig eine Filtersuche zu starten, ohne eine "
                                              "Bauteilbeschr\xE4nkung eingegeben zu haben.\n\nSuche nicht gestartet!"));
    answerMessageBox(box, IDOK);
    CHECK_EQ(windowText(control(program, idSearch)), std::string("Suchen"));
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);
}

// Clicks, the step buttons and every scroll code move through the list as Part of the
// list's rules say; the selected hit is drawn in red.
SCENARIO(hit_list_clicks_steps_and_scrolling)
{
    RunningProgram run;
    Program& program = run.program;
    const int records = 3000;
    REQUIRE(startOnTable(program, "hitlist", records, true));
    const std::vector<std::string> hits = expectedHits(records, {1, 0, 0}, true);
    setFirstField(program, "1,0,0");
    pressSearch(program);
    CHECK(waitForPassShowing(program, statusText(hits.size(), records), 20000));
    CHECK_EQ(hitStatus(program), statusText(hits.size(), records));
    const Layout l = layoutOf(program);
    const int total = int(hits.size()), page = l.visibleLines;
    REQUIRE(page > 3 && total > 3 * page);

    SCROLLINFO info = hitScrollInfo(program);
    CHECK_EQ(info.nMin, 0);
    CHECK_EQ(info.nMax, total - 1);
    CHECK_EQ(int(info.nPage), page);
    CHECK_EQ(info.nPos, 0);

    // A click loads its line's hit and draws it, and only it, in red.
    CHECK_EQ(clickLine(program, l, 2), hits[2]);
    std::vector<int> red = redPixelsPerLine(program, l);
    CHECK(red[2] > 0);
    CHECK_EQ(red[0] + red[1] + red[3], 0);
    // The step buttons go on from the click; "+" on the last visible line scrolls by one.
    PostMessageA(control(program, idNextHit), BM_CLICK, 0, 0);
    settle(program);
    CHECK_EQ(shownNumber(program), hits[3]);
    CHECK_EQ(clickLine(program, l, page - 1), hits[size_t(page - 1)]);
    PostMessageA(control(program, idNextHit), BM_CLICK, 0, 0);
    settle(program);
    CHECK_EQ(shownNumber(program), hits[size_t(page)]);
    CHECK_EQ(hitScrollInfo(program).nPos, 1);
    red = redPixelsPerLine(program, l);
    CHECK(red[size_t(page - 1)] > 0);
    CHECK_EQ(red[size_t(page - 2)], 0);
    PostMessageA(control(program, idPreviousHit), BM_CLICK, 0, 0);
    settle(program);
    CHECK_EQ(shownNumber(program), hits[size_t(page - 1)]);
    CHECK_EQ(hitScrollInfo(program).nPos, 1);
    // Typing another number clears the selection: no red line is left.
    SendMessageA(control(program, idSolutionNumber), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    settle(program);
    red = redPixelsPerLine(program, l);
    int redLeft = 0;
    for (int count : red) redLeft += count;
    CHECK_EQ(redLeft, 0);

    // Each scroll code against the rules, reckoned here; line 0 then shows the hit at top.
    struct Step {
        int code;
        const char* name;
    };
    const Step steps[] = {{SB_LINEDOWN, "line down"}, {SB_PAGEDOWN, "page down"}, {SB_PAGEUP, "page up"},
                          {SB_LINEUP, "line up"},     {SB_LINEUP, "line up"},     {SB_TOP, "top"},
                          {SB_BOTTOM, "bottom"},      {SB_ENDSCROLL, "end"}};
    const auto clampTop = [&](int top) {
        if (top + page > total) top = total - page;
        return top < 0 ? 0 : top;
    };
    int top = 1;
    for (const Step& step : steps) {
        switch (step.code) {
        case SB_LINEDOWN: top = clampTop(top + 1); break;
        case SB_PAGEDOWN: top = clampTop(top + page); break;
        case SB_PAGEUP: top = top - (page + 1) < 0 ? 0 : top - (page + 1); break;
        case SB_LINEUP: top = top > 0 ? top - 1 : 0; break;
        default: break;
        }
        scrollHits(program, step.code);
        CHECK_EQ(std::string(step.name) + " " + std::to_string(hitScrollInfo(program).nPos),
                 std::string(step.name) + " " + std::to_string(top));
        CHECK_EQ(std::string(step.name) + " " + clickLine(program, l, 0),
                 std::string(step.name) + " " + hits[size_t(top)]);
    }
    // Page down to the end stops where the last hit is on the last line.
    for (int i = 0; i < total / page + 2; i++) scrollHits(program, SB_PAGEDOWN);
    CHECK_EQ(hitScrollInfo(program).nPos, total - page);
    scrollHits(program, SB_LINEDOWN);
    CHECK_EQ(hitScrollInfo(program).nPos, total - page);
    CHECK_EQ(clickLine(program, l, page - 1), hits.back());

    // Dragging the thumb with the mouse: the list follows the thumb, and line 0 shows
    // the hit at the thumb's position.
    scrollHits(program, SB_PAGEUP);
    for (int i = 0; i < total / page + 2; i++) scrollHits(program, SB_PAGEUP);
    REQUIRE(hitScrollInfo(program).nPos == 0);
    RECT bar;
    GetWindowRect(control(program, idHitScrollbar), &bar);
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int x = (bar.left + bar.right) / 2, thumbY = bar.top + arrow + 4;
    mouseTo(x, thumbY);
    mouseButton(true);
    for (int dy = 10; dy <= (bar.bottom - bar.top) / 3; dy += 10) mouseTo(x, thumbY + dy);
    mouseButton(false);
    settle(program);
    const int dragged = hitScrollInfo(program).nPos;
    CHECK(dragged > 0);
    CHECK(dragged <= total - page);
    if (dragged >= 0 && dragged < total) CHECK_EQ(clickLine(program, l, 0), hits[size_t(dragged)]);
    CHECK_EQ(closeProgram(program), 0L);
}

// A pass with rotations for piece 1 on 1,0,0 over a new table, and once its first hits are
// listed, "alle Filter löschen" while it runs.
static bool clearAllCriteriaDuringAPass(Program& program, const char* tag, int records)
{
    if (!startOnTable(program, tag, records, true)) return false;
    setFirstField(program, "1,0,0");
    pressSearch(program);
    if (!waitForFirstHits(program, 10000)) return false;
    PostMessageA(program.window, WM_COMMAND, idClearFilters, 0);
    return settle(program);
}

// A second press during a pass clears the list and starts again from record 1: the list
// then holds exactly the new pass's hits, and no pass keeps the table open.
SCENARIO(search_restart_during_a_pass)
{
    RunningProgram run;
    Program& program = run.program;
    const int records = 500000;
    // Without criteria every later record is a hit four times: the pass runs for seconds.
    REQUIRE(clearAllCriteriaDuringAPass(program, "restart", records));
    const DWORD waitStart = GetTickCount();
    while (hitsSoFar(program) < 100000 && searchCaption(program) == "Suche ..." && GetTickCount() - waitStart < 20000)
        Sleep(5);
    setFirstField(program, "1,0,0");
    // A change while the pass runs leaves the caption as it is.
    REQUIRE(searchCaption(program) == "Suche ...");
    pressSearch(program);
    const std::vector<std::string> hits = expectedHits(records, {1, 0, 0}, true);
    CHECK(waitForPassShowing(program, statusText(hits.size(), records), 60000));
    CHECK_EQ(hitStatus(program), statusText(hits.size(), records));
    CHECK_EQ(searchCaption(program), std::string("Suchen"));
    CHECK_EQ(hitScrollInfo(program).nMax, int(hits.size()) - 1);
    // Neither pass keeps the table open (nothing was loaded yet, so no one else holds it).
    CHECK(!heldOpenElsewhere(program.workFolder + "\\kubo_puzzle_erg.bin"));
    const Layout l = layoutOf(program);
    for (int line = 0; line < 3; line++) CHECK_EQ(clickLine(program, l, line), hits[size_t(line)]);
    CHECK_EQ(closeProgram(program), 0L);
}

// Clearing all criteria while a pass runs makes every later record a hit in all four
// variants: the hits are those of the criterion up to some record, then four a record.
SCENARIO(clearing_all_criteria_during_a_pass)
{
    RunningProgram run;
    Program& program = run.program;
    const int records = 500000;
    REQUIRE(clearAllCriteriaDuringAPass(program, "clearing", records));
    REQUIRE(waitForPassEnd(program, 120000));
    // The clear changed the criteria after the pass began.
    CHECK_EQ(searchCaption(program), std::string("Suchen!"));
    const std::string status = hitStatus(program);
    const long total = std::atol(status.c_str());
    CHECK_EQ(status.substr(status.find('/') + 1), std::to_string(records));

    // hitsBefore[n]: the criterion's hits in records 1..n. The clear can come between two
    // variants of record k: its first j variants (j < 4) were still tested against the
    // criterion, so up to three hits fewer than four for record k.
    const std::vector<std::string> hits = expectedHits(records, {1, 0, 0}, true);
    std::vector<long> hitsBefore(size_t(records) + 1);
    for (const std::string& hit : hits) hitsBefore[size_t(std::atol(hit.c_str()))]++;
    for (int n = 1; n <= records; n++) hitsBefore[size_t(n)] += hitsBefore[size_t(n - 1)];
    int firstOfAll = 0;  // the first record tested without criteria
    for (int k = 2; k <= records && !firstOfAll; k++)
        if (const long missing = hitsBefore[size_t(k - 1)] + 4L * (records - k + 1) - total; missing >= 0 && missing <= 3)
            firstOfAll = k;
    std::printf("         %ld hits: every record a hit from record %d on\n", total, firstOfAll);
    CHECK(firstOfAll > 1);
    CHECK_EQ(hitScrollInfo(program).nMax, int(total) - 1);
    // "-" with nothing selected goes to the last hit: the last record in variant d, then c.
    PostMessageA(control(program, idPreviousHit), BM_CLICK, 0, 0);
    settle(program);
    CHECK_EQ(shownNumber(program), std::to_string(records) + "d");
    PostMessageA(control(program, idPreviousHit), BM_CLICK, 0, 0);
    settle(program);
    CHECK_EQ(shownNumber(program), std::to_string(records) + "c");
    CHECK_EQ(closeProgram(program), 0L);
}

// Presses that come as a pass ends, at every moment of its last milliseconds: each press
// is answered by a whole new pass; none is parked with the thread until the next press.
SCENARIO(search_presses_around_the_end_of_a_pass)
{
    RunningProgram run;
    Program& program = run.program;
    const int records = 20000;
    REQUIRE(startOnTable(program, "presses", records, false));
    const Cell first = {1, 0, 0};
    const size_t firstCount = expectedHits(records, first, false).size();
    // A second cell with another number of hits tells the two passes apart.
    Cell second = first;
    size_t secondCount = 0;
    for (int x = 0; x < 5 && !secondCount; x++)
        for (int y = 0; y < 4 && !secondCount; y++)
            for (int z = 0; z < 3 && !secondCount; z++) {
                const size_t count = expectedHits(records, {x, y, z}, false).size();
                if (count > 0 && count != firstCount) second = {x, y, z}, secondCount = count;
            }
    REQUIRE(secondCount > 0);
    char firstText[16], secondText[16];
    std::snprintf(firstText, sizeof firstText, "%d,%d,%d", first.x, first.y, first.z);
    std::snprintf(secondText, sizeof secondText, "%d,%d,%d", second.x, second.y, second.z);

    setFirstField(program, firstText);
    const DWORD passStart = GetTickCount();
    pressSearch(program);
    REQUIRE(waitForPassShowing(program, statusText(firstCount, records), 20000));
    const int passMs = int(GetTickCount() - passStart);
    Sleep(500);  // the thread goes idle and is parked

    const int presses = 40;
    const std::string firstStatus = statusText(firstCount, records);
    const std::string wanted = statusText(secondCount, records);
    int answered = 0;
    for (int i = 0; i < presses; i++) {
        setFirstField(program, firstText);
        PostMessageA(control(program, idSearch), BM_CLICK, 0, 0);
        // The first pass is seen running, or already ended on its own cell.
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 10000) {
            const std::string caption = searchCaption(program);
            if (caption == "Suche ..." || (caption == "Suchen" && hitStatus(program) == firstStatus)) break;
            Sleep(1);
        }
        // Typed while the first pass runs or after it ended, the second cell leaves every
        // pass up to now ending with "Suchen!" or on the first cell's count; only a pass
        // begun for the second press ends with "Suchen" on the second cell's count.
        setFirstField(program, secondText);
        const int delayMs = i * (2 * passMs + 20) / presses;
        Sleep(DWORD(delayMs));
        PostMessageA(control(program, idSearch), BM_CLICK, 0, 0);
        bool seen = false;
        start = GetTickCount();
        while (!seen && GetTickCount() - start < 10000) {
            seen = searchCaption(program) == "Suchen" && hitStatus(program) == wanted;
            if (!seen) Sleep(5);
        }
        if (seen)
            answered++;
        else
            std::printf("         press %d after %d ms: caption \"%s\", status %s\n", i, delayMs,
                        searchCaption(program).c_str(), hitStatus(program).c_str());
    }
    std::printf("         %d of %d presses answered by a pass (one pass takes %d ms)\n", answered, presses, passMs);
    CHECK_EQ(answered, presses);
    CHECK_EQ(closeProgram(program), 0L);
}
