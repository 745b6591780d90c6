// launch_win.cpp: starting the solver and the viewer command on the real system. The order
// of questions and checks lives in solver_launch, the file name, text and command line in
// viewer_launch; here are the message boxes, the processes and the files.
#include <direct.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "launch/launch_state.h"
#include "launch/solver_launch.h"
#include "launch/viewer_launch.h"
#include "model/solution_table.h"
#include "search/search_control.h"
#include "shell/window_state.h"

PROCESS_INFORMATION solverProcess = {};
int solverRunning = 0;

namespace {

struct NoticeBox {
    const char* text;
    const char* caption;
    UINT flags;
};

constexpr NoticeBox noticeBoxes[] = {
    // askReplaceTable
    {"Sie wollen die Lösungstabelle neu berechnen lassen, obwohl die Datei \"kubo_puzzle_erg.bin\" "
     "bereits vorhanden ist?\nDa diese Berechnung einige Stunden dauern kann (gemessen auf meinem "
     "Testrechner), überlegen Sie es sich gut, ob sie dies jetzt tun wollen, denn Sie sollten den "
     "Berechnungslauf nicht vorzeitig abbrechen.\n\nWollen Sie nun die Lösungstabelle neu berechnen?",
     "kubo-Puzzle-Lösungstabelle berechnen", MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2},
    // filterSearchRunning
    {"Um die Lösungsssuche starten zu können, muß die Filtersuche erst abgeschlossen sein!",
     "Lösungssuche starten ...", MB_RETRYCANCEL | MB_ICONWARNING},
    // solverStillRunning
    {"Es wurde bereits eine Lösungssuche gestartet und diese ist nochnicht beendet.\n",
     "Lösungssuche starten ...", MB_RETRYCANCEL | MB_ICONWARNING | MB_DEFBUTTON2},
    // started
    {"Die Berechnung der Lösungstabelle wurde gestartet. Dies kann einige Zeit dauern, bitte haben "
     "Sie deshalb jetzt etwas Geduld:\nAuf meinem Testrechner benötigte dieser Rechenlauf\n\n ca. "
     "3½ Stunden Rechenzeit.\n\n[in Worten: sieben mal dreißig Minuten]",
     "Berechnung gestartet", MB_SYSTEMMODAL | MB_ICONINFORMATION},
    // startFailed
    {"Das Berechnungsprogramm \"kubo_puzzle_erg\" konnte nicht gestartet werden!",
     "Fehler beim Starten der Lösungssuche", MB_SYSTEMMODAL | MB_ICONWARNING},
};

bool tableReadable(void*) { return _access(solutionTableName, 4) == 0; }

bool filterSearchBusy(void*) { return filterSearchBlocks(searchIdleAnnounced, searchFileOpen); }

bool lastSolverHasEnded(void*)
{
    DWORD code = 0;
    const bool known = GetExitCodeProcess(solverProcess.hProcess, &code) != 0;
    return solverHasEnded(known, code);
}

SolverAnswer show(void*, SolverNotice notice)
{
    const NoticeBox& box = noticeBoxes[int(notice)];
    switch (MessageBoxA(mainWindow, box.text, box.caption, box.flags)) {
    case IDOK: return SolverAnswer::ok;
    case IDRETRY: return SolverAnswer::retry;
    default: return SolverAnswer::cancel;
    }
}

void closeTable(void*) { closeSolutionTable(currentSolution); }

// A new console of its own, the viewer's environment and folder, nothing inherited.
bool startProcess(const std::string& commandLine, PROCESS_INFORMATION& process)
{
    char line[2 * MAX_PATH];
    lstrcpynA(line, commandLine.c_str(), sizeof line);
    // All zero but its size, which is the platform's own (68 bytes on 32-bit Windows).
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, line, nullptr, nullptr, FALSE,
                          CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                          &process) != 0;
}

bool createSolver(void*)
{
    // A failed call must not spoil the handles of a solver that was started before.
    PROCESS_INFORMATION started = {};
    if (!startProcess(solverCommandLine, started)) return false;
    solverProcess = started;
    return true;
}

}  // namespace

void startSolver(int unconditional)
{
    const SolverLaunchPlatform platform = {nullptr,  tableReadable, filterSearchBusy, lastSolverHasEnded,
                                           show,     closeTable,    createSolver};
    startSolverWith(unconditional, solverRunning, platform);
}

void exportPlacement()
{
    const PlacementExport placement = preparePlacementExport(currentSolution, currentFlipOptions());
    if (!placement.wanted) return;
    // Normally the folder exists already; if it cannot be made, opening the file says so.
    _mkdir(placementFolder);
    std::FILE* file = std::fopen(placement.path.c_str(), "w");
    if (!file) {
        MessageBoxA(nullptr, exportFailureText(placement.path).c_str(), "Datenübergabe fehlgeschlagen",
                    MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    std::fputs(placement.text.c_str(), file);
    std::fclose(file);

    char field[viewerCommandReadLimit + 1] = "";
    GetWindowTextA(controlWindows[slotViewerCommand], field, sizeof field);
    field[viewerCommandReadLimit] = 0;
    // Nothing waits for the viewer or reports its start; its handles are not needed.
    PROCESS_INFORMATION viewer = {};
    if (startProcess(viewerCommandLine(field, placement.path), viewer)) {
        CloseHandle(viewer.hThread);
        CloseHandle(viewer.hProcess);
    }
}
