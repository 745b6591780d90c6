// The 3-D viewer rtd.exe driven from outside: in its flat-colour mode every pixel is the
// background or exactly one piece's colour, so pixel counts per colour make exact checks
// of hiding, exploding, dragging and resetting; menus are read through the probe.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "assembly/assembly.h"
#include "assembly/move_plan.h"
#include "launch/placement_file.h"
#include "tests/gui/harness.h"
#include "tests/support/real_solutions.h"

namespace {

constexpr char rtdClass[] = "rtd";
const COLORREF background = RGB(40, 44, 52);
const COLORREF messagePanel = RGB(90, 20, 20);

using Counts = std::map<COLORREF, long>;

// A work folder with the shipped meshes and a converted scene s.slp of all twelve pieces,
// laid out apart from each other so that each one shows.
std::string sceneFolder(const char* tag)
{
    const std::string folder = makeWorkFolder(tag);
    copyProgramData(runFolder, folder);
    FILE* pos = std::fopen((folder + "\\s.pos").c_str(), "w");
    if (!pos) return folder;
    for (int n = 1; n <= 12; n++)
        std::fprintf(pos, "%2d 1 0 0 0 1 0 0 0 1 %d %d %d\n", n, 3 * ((n - 1) % 3), 4 * (((n - 1) / 3) % 2),
                     4 * ((n - 1) / 6));
    std::fclose(pos);
    runConsole("\"" + runFolder + "\\facetgen.exe\" -L- s.pos", folder);
    return folder;
}

// A real solution packed in the box (record of realSolutions), converted; cells gets each
// piece's cells, worked out here from the catalogue.
std::string packedFolder(const char* tag, size_t record, std::vector<std::vector<GridCell>>& cells)
{
    const std::string folder = makeWorkFolder(tag);
    copyFile(runFolder + "\\facetgen.map", folder + "\\facetgen.map");
    for (int n = 1; n <= 12; n++) {
        char name[32];
        std::snprintf(name, sizeof name, "\\baustein_%02d.slp", n);
        copyFile(runFolder + name, folder + name);
    }
    std::string text;
    cells.clear();
    for (PlacementWord word : realSolutions()[record].words) {
        const int piece = placementPieceIndex(word);
        const IntTransform t = effectivePlacementWith(word, -1, false, {0, 0, 0});
        text += placementLine(piece + 1, t);
        const PieceCells placed = placePiece(PieceCatalogue[piece], t);
        cells.emplace_back();
        for (int i = 0; i < placed.cellCount; i++) cells.back().push_back({placed.cells[i].x, placed.cells[i].y, placed.cells[i].z});
    }
    FILE* pos = std::fopen((folder + "\\s.pos").c_str(), "w");
    if (!pos) return folder;
    std::fputs(text.c_str(), pos);
    std::fclose(pos);
    runConsole("\"" + runFolder + "\\facetgen.exe\" -L- s.pos", folder);
    return folder;
}

// The colours the flat mode draws: each mesh's colour line, rounded to bytes.
std::vector<COLORREF> pieceColours()
{
    std::vector<COLORREF> colours;
    for (int n = 1; n <= 12; n++) {
        char name[32];
        std::snprintf(name, sizeof name, "\\baustein_%02d.slp", n);
        const std::string text = readFile(runFolder + name);
        double r = 0, g = 0, b = 0;
        const size_t at = text.find("color ");
        if (at != std::string::npos) std::sscanf(text.c_str() + at + 6, "%lf %lf %lf", &r, &g, &b);
        const auto byte = [](double c) { return int(c * 255 + 0.5); };
        colours.push_back(RGB(byte(r), byte(g), byte(b)));
    }
    return colours;
}

bool startRtd(Program& program, const std::string& folder, const std::string& arguments)
{
    return startProgramWith(program, "\"" + runFolder + "\\rtd.exe\" " + arguments, folder, rtdClass);
}

std::vector<uint32_t> pixelsOnce(HWND window)
{
    const SIZE size = clientSize(window);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size.cx;
    bi.bmiHeader.biHeight = -size.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, origin.x, origin.y, SRCCOPY);
    std::vector<uint32_t> pixels;
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    if (p) pixels.assign(p, p + long(size.cx) * size.cy);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

Counts captureOnce(HWND window)
{
    Counts counts;
    for (uint32_t v : pixelsOnce(window)) counts[RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF)]++;
    return counts;
}

