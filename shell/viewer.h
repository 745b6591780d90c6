// viewer.h: the window procedure's operations as plain functions on the viewer state.
// Each changes the state (and, for the criteria, the search's shared table) and returns
// what the window must then do; the glue only reads the controls and carries that out.
#pragma once

#include "model/solution_table.h"
#include "shell/viewer_state.h"

// A new client size: the layout, then the picture origins at the current zoom.
void applyLayout(ViewerState& viewer, const LayoutInput& input);

// The solution number field. Edited: cleaned (on EN_UPDATE); changed: cleaned and the
// record it names loaded (EN_CHANGE); stepped by the "+" and "-" buttons. The table's
// size decides the clamping, tablePath is read for the record.
Effects solutionFieldEdited(ViewerState& viewer, const FieldState& field, SolutionCount table);
Effects solutionFieldChanged(ViewerState& viewer, const FieldState& field, SolutionCount table,
                             const char* tablePath);
Effects solutionFieldStepped(ViewerState& viewer, const std::string& text, int step, SolutionCount table,
                             const char* tablePath);

// A click into the drawing area. The left button puts the cell into the focused filter
// field and its criterion; the right one frames the piece on it and tells so in a box.
Effects pickCell(ViewerState& viewer, bool right, int x, int y);

// The menus: a turn-over option (0 C, 1 Z, 2 r), a zoom factor 1..3.
Effects toggleMirror(ViewerState& viewer, int option);
Effects selectZoom(ViewerState& viewer, int factor);

// "Lösungen filtern" and "mit Rotationen".
Effects toggleFilterSwitch(ViewerState& viewer);
Effects toggleRotationsSwitch(ViewerState& viewer);

// The filter fields: focus gained or lost, text edited (a criterion set or dropped), and
// the filter menu's clearing and turning (variant 1..3).
Effects filterFieldFocus(ViewerState& viewer, int piece, int criterion, bool gained);
Effects filterFieldEdited(ViewerState& viewer, int piece, int criterion, const char* text);
Effects clearFilters(ViewerState& viewer);
Effects turnFilters(ViewerState& viewer, int variant);
