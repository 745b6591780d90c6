// viewer_state.h: everything the main window knows, in one portable struct, and what an
// operation on it asks of the window. The shell owns the one state; each feature's glue
// is handed the parts it draws or fills. The filter criteria and the search's flags are
// not here: the search thread shares them, so they live in search/ as atomics.
#pragma once

#include <string>
#include <vector>

#include "model/current_solution.h"
#include "model/placement.h"
#include "search/result_list.h"
#include "shell/command_ids.h"
#include "shell/layout.h"
#include "view/projection.h"

struct ViewerState {
    Layout layout = {};                     // of the last WM_SIZE
    ViewGeometry view = {1, 0, 0, 0, 0};    // zoom factor and picture origins
    FlipOptions flips = {0, 0, 0};          // the menu "Bausteinspiegelungen"
    int selectedPiece = -1;                 // the last right click's piece, framed in the legend
    int filterEnabled = 0;                  // "Lösungen filtern"
    int focusedRow = -1, focusedColumn = -1;  // the filter field with the focus, -1: none
    CurrentSolution solution = {0, -1, 0, {}, nullptr};
    int solverRunning = 0;                  // a solver was started and not yet seen to end
    ResultList results;
};

// A text for one control (a ControlSlot); for the solution number field also the
// selection to set after it (selStart < 0: none).
struct ControlText {
    int slot;
    std::string text;
    int selStart = -1, selEnd = -1;
};

// What the window must do after an operation, in this order: mark the rectangles for
// repainting, set the texts (each may come back as a notification), bring the filter
// controls' states and the menus' check marks in line with the state, and last show the
// position info box.
struct Effects {
    std::vector<Rect> repaint;
    std::vector<ControlText> texts;
    bool syncFilterControls = false;
    bool syncMenuChecks = false;
    std::string positionInfo;  // "": no box
};
