// launch_win.cpp: starting the solver and the viewer command on the real system. The order
// of questions and checks lives in solver_launch, the placement file and the command line
// in placement_file and viewer_launch; here are the message boxes, the processes, the
// table test and the placement folder.
#include <direct.h>
#include <io.h>

#include <string>

#include "launch/launch_win.h"
#include "launch/solver_launch.h"
#include "launch/viewer_launch.h"
#include "search/search_control.h"

namespace {

// The last solver started; its thread handle is closed at once, its process handle when
// the solver is found to have ended. Set by a successful start alone, main thread only.
HANDLE solverProcess = nullptr;

// What one start needs of its caller.
struct LaunchContext {
    HWND owner;
    CurrentSolution* solution;
};

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
static_assert(sizeof noticeBoxes / sizeof noticeBoxes[0] == size_t(SolverNotice::startFailed) + 1,
              "one box for each SolverNotice, in its order");

// The platform of a solver start; named apart from the sequence's own members.
bool systemTableReadable(void*) { return _access(solutionTableName, 4) == 0; }

bool systemSearchBusy(void*) { return filterSearchBlocks(searchIdleAnnounced, searchFileOpen); }

bool systemSolverEnded(void*)
{
    DWORD code = 0;
    const bool known = GetExitCodeProcess(solverProcess, &code) != 0;
    return solverHasEnded(known, code);
}

void systemReleaseSolver(void*)
{
    if (solverProcess) CloseHandle(solverProcess);
    solverProcess = nullptr;
}

SolverAnswer systemShow(void* context, SolverNotice notice)
{
    const NoticeBox& box = noticeBoxes[int(notice)];
    switch (MessageBoxA(static_cast<LaunchContext*>(context)->owner, box.text, box.caption, box.flags)) {
    case IDOK: return SolverAnswer::ok;
    case IDRETRY: return SolverAnswer::retry;
    default: return SolverAnswer::cancel;
    }
}

void systemCloseTable(void* context) { closeSolutionTable(*static_cast<LaunchContext*>(context)->solution); }

// A new console of its own, the viewer's environment and folder, nothing inherited. A
// command line that does not fit the buffer is not started rather than cut.
bool startProcess(const std::string& commandLine, PROCESS_INFORMATION& process)
{
    char line[2 * MAX_PATH];
    if (commandLine.size() >= sizeof line) return false;
    lstrcpynA(line, commandLine.c_str(), sizeof line);
    // All zero but its size, which is the platform's own (68 bytes on 32-bit Windows).
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, line, nullptr, nullptr, FALSE,
                          CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                          &process) != 0;
}

bool systemCreateSolver(void* context)
{
    // A failed call must not spoil the handles of a solver that was started before.
    PROCESS_INFORMATION started = {};
    if (!startProcess(solverCommandLine, started)) return false;
    // The sequence has released an ended solver before; a handle still held here would
    // only leak under the new one.
    systemReleaseSolver(context);
    CloseHandle(started.hThread);
    solverProcess = started.hProcess;
    return true;
}

}  // namespace

void startSolver(int unconditional, HWND owner, CurrentSolution& solution, int& solverRunning)
{
    LaunchContext context = {owner, &solution};
    const SolverLaunchPlatform platform = {&context,         systemTableReadable, systemSearchBusy,
                                           systemSolverEnded, systemShow,         systemCloseTable,
                                           systemCreateSolver, systemReleaseSolver};
    startSolverWith(unconditional, solverRunning, platform);
}

void exportPlacement(const CurrentSolution& solution, FlipOptions flips, HWND viewerCommandField)
{
    const PlacementExport placement = preparePlacementExport(solution, flips);
    if (!placement.wanted) return;
    // Normally the folder exists already; if it cannot be made, writing the file says so.
    _mkdir(placementFolder);
    if (!writePlacementFile(placement.path, placement.text)) {
        MessageBoxA(nullptr, exportFailureText(placement.path).c_str(), "Datenübergabe fehlgeschlagen",
                    MB_ICONEXCLAMATION | MB_OK);
        return;
    }

    // One character more than a command may have, so that a longer one shows as such.
    char field[viewerCommandReadLimit + 2] = "";
    GetWindowTextA(viewerCommandField, field, sizeof field);
    std::string commandLine;
    if (!viewerCommandLine(field, placement.path, commandLine)) return;
    // Nothing waits for the viewer or reports its start; its handles are not needed.
    PROCESS_INFORMATION viewer = {};
    if (startProcess(commandLine, viewer)) {
        CloseHandle(viewer.hThread);
        CloseHandle(viewer.hProcess);
    }
}