// The exact picture, for changes that keep every colour's count (panning).
std::vector<uint32_t> grab(Program& program)
{
    settle(program);
    Sleep(80);
    std::vector<uint32_t> previous = pixelsOnce(program.window);
    for (int attempt = 0; attempt < 20; attempt++) {
        Sleep(40);
        std::vector<uint32_t> now = pixelsOnce(program.window);
        if (now == previous) return now;
        previous = now;
    }
    return previous;
}

// The picture once the program has handled its input and two reads agree.
Counts capture(Program& program)
{
    settle(program);
    Sleep(80);
    Counts previous = captureOnce(program.window);
    for (int attempt = 0; attempt < 20; attempt++) {
        Sleep(40);
        Counts now = captureOnce(program.window);
        if (now == previous) return now;
        previous = now;
    }
    return previous;
}

long countOf(const Counts& c, COLORREF colour)
{
    const auto it = c.find(colour);
    return it == c.end() ? 0 : it->second;
}


void key(Program& program, int vk)
{
    PostMessageA(program.window, WM_KEYDOWN, WPARAM(vk), 1);
    PostMessageA(program.window, WM_KEYUP, WPARAM(vk), 1 | (1u << 30) | (1u << 31));
}

void drag(Program& program, bool right, int x0, int y0, int x1, int y1)
{
    const UINT down = right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, up = right ? WM_RBUTTONUP : WM_LBUTTONUP;
    const WPARAM held = right ? MK_RBUTTON : MK_LBUTTON;
    PostMessageA(program.window, down, held, MAKELPARAM(x0, y0));
    for (int k = 1; k <= 4; k++)
        PostMessageA(program.window, WM_MOUSEMOVE, held, MAKELPARAM(x0 + (x1 - x0) * k / 4, y0 + (y1 - y0) * k / 4));
    PostMessageA(program.window, up, 0, MAKELPARAM(x1, y1));
}

// How many pixels of two pictures differ (all of them when the sizes differ).
long differingPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    if (a.size() != b.size()) return long(a.size() > b.size() ? a.size() : b.size());
    long n = 0;
    for (size_t i = 0; i < a.size(); i++) n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
    return n;
}

// The columns from the leftmost to the rightmost pixel that is not background.
long drawnWidth(HWND window)
{
    const SIZE size = clientSize(window);
    long left = size.cx, right = -1;
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    for (int x = 0; x < size.cx; x += 2)
        for (int y = 0; y < size.cy; y += 4)
            if (GetPixel(screen, origin.x + x, origin.y + y) != background) {
                if (x < left) left = x;
                if (x > right) right = x;
            }
    ReleaseDC(nullptr, screen);
    return right - left;
}

// How many pixels of the window's picture differ from a BMP file's of its size (all of
// them when the file is not such a BMP).
long pixelsUnlikeBmp(const std::vector<uint32_t>& shown, SIZE size, const std::string& bmp)
{
    const long rowBytes = (size.cx * 3 + 3) & ~3L;
    if (long(bmp.size()) != 54 + rowBytes * size.cy || long(shown.size()) != size.cx * size.cy)
        return long(size.cx) * size.cy;
    long differing = 0;
    for (long y = 0; y < size.cy; y++)
        for (long x = 0; x < size.cx; x++) {
            const unsigned char* p = (const unsigned char*)bmp.data() + 54 + (size.cy - 1 - y) * rowBytes + x * 3;
            differing += (shown[size_t(y * size.cx + x)] & 0xFFFFFF) != (uint32_t(p[2]) << 16 | p[1] << 8 | p[0]);
        }
    return differing;
}

