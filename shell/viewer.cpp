// viewer.cpp: the main window's operations on the viewer state and the effects each
// leaves for the window to carry out.
#include "shell/viewer.h"

#include "search/filter_table.h"
#include "search/filter_text.h"
#include "view/picking.h"

void applyLayout(ViewerState& viewer, const LayoutInput& input)
{
    viewer.layout = computeLayout(input);
    const PictureOrigins origins = computePictureOrigins(viewer.layout, viewer.view.zoom);
    viewer.view = {viewer.view.zoom, origins.upperX, origins.upperY, origins.lowerX, origins.lowerY};
}

// Setting the field's text comes back as its notifications; that second pass finds the
// text clean and leaves it.
static void cleanSolutionField(ViewerState& viewer, Effects& effects, const CleanedField& cleaned)
{
    if (cleaned.clearSelectedHit) viewer.results.selected = -1;
    if (cleaned.changed)
        effects.texts.push_back({slotSolutionNumber, cleaned.field.text, cleaned.field.selStart, cleaned.field.selEnd});
}

// The field and its "+" and "-" buttons end alike: load what the field now names, and drop
// the hit highlight since the shown solution may no longer be it.
static void loadNamedSolution(ViewerState& viewer, Effects& effects, const std::string& text, const char* tablePath)
{
    if (loadSolution(viewer.solution, text.c_str(), tablePath)) effects.repaint.push_back(viewer.layout.viewRect);
    viewer.results.selected = -1;
    effects.repaint.push_back(viewer.layout.listRect);
}

Effects solutionFieldEdited(ViewerState& viewer, const FieldState& field, SolutionCount table)
{
    Effects effects;
    cleanSolutionField(viewer, effects, normaliseSolutionText(field, table));
    return effects;
}

Effects solutionFieldChanged(ViewerState& viewer, const FieldState& field, SolutionCount table,
                             const char* tablePath)
{
    Effects effects;
    const CleanedField cleaned = normaliseSolutionText(field, table);
    cleanSolutionField(viewer, effects, cleaned);
    loadNamedSolution(viewer, effects, cleaned.field.text, tablePath);
    return effects;
}

Effects solutionFieldStepped(ViewerState& viewer, const std::string& text, int step, SolutionCount table,
                             const char* tablePath)
{
    Effects effects;
    const std::string stepped = stepSolutionText(text, step, table);
    effects.texts.push_back({slotSolutionNumber, stepped});
    loadNamedSolution(viewer, effects, stepped, tablePath);
    return effects;
}

static void showCaption(Effects& effects, const char* caption)
{
    if (caption) effects.texts.push_back({slotSearch, caption});
}

// The cell goes into the focused field, and through the search's entry point into its
// criterion; the field's own change notice then finds the same cell there.
static void takeFilterCell(ViewerState& viewer, Effects& effects, Cell cell)
{
    const int row = viewer.focusedRow, column = viewer.focusedColumn;
    if (!viewer.filterEnabled || row < 0 || column < 0) return;
    // The focus handling only ever names one of the fields; anything else is no field.
    if (row >= pieceCount || column >= criteriaPerPiece) return;
    effects.texts.push_back({filterFieldSlot(row, column), coordinateText(cell)});
    showCaption(effects, setCriterion(row, column, {true, cell}));
}

static void showPieceAt(ViewerState& viewer, Effects& effects, Cell cell)
{
    viewer.selectedPiece = -1;
    if (!viewer.solution.loaded) return;
    const int piece = pieceCoveringCell(viewer.solution.record, viewer.solution.variant, cell);
    // The legend is repainted before the box opens, so the frame shows while it is open.
    viewer.selectedPiece = piece;
    effects.repaint.push_back(viewer.layout.filterRect);
    if (piece >= 0) effects.positionInfo = positionInfoText(piece, cell);
}

Effects pickCell(ViewerState& viewer, bool right, int x, int y)
{
    Effects effects;
    if (x < viewer.layout.viewLeft) return effects;
    const CellPick pick = pickCellAt(viewer.view, viewer.layout.viewLeft, x, y);
    if (pick.found) {
        if (right)
            showPieceAt(viewer, effects, pick.cell);
        else
            takeFilterCell(viewer, effects, pick.cell);
    } else if (right) {
        viewer.selectedPiece = -1;
        effects.repaint.push_back(viewer.layout.filterRect);
    }
    return effects;
}

Effects toggleMirror(ViewerState& viewer, int option)
{
    Effects effects;
    int* const flags[3] = {&viewer.flips.mirrorC, &viewer.flips.mirrorZ, &viewer.flips.mirrorR};
    if (option < 0 || option > 2) return effects;
    *flags[option] = *flags[option] == 0 ? 1 : 0;
    effects.syncMenuChecks = true;
    effects.repaint = {viewer.layout.filterRect, viewer.layout.viewRect};
    return effects;
}

Effects selectZoom(ViewerState& viewer, int factor)
{
    Effects effects;
    if (factor < 1 || factor > 3) return effects;
    const PictureOrigins origins = computePictureOrigins(viewer.layout, factor);
    viewer.view = {factor, origins.upperX, origins.upperY, origins.lowerX, origins.lowerY};
    effects.syncMenuChecks = true;
    effects.repaint.push_back(viewer.layout.viewRect);
    return effects;
}

Effects toggleFilterSwitch(ViewerState& viewer)
{
    Effects effects;
    viewer.filterEnabled = viewer.filterEnabled == 0 ? 1 : 0;
    effects.syncFilterControls = true;
    return effects;
}

Effects toggleRotationsSwitch(ViewerState&)
{
    Effects effects;
    toggleRotations();
    effects.syncFilterControls = true;
    return effects;
}

// The focused field is where a left click into a picture puts its cell.
Effects filterFieldFocus(ViewerState& viewer, int piece, int criterion, bool gained)
{
    Effects effects;
    viewer.focusedRow = gained ? piece : -1;
    viewer.focusedColumn = gained ? criterion : -1;
    effects.texts.push_back({slotHint, gained ? hintFocus : ""});
    return effects;
}

Effects filterFieldEdited(ViewerState&, int piece, int criterion, const char* text)
{
    Effects effects;
    const FilterFieldMeaning meaning = parseFilterField(text);
    const char* caption = setCriterion(piece, criterion, {meaning.active, meaning.cell});
    effects.texts.push_back({slotHint, meaning.hint});
    showCaption(effects, caption);
    return effects;
}

Effects clearFilters(ViewerState&)
{
    Effects effects;
    const char* caption = nullptr;
    for (int piece = 0; piece < pieceCount; piece++)
        for (int criterion = 0; criterion < criteriaPerPiece; criterion++) {
            effects.texts.push_back({filterFieldSlot(piece, criterion), ""});
            caption = setCriterion(piece, criterion, {false, {0, 0, 0}});
        }
    showCaption(effects, caption);
    return effects;
}

Effects turnFilters(ViewerState&, int variant)
{
    Effects effects;
    for (int piece = 0; piece < pieceCount; piece++)
        for (int criterion = 0; criterion < criteriaPerPiece; criterion++) {
            const Criterion c = readCriterion(FilterTable[piece][criterion]);
            if (!c.active) continue;
            const Cell turned = turnCell(c.cell, variant);
            setCriterion(piece, criterion, {true, turned});
            char text[40];
            formatCell(turned, text, sizeof text);
            effects.texts.push_back({filterFieldSlot(piece, criterion), text});
        }
    showCaption(effects, noteCriteriaChanged());
    return effects;
}
