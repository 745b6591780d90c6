// driver.cpp: runs the GUI scenarios against the real program under Wine (or Windows); the
// main of the GUI test driver and of the benchmarks written as scenarios.
//   kubo_gui_driver.exe <run folder> [scenario ...]
// Prints each scenario's result with what differed, and a closing count.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/gui/harness.h"

struct Scenario {
    const char* name;
    ScenarioFunction run;
};

static std::vector<Scenario>& scenarios()
{
    static std::vector<Scenario> all;
    return all;
}

static std::vector<std::string> failures;

ScenarioRegistration::ScenarioRegistration(const char* name, ScenarioFunction run)
{
    scenarios().push_back({name, run});
}

void recordFailure(const std::string& what, const char* file, int line)
{
    const char* base = std::strrchr(file, '/');
    char where[300];
    std::snprintf(where, sizeof where, "%s:%d: ", base ? base + 1 : file, line);
    failures.push_back(where + what);
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <run folder> [scenario ...]\n", argv[0]);
        return 2;
    }
    runFolder = argv[1];
    int passed = 0, failed = 0;
    for (const Scenario& scenario : scenarios()) {
        bool wanted = argc == 2;
        for (int i = 2; i < argc; i++) wanted = wanted || std::strcmp(argv[i], scenario.name) == 0;
        if (!wanted) continue;
        failures.clear();
        const DWORD start = GetTickCount();
        scenario.run();
        const DWORD ms = GetTickCount() - start;
        if (failures.empty()) {
            passed++;
            std::printf("[  OK  ] %s (%lu ms)\n", scenario.name, ms);
        } else {
            failed++;
            std::printf("[ FAIL ] %s (%lu ms)\n", scenario.name, ms);
            for (const std::string& f : failures) std::printf("         %s\n", f.c_str());
        }
        std::fflush(stdout);
    }
    std::printf("GUI: %d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