bool onlyKnownColours(const Counts& c, const std::vector<COLORREF>& colours)
{
    for (const auto& entry : c) {
        bool known = entry.first == background;
        for (COLORREF k : colours) known = known || entry.first == k;
        if (!known) return false;
    }
    return true;
}

}  // namespace

SCENARIO(rtd_flat_colours_hide_and_show_pieces)
{
    const std::string folder = sceneFolder("rtd_flat");
    Program program;
    if (!startRtd(program, folder, "-flat -noedges s.slp")) return endProgram(program);
    const std::vector<COLORREF> colours = pieceColours();
    const Counts all = capture(program);
    CHECK(onlyKnownColours(all, colours));
    for (int n = 0; n < 12; n++) CHECK(countOf(all, colours[size_t(n)]) > 0);

    command(program, 1000);  // the first piece's menu entry
    Counts now = capture(program);
    CHECK_EQ(countOf(now, colours[0]), 0L);
    for (int n = 1; n < 12; n++) CHECK(countOf(now, colours[size_t(n)]) > 0);
    const std::string menu = probe(program, "menu " + windowHex(program.window));
    CHECK(menu.find("1 1000 0 baustein_01") != std::string::npos);
    CHECK(menu.find("1 1001 8 baustein_02") != std::string::npos);

    key(program, '5');  // the number key of piece 5
    now = capture(program);
    CHECK_EQ(countOf(now, colours[4]), 0L);

    command(program, 131);  // alle ausblenden
    now = capture(program);
    CHECK_EQ(now.size(), size_t(1));
    CHECK(countOf(now, background) > 0);

    command(program, 130);  // alle einblenden: the same picture as at the start
    CHECK(capture(program) == all);

    // nur dieses: the piece under the mouse.
    PostMessageA(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    command(program, 132);
    CHECK(capture(program) == all);  // nothing under the mouse: nothing changes
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);
}

SCENARIO(rtd_drag_zoom_and_reset)
{
    const std::string folder = sceneFolder("rtd_drag");
    Program program;
    if (!startRtd(program, folder, "-flat -noedges s.slp")) return endProgram(program);
    const std::vector<uint32_t> start = grab(program);
    const Counts startCounts = capture(program);
    drag(program, false, 300, 300, 380, 340);
    CHECK(capture(program) != startCounts);  // turned: other faces show
    key(program, VK_HOME);
    // Home gives exactly the first frame again.
    CHECK_EQ(differingPixels(grab(program), start), 0L);

    drag(program, true, 300, 300, 200, 250);
    CHECK(grab(program) != start);
    CHECK(capture(program) == startCounts);  // moved whole, nothing cut off
    PostMessageA(program.window, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), MAKELPARAM(400, 300));
    const Counts zoomed = capture(program);
    CHECK(countOf(zoomed, background) < countOf(startCounts, background));
    key(program, VK_HOME);
    CHECK_EQ(differingPixels(grab(program), start), 0L);

    key(program, VK_F5);  // from the front: a different picture
    CHECK(grab(program) != start);
    endProgram(program);
}

SCENARIO(rtd_explode_and_build_up)
{
    const std::string folder = sceneFolder("rtd_explode");
    Program program;
    if (!startRtd(program, folder, "-flat -noedges s.slp")) return endProgram(program);
    const std::vector<COLORREF> colours = pieceColours();
    capture(program);
    const long closed = drawnWidth(program.window);
    command(program, 123);
    command(program, 123);
    capture(program);
    CHECK(drawnWidth(program.window) > closed);
    command(program, 125);
    capture(program);
    CHECK_EQ(drawnWidth(program.window), closed);

    key(program, VK_NEXT);  // build-up: one piece
    Counts now = capture(program);
    int shown = 0;
    for (COLORREF c : colours) shown += countOf(now, c) > 0;
    CHECK_EQ(shown, 1);
    CHECK(windowText(program.window).find("Aufbau 1 von 12") != std::string::npos);
    key(program, VK_NEXT);
    now = capture(program);
    shown = 0;
    for (COLORREF c : colours) shown += countOf(now, c) > 0;
    CHECK_EQ(shown, 2);
    key(program, VK_END);
    now = capture(program);
    shown = 0;
    for (COLORREF c : colours) shown += countOf(now, c) > 0;
    CHECK_EQ(shown, 12);
    endProgram(program);
}

