// search_bench.cpp: times the filter search of the real program on a real table, driven from
// outside as the GUI scenarios drive it. Two figures, each the median of several passes:
// the time of one selective pass with rotations ("piece 1 covers 0,0,0"), and the hits per
// second of a pass in which every record is a hit in all four variants (the criterion is
// cleared right after the start). A pass is timed from the press of the search button to
// the moment the button no longer reads "Suche ..." with the status line of the pass set,
// polled every millisecond. Fails only on a wrong result: a hit count that differs from the
// count computed here, or a status line that does not name every record.
//   kubo_search_bench.exe <run folder> <table file> [passes]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/placement.h"
#include "model/solution_table.h"
#include "shell/command_ids.h"
#include "tests/gui/harness.h"

static std::vector<std::string> failures;

void recordFailure(const std::string& what, const char* file, int line)
{
    char where[64];
    std::snprintf(where, sizeof where, ":%d: ", line);
    failures.push_back(file + std::string(where) + what);
}

namespace {

constexpr int idFirstField = idFirstFilterField;

double seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

std::vector<SolutionRecord> readTable(const char* path)
{
    std::vector<SolutionRecord> records;
    FILE* file = std::fopen(path, "rb");
    if (!file) return records;
    unsigned char bytes[recordSize];
    while (std::fread(bytes, 1, recordSize, file) == size_t(recordSize)) records.push_back(decodeRecord(bytes));
    std::fclose(file);
    return records;
}

// The hits of "piece `piece` covers cell" in all four variants, counted plainly.
long countHits(const std::vector<SolutionRecord>& records, int piece, Cell cell)
{
    long hits = 0;
    for (const SolutionRecord& record : records)
        for (int v = 0; v < 4; v++) {
            bool matches = true;
            for (PlacementWord word : record.words) {
                if (placementPieceIndex(word) != piece) continue;
                const IntTransform t = effectivePlacementWith(word, v, false, FlipOptions{0, 0, 0});
                bool covered = false;
                for (int k = 0; k < PieceCatalogue[piece].cellCount; k++)
                    covered = covered || applyTransform(t, PieceCatalogue[piece].cells[k]) == cell;
                matches = matches && covered;
            }
            if (matches) hits++;
        }
    return hits;
}

struct Pass {
    double seconds;
    long hits, records;
};

// Presses the search button (and then, when given, posts one more command) and waits for
// the end of the pass. hits and records come from the status line "hits/records".
Pass timePass(Program& program, int followingCommand)
{
    HWND button = control(program, idSearch), status = control(program, idHitStatus);
    SendMessageA(status, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    const double start = seconds();
    PostMessageA(button, BM_CLICK, 0, 0);
    if (followingCommand) PostMessageA(program.window, WM_COMMAND, WPARAM(followingCommand), 0);
    Pass pass = {-1, -1, -1};
    while (seconds() - start < 600) {
        const std::string text = windowText(status);
        if (!text.empty() && windowText(button) != "Suche ...") {
            pass.seconds = seconds() - start;
            std::sscanf(text.c_str(), "%ld/%ld", &pass.hits, &pass.records);
            return pass;
        }
        Sleep(1);
    }
    return pass;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: kubo_search_bench <run folder> <table file> [passes]\n");
        return 2;
    }
    runFolder = argv[1];
    const int passes = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    const std::vector<SolutionRecord> records = readTable(argv[2]);
    const long recordCount = long(records.size());
    if (recordCount == 0) {
        std::printf("search bench: no records in %s\n", argv[2]);
        return 1;
    }
    const Cell cell = {0, 0, 0};
    const long expected = countHits(records, 0, cell);
    std::printf("table: %ld records; piece 1 covers 0,0,0 with rotations: %ld hits expected\n", recordCount,
                expected);

    const std::string folder = makeWorkFolder("bench");
    bool wrong = !copyFile(argv[2], folder + "\\" + solutionTableName);
    Program program;
    if (!wrong && startProgram(program, folder)) {
        PostMessageA(control(program, idFilterSwitch), BM_CLICK, 0, 0);
        PostMessageA(control(program, idRotations), BM_CLICK, 0, 0);
        settle(program);
        HWND field = control(program, idFirstField);
        std::vector<double> selective, rates;
        for (int i = 0; i < passes; i++) {
            SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0,0,0"));
            settle(program);
            const Pass pass = timePass(program, 0);
            if (pass.hits != expected || pass.records != recordCount) {
                std::printf("selective pass %d: WRONG: %ld hits of %ld records\n", i + 1, pass.hits, pass.records);
                wrong = true;
                break;
            }
            selective.push_back(pass.seconds);
        }
        // No piece reaches from one corner to the other: a pass without hits shows the
        // cost of reading and testing alone.
        std::vector<double> empty;
        HWND second = control(program, idFirstField + 1);
        for (int i = 0; i < passes && !wrong; i++) {
            SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0,0,0"));
            SendMessageA(second, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("4,3,2"));
            settle(program);
            const Pass pass = timePass(program, 0);
            if (pass.hits != 0 || pass.records != recordCount) {
                std::printf("pass without hits %d: WRONG: %ld hits of %ld records\n", i + 1, pass.hits, pass.records);
                wrong = true;
                break;
            }
            empty.push_back(pass.seconds);
        }
        SendMessageA(second, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        for (int i = 0; i < passes && !wrong; i++) {
            SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0,0,0"));
            settle(program);
            // The clear is handled right after the start: all but the first few records
            // are hits in every variant.
            const Pass pass = timePass(program, idClearFilters);
            if (pass.records != recordCount || pass.hits > 4 * recordCount || pass.hits < 4 * (recordCount - 20000)) {
                std::printf("all-matching pass %d: WRONG: %ld hits of %ld records\n", i + 1, pass.hits, pass.records);
                wrong = true;
                break;
            }
            rates.push_back(double(pass.hits) / pass.seconds);
            if (i == 0) std::printf("all-matching pass: %ld hits\n", pass.hits);
        }
        if (!wrong) {
            std::printf("selective pass with rotations (%d passes): median %.3f s (target < 0.5 s)\n", passes,
                        median(selective));
            std::printf("pass without hits, rotations (%d passes): median %.3f s\n", passes, median(empty));
            std::printf("all-matching pass with rotations (%d passes): median %.0f hits/s (target >= 200000)\n",
                        passes, median(rates));
        }
        closeProgram(program);
    }
    endProgram(program);
    for (const std::string& f : failures) std::printf("%s\n", f.c_str());
    return wrong || !failures.empty() ? 1 : 0;
}
