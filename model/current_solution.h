// current_solution.h: the solution the viewer shows: the rules that keep the solution
// number field clean, and the record that the field names, read from the table file that
// stays open between loads. Pure apart from that one file; the viewer owns the one
// current solution.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "model/placement.h"
#include "model/solution_id.h"
#include "model/solution_table.h"

constexpr int solutionFieldReadLimit = 21;  // characters read from the field
constexpr int solutionTextLimit = 20;       // characters the clean text keeps

struct FieldState {
    std::string text;
    int selStart, selEnd;
};

struct CleanedField {
    FieldState field;       // the text and selection the field should show
    bool changed;           // the text differs from what the field holds: set it
    bool clearSelectedHit;  // a table was there, so the selected hit is cleared
};

// Cleaning on every edit of the field: digits followed by at most one letter a..d, cut to
// 20 characters, and with a table clamped to its count and rewritten without leading
// zeros. A rewrite keeps the caret's distance from the end of the text, so that the "0"
// that stands in for an empty field is typed over rather than pushed to the right.
CleanedField normaliseSolutionText(const FieldState& field, SolutionCount table);

// The "+" and "-" buttons: the field's number moved by step (never below 1, never past
// the table's count when there is a table), the letter kept.
std::string stepSolutionText(const std::string& text, int step, SolutionCount table);

struct CurrentSolution {
    uint32_t number;
    int32_t variant;
    int loaded;
    SolutionRecord record;
    std::FILE* tableFile;  // opened on the first load and kept open between loads
};

// Loads the record that the field text names into current, opening tablePath on first
// use. Returns true when what is to be drawn changed and the view needs a repaint. A
// record that cannot be read whole leaves the solution not loaded, so no stale record
// is shown under the new number.
bool loadSolution(CurrentSolution& current, const char* fieldText, const char* tablePath);

// Closes the table file if open and clears the handle, so the next load reopens it.
void closeSolutionTable(CurrentSolution& current);