SCENARIO(rtd_language_switch_relabels_menus_and_caption)
{
    const std::string folder = sceneFolder("rtd_language");
    Program program;
    if (!startRtd(program, folder, "s.slp")) return endProgram(program);
    CHECK_EQ(windowText(program.window), std::string("rtd - 3D-Ansicht - s.slp"));
    std::string menu = probe(program, "menu " + windowHex(program.window));
    for (const char* label : {" &Objektdarstellung\n", "alle &einblenden", "alle &ausblenden", "&nur dieses",
                              " &Sprache\n", "1 140 8 &Deutsch", "1 141 0 &English", "Bild &speichern",
                              "1 1011 8 baustein_12"})
        CHECK(menu.find(label) != std::string::npos);
    command(program, 141);
    settle(program);
    CHECK_EQ(windowText(program.window), std::string("rtd - 3-D view - s.slp"));
    menu = probe(program, "menu " + windowHex(program.window));
    CHECK(menu.find("Objektdarstellung") == std::string::npos);
    for (const char* label : {" &Objects\n", "&Show all", "&Only this", " &Language\n", "1 140 0 &Deutsch",
                              "1 141 8 &English", "&Save picture"})
        CHECK(menu.find(label) != std::string::npos);
    command(program, 140);
    settle(program);
    CHECK_EQ(windowText(program.window), std::string("rtd - 3D-Ansicht - s.slp"));
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);
}

SCENARIO(rtd_batch_render_writes_a_bmp)
{
    const std::string folder = sceneFolder("rtd_batch");
    const std::string exe = "\"" + runFolder + "\\rtd.exe\"";
    ConsoleRun run = runConsole(exe + " -o p.bmp -w 320 -h 240 -flat -noedges s.slp", folder);
    CHECK_EQ(run.exitCode, 0L);
    const std::string bmp = readFile(folder + "\\p.bmp");
    REQUIRE(bmp.size() == 54 + 320 * 240 * 3);
    CHECK(bmp[0] == 'B' && bmp[1] == 'M');
    CHECK_EQ((unsigned char)bmp[18] | (unsigned char)bmp[19] << 8, 320);
    CHECK_EQ((unsigned char)bmp[22] | (unsigned char)bmp[23] << 8, 240);
    Counts counts;
    for (size_t i = 54; i + 2 < bmp.size(); i += 3)
        counts[RGB((unsigned char)bmp[i + 2], (unsigned char)bmp[i + 1], (unsigned char)bmp[i])]++;
    const std::vector<COLORREF> colours = pieceColours();
    CHECK(onlyKnownColours(counts, colours));
    for (COLORREF c : colours) CHECK(countOf(counts, c) > 0);
    CHECK(countOf(counts, background) > 0);

    // A file with nothing to show: exit code 1 and no picture.
    FILE* f = std::fopen((folder + "\\bad.slp").c_str(), "wb");
    REQUIRE(f);
    std::fputs("solid x\n facet\n  vertex nan 0 0\n endfacet\nendsolid x\n", f);
    std::fclose(f);
    run = runConsole(exe + " -o q.bmp bad.slp", folder);
    CHECK_EQ(run.exitCode, 1L);
    CHECK(!fileExists(folder + "\\q.bmp"));
    run = runConsole(exe + " -o q.bmp missing.slp", folder);
    CHECK_EQ(run.exitCode, 1L);
    Program cleanup;
    cleanup.workFolder = folder;
    endProgram(cleanup);
}

