// The filter search driven from outside: a search on a generated table whose hits the
// scenario computes itself, the status line and the step button, and the warning box.
#include <string>
#include <vector>

#include "model/placement.h"
#include "tests/gui/harness.h"

namespace {

// The hits of "piece 1 covers cell" on the table of writeTable, computed here.
std::vector<std::string> expectedHits(int records, Cell cell, bool rotations)
{
    std::vector<std::string> hits;
    for (int n = 1; n <= records; n++)
        for (int v = 0; v < (rotations ? 4 : 1); v++) {
            const PlacementWord word = PlacementWord((1 << 12) | (n & 0xFFF));
            const IntTransform t = effectivePlacementWith(word, v, false, {0, 0, 0});
            bool covered = false;
            for (int k = 0; k < PieceCatalogue[0].cellCount; k++)
                covered = covered || applyTransform(t, PieceCatalogue[0].cells[k]) == cell;
            if (covered) hits.push_back(std::to_string(n) + (rotations ? std::string(1, char('a' + v)) : ""));
        }
    return hits;
}

bool waitForCaption(Program& program, const char* caption, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < DWORD(timeoutMs)) {
        if (windowText(control(program, 308)) == caption) return true;
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
    PostMessageA(control(program, 300), BM_CLICK, 0, 0);
    if (rotations) PostMessageA(control(program, 307), BM_CLICK, 0, 0);
    settle(program);
    const Cell cell = {1, 0, 0};
    SendMessageA(control(program, 316), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1,0,0"));
    settle(program);
    CHECK_EQ(windowText(control(program, 308)), std::string("Suchen!"));
    PostMessageA(control(program, 308), BM_CLICK, 0, 0);
    settle(program);
    Sleep(100);
    CHECK(waitForCaption(program, "Suchen", 20000));
    const std::vector<std::string> hits = expectedHits(records, cell, rotations);
    CHECK(!hits.empty());
    CHECK_EQ(windowText(control(program, 313)), std::to_string(hits.size()) + "/" + std::to_string(records));
    // The next-hit button loads the first hit into the solution number field.
    CHECK(IsWindowEnabled(control(program, 315)));
    PostMessageA(control(program, 315), BM_CLICK, 0, 0);
    settle(program);
    if (!hits.empty()) CHECK_EQ(editText(control(program, 304)), hits[0]);
    PostMessageA(control(program, 314), BM_CLICK, 0, 0);  // the first hit has no previous one
    settle(program);
    if (!hits.empty()) CHECK_EQ(editText(control(program, 304)), hits[0]);
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
    PostMessageA(control(program, 300), BM_CLICK, 0, 0);
    PostMessageA(control(program, 308), BM_CLICK, 0, 0);
    HWND box = findMessageBox(program, 5000);
    REQUIRE(box);
    CHECK_EQ(windowText(box), std::string("Kein Grund zur Filtersuche"));
    CHECK_EQ(messageBoxText(box), std::string("Es ist unsinnig eine Filtersuche zu starten, ohne eine "
                                              "Bauteilbeschr\xE4nkung eingegeben zu haben.\n\nSuche nicht gestartet!"));
    answerMessageBox(box, IDOK);
    CHECK_EQ(windowText(control(program, 308)), std::string("Suchen"));
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);
}
