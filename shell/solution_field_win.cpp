// solution_field_win.cpp: the solution number field on the real edit control. The rules
// live in model/solution_table; here the field is read and set and the view repainted.
#include <string>

#include "model/solution_table.h"
#include "search/search_state.h"
#include "shell/window_state.h"

static std::string fieldText(HWND field)
{
    char text[solutionFieldReadLimit + 1] = "";
    GetWindowTextA(field, text, sizeof text);
    return text;
}

void normaliseSolutionText(int step)
{
    HWND field = controlWindows[slotSolutionNumber];
    const std::string text = fieldText(field);
    const SolutionCount table = countSolutions();
    if (step == 0) {
        DWORD start = 0, end = 0;
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const CleanedField cleaned = normaliseSolutionText({text, int(start), int(end)}, table);
        if (cleaned.clearSelectedHit) resultSelected = -1;
        if (cleaned.changed) {
            // Setting the text comes back here through the field's notifications; that
            // second pass finds the text clean and leaves it.
            SetWindowTextA(field, cleaned.field.text.c_str());
            SendMessageA(field, EM_SETSEL, WPARAM(cleaned.field.selStart), LPARAM(cleaned.field.selEnd));
        }
        return;
    }
    const std::string stepped = stepSolutionText(text, step, table);
    resultSelected = -1;
    SetWindowTextA(field, stepped.c_str());
}

void loadCurrentSolution(HWND window)
{
    const std::string text = fieldText(controlWindows[slotSolutionNumber]);
    if (loadSolution(currentSolution, text.c_str(), solutionTableName)) invalidate(window, layout.viewRect);
}