// With -o the call renders a picture or ends with a message and exit code 1; it never
// waits in a window (which would show here as a run that does not end).
SCENARIO(rtd_batch_calls_that_cannot_be_used_end_with_a_message)
{
    const std::string folder = sceneFolder("rtd_batch_bad");
    const std::string exe = "\"" + runFolder + "\\rtd.exe\" ";
    const struct {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"-o \"\" s.slp", "rtd: Die Option '-o' braucht einen Dateinamen."},
        {"-o", "[-w BREITE -h H\xD6HE] DATEI.slp"},  // code page 1252 into a pipe
        {"-o p.bmp -w abc s.slp", "rtd: Die Option '-w' braucht eine ganze Zahl von 1 bis 8192."},
        {"-o p.bmp -h 0 s.slp", "rtd: Die Option '-h' braucht eine ganze Zahl von 1 bis 8192."},
    };
    for (const auto& c : cases) {
        const ConsoleRun run = runConsole(exe + c.arguments, folder, 10000);
        CHECK_EQ(run.exitCode, 1L);
        if (run.err.find(c.message) == std::string::npos)
            recordFailure(std::string(c.arguments) + ": " + run.err, __FILE__, __LINE__);
    }
    CHECK(!fileExists(folder + "\\p.bmp"));
    // Options after the file name are taken as well.
    const ConsoleRun late = runConsole(exe + "s.slp -o late.bmp -w 64 -h 48", folder, 10000);
    CHECK_EQ(late.exitCode, 0L);
    CHECK_EQ(readFile(folder + "\\late.bmp").size(), size_t(54 + 64 * 48 * 3));
    Program cleanup;
    cleanup.workFolder = folder;
    endProgram(cleanup);
}

SCENARIO(rtd_bad_files_are_reported_in_the_window)
{
    struct Case {
        const char* name;
        std::string content;  // "" with write false: the file does not exist
        bool write;
        const char* message;  // the first problem, also in the caption
    };
    const Case cases[] = {
        {"missing.slp", "", false, "Die Datei 'missing.slp' kann nicht gelesen werden."},
        {"empty.slp", "", true, "Die Datei ist leer."},
        {"binary.slp", std::string("\x50\x4B\x03\x04\0\0binary", 12), true, "Die Datei ist keine SLP-Textdatei"},
        {"cut.slp", "solid a\n facet\n  vertex 0 0 0\n  vert", true, "Zeile 4: unbekannte Zeile."},
        {"nan.slp", "solid a\n facet\n  vertex 0 0 nan\n", true, "Zeile 3: ung\xFCltige oder zu gro\xDF" "e Zahl."},
        {"long.slp", "solid a\n" + std::string(150, 'x') + "\n", true, "Zeile 2: l\xE4nger als 99 Zeichen."},
        {"quad.slp", "solid a\n facet\n vertex 0 0 0\n vertex 1 0 0\n endfacet\n", true,
         "Zeile 2: Facette mit 2 statt 3 Ecken."},
    };
    for (const Case& c : cases) {
        const std::string folder = makeWorkFolder("rtd_bad");
        if (c.write) {
            FILE* f = std::fopen((folder + "\\" + c.name).c_str(), "wb");
            REQUIRE(f);
            std::fwrite(c.content.data(), 1, c.content.size(), f);
            std::fclose(f);
        }
        Program program;
        if (!startRtd(program, folder, c.name)) {
            endProgram(program);
            continue;
        }
        const Counts picture = capture(program);
        CHECK(countOf(picture, messagePanel) > 100);
        CHECK(countOf(picture, RGB(255, 255, 255)) > 10);  // the text on it
        const std::string caption = windowText(program.window);
        if (caption.find(c.message) == std::string::npos) recordFailure(std::string(c.name) + ": caption " + caption, __FILE__, __LINE__);
        CHECK(!findMessageBox(program, 100));
        CHECK_EQ(closeProgram(program), 0L);
        endProgram(program);
    }
}

SCENARIO(rtd_facetgen_runs_it_and_deletes_the_file_after_it_closes)
{
    const std::string folder = sceneFolder("rtd_road");
    // The command interpreter finds the viewer in the current folder, as a user's
    // installation folder holds it.
    copyFile(runFolder + "\\rtd.exe", folder + "\\rtd.exe");
    CreateDirectoryA((folder + "\\loesungen").c_str(), nullptr);
    copyFile(folder + "\\s.pos", folder + "\\loesungen\\kubo_puzzle_000017c.pos");
    const std::string slp = folder + "\\loesungen\\kubo_puzzle_000017c.slp";
    std::string line = "\"" + runFolder + "\\facetgen.exe\" -d loesungen\\kubo_puzzle_000017c.pos";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION converter = {};
    REQUIRE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, folder.c_str(),
                           &startup, &converter));
    HWND viewer = nullptr;
    for (int i = 0; i < 300 && !viewer; i++) {
        viewer = FindWindowA(rtdClass, nullptr);
        if (viewer && !IsWindowVisible(viewer)) viewer = nullptr;  // still starting
        if (!viewer) Sleep(50);
    }
    CHECK(viewer != nullptr);
    if (viewer) {
        CHECK(windowText(viewer).find("loesungen\\kubo_puzzle_000017c.slp") != std::string::npos);
        CHECK(fileExists(slp));
        CHECK(WaitForSingleObject(converter.hProcess, 300) == WAIT_TIMEOUT);  // facetgen waits
        PostMessageA(viewer, WM_CLOSE, 0, 0);
    }
    CHECK(WaitForSingleObject(converter.hProcess, 15000) == WAIT_OBJECT_0);
    CHECK(!fileExists(slp));
    TerminateProcess(converter.hProcess, 99);
    CloseHandle(converter.hProcess);
    CloseHandle(converter.hThread);
    Program cleanup;
    cleanup.workFolder = folder;
    endProgram(cleanup);
}

SCENARIO(rtd_many_overlapping_solids_build_up_while_the_window_takes_input)
{
    // Thousands of solids on top of each other, each as large as the view: the window draws
    // them in steps and answers between them, and the finished picture is the one-shot
    // picture of the batch form (the last solid wins each pixel).
    const std::string folder = makeWorkFolder("rtd_overlap");
    std::string text;
    for (int i = 0; i < 3000; i++)
        text += std::string("solid\n color ") + (i < 2999 ? "1 0 0" : "0 0 1") + "\n vertex 0 0 0\n vertex 1 0 0\n vertex 0 1 0\n";
    text += " endfacet\n";  // a facet left open at the end of the file would be noted
    FILE* f = std::fopen((folder + "\\o.slp").c_str(), "wb");
    REQUIRE(f);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    Program program;
    if (!startRtd(program, folder, "-flat -noedges o.slp")) return endProgram(program);
    drag(program, false, 300, 300, 340, 320);
    CHECK(settle(program));
    key(program, VK_HOME);
    const SIZE size = clientSize(program.window);
    char line[200];
    std::snprintf(line, sizeof line, "\"%s\\rtd.exe\" -o o.bmp -w %ld -h %ld -flat -noedges o.slp", runFolder.c_str(),
                  size.cx, size.cy);
    CHECK_EQ(runConsole(line, folder, 120000).exitCode, 0L);
    const std::string bmp = readFile(folder + "\\o.bmp");
    REQUIRE(bmp.size() == 54 + size_t(size.cx) * size.cy * 3);
    std::vector<uint32_t> expected(size_t(size.cx) * size.cy);
    for (long y = 0; y < size.cy; y++)
        for (long x = 0; x < size.cx; x++) {
            const unsigned char* p = (const unsigned char*)bmp.data() + 54 + ((size.cy - 1 - y) * size.cx + x) * 3;
            expected[size_t(y * size.cx + x)] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        }
    long differing = -1;
    for (int attempt = 0; attempt < 600 && differing != 0; attempt++) {
        if (attempt) Sleep(100);
        settle(program);
        differing = differingPixels(pixelsOnce(program.window), expected);
    }
    CHECK_EQ(differing, 0L);
    const Counts last = capture(program);
    CHECK_EQ(last.size(), size_t(2));
    CHECK(countOf(last, RGB(0, 0, 255)) > 1000);
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);
}

SCENARIO(rtd_build_up_slides_in_the_plans_pieces_and_batch_renders_a_step)
{
    std::vector<std::vector<GridCell>> cells;
    const std::string folder = packedFolder("rtd_plan", 1, cells);
    const AssemblyPlan plan = planAssembly({{boxSizeX, boxSizeY, boxSizeZ}, cells, AssemblyMode::free, BoxFace::top});
    REQUIRE(plan.status == AssemblyStatus::ok);
    const int first = plan.steps[0].piece;
    Program program;
    if (!startRtd(program, folder, "-flat -noedges s.slp")) return endProgram(program);
    const std::vector<COLORREF> colours = pieceColours();
    capture(program);
    key(program, VK_NEXT);
    settle(program);
    // On its way in and once in place, the plan's first piece is all there is.
    for (int look = 0; look < 2; look++) {
        Counts now = captureOnce(program.window);
        // The first frame of the slide, read as soon as the screen has it.
        for (int wait = 0; !look && wait < 50 && now.size() > 2; wait++) {
            Sleep(5);
            now = captureOnce(program.window);
        }
        if (look) now = capture(program);
        CHECK(countOf(now, colours[size_t(first)]) > 0);
        CHECK_EQ(long(now.size()), 2L);
        CHECK(countOf(now, background) > 0);
    }
    char line[64];
    std::snprintf(line, sizeof line, "Teil 1 von 12: Baustein %d von ", first + 1);
    CHECK(windowText(program.window).find(line) != std::string::npos);

    // After the slide the window shows what the batch form renders for that step.
    Sleep(500);
    const std::vector<uint32_t> shown = grab(program);
    const SIZE size = clientSize(program.window);
    const std::string exe = "\"" + runFolder + "\\rtd.exe\"";
    ConsoleRun run = runConsole(exe + " -o p.bmp -w " + std::to_string(size.cx) + " -h " + std::to_string(size.cy) +
                                    " -flat -noedges --step 1 s.slp",
                                folder);
    CHECK_EQ(run.exitCode, 0L);
    CHECK(run.out.find(line) != std::string::npos);
    CHECK_EQ(pixelsUnlikeBmp(shown, size, readFile(folder + "\\p.bmp")), 0L);

    // Page Up takes it out again; a step beyond the last is an error and no picture.
    key(program, VK_PRIOR);
    Sleep(500);
    const Counts empty = capture(program);
    CHECK_EQ(long(empty.size()), 1L);
    run = runConsole(exe + " -o q.bmp --step 13 s.slp", folder);
    CHECK_EQ(run.exitCode, 1L);
    CHECK(run.err.find("--step 13") != std::string::npos);
    CHECK(!fileExists(folder + "\\q.bmp"));
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);
}

// Into the box a step may push pieces sideways (solution 5 has such steps): the window in
// box mode after K steps shows what the batch form renders with --box --step K, and both
// name the step. K and its text are worked out here from the packing plan of the cells.
SCENARIO(rtd_box_mode_step_with_a_sideways_slide_matches_the_batch_form)
{
    std::vector<std::vector<GridCell>> cells;
    const std::string folder = packedFolder("rtd_box", 4, cells);
    std::vector<CellMask> masks;
    for (const std::vector<GridCell>& piece : cells) {
        CellMask m = 0;
        for (GridCell c : piece) m |= CellMask(1) << cellIndex({boxSizeX, boxSizeY, boxSizeZ}, c);
        masks.push_back(m);
    }
    const MovePlan plan = planBoxMoves({boxSizeX, boxSizeY, boxSizeZ}, masks.data(), int(masks.size()), BoxFace::top);
    REQUIRE(plan.status == MovePlanStatus::singleExits);
    // The assembly is the disassembly backwards: its last sideways push is the first here.
    const int n = int(plan.disassembly.size());
    int k = -1;
    for (int i = 0; i < n && k < 0; i++) {
        const PackingMove& m = plan.disassembly[size_t(i)];
        if (!m.exits && m.by.y == 0) k = n - i;
    }
    REQUIRE(k > 0);
    const PackingMove& push = plan.disassembly[size_t(n - k)];
    std::string who;
    int count = 0;
    for (int p = 0; p < 12; p++)
        if (push.pieces >> p & 1) who += (count++ ? " und " : "") + std::to_string(p + 1);
    const std::string line = "Schritt " + std::to_string(k) + " von " + std::to_string(n) + ": " +
                             (count == 1 ? "Baustein " + who : "Bausteine " + who + " zusammen") + " " +
                             cellMoveNameGerman({-push.by.x, -push.by.y, -push.by.z}) + " (in die Schachtel)";

    Program program;
    if (!startRtd(program, folder, "-flat -noedges s.slp")) return endProgram(program);
    key(program, 'M');
    for (int i = 0; i < k; i++) key(program, VK_NEXT);
    settle(program);
    Sleep(500);  // the last slide
    const std::vector<uint32_t> shown = grab(program);
    if (windowText(program.window).find(line) == std::string::npos)
        recordFailure("caption " + windowText(program.window) + ", not " + line, __FILE__, __LINE__);

    const SIZE size = clientSize(program.window);
    const std::string exe = "\"" + runFolder + "\\rtd.exe\"";
    const ConsoleRun run = runConsole(exe + " -o p.bmp -w " + std::to_string(size.cx) + " -h " + std::to_string(size.cy) +
                                          " -flat -noedges --box --step " + std::to_string(k) + " s.slp",
                                      folder);
    CHECK_EQ(run.exitCode, 0L);
    if (run.out.find(line) == std::string::npos) recordFailure("printed " + run.out, __FILE__, __LINE__);
    CHECK_EQ(pixelsUnlikeBmp(shown, size, readFile(folder + "\\p.bmp")), 0L);
    CHECK_EQ(closeProgram(program), 0L);
    endProgram(program);
}

// A name ending in .png gives a PNG; a picture name that is the file shown, however it is
// spelt, is refused with a message and the file is left as it was.
SCENARIO(rtd_batch_writes_png_and_never_over_its_input)
{
    const std::string folder = sceneFolder("rtd_png");
    const std::string exe = "\"" + runFolder + "\\rtd.exe\" ";
    ConsoleRun run = runConsole(exe + "-o p.PNG -w 64 -h 48 s.slp", folder, 10000);
    CHECK_EQ(run.exitCode, 0L);
    const std::string png = readFile(folder + "\\p.PNG");
    REQUIRE(png.size() > 33);
    CHECK(png.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0);
    CHECK(png.compare(12, 4, "IHDR") == 0);
    CHECK_EQ((unsigned char)png[18] << 8 | (unsigned char)png[19], 64);
    CHECK_EQ((unsigned char)png[22] << 8 | (unsigned char)png[23], 48);

    const std::string before = readFile(folder + "\\s.slp");
    for (const char* name : {"s.slp", "S.SLP", ".\\s.slp"}) {
        run = runConsole(exe + "-o " + name + " --step 3 s.slp", folder, 10000);
        CHECK_EQ(run.exitCode, 1L);
        if (run.err.find("rtd: Das Bild '" + std::string(name) + "' w\xE4re die gelesene Datei") == std::string::npos)
            recordFailure(std::string(name) + ": " + run.err, __FILE__, __LINE__);
    }
    CHECK(readFile(folder + "\\s.slp") == before);
    Program cleanup;
    cleanup.workFolder = folder;
    endProgram(cleanup);
}
