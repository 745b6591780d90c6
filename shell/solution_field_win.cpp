// solution_field_win.cpp: the solution number field on the real edit control: its text
// and selection are read here and handed to the operations of viewer.h.
#include <string>

#include "shell/viewer.h"
#include "shell/window_win.h"

static std::string fieldText()
{
    char text[solutionFieldReadLimit + 1] = "";
    GetWindowTextA(handles.controls[slotSolutionNumber], text, sizeof text);
    return text;
}

static FieldState fieldState()
{
    DWORD start = 0, end = 0;
    SendMessageA(handles.controls[slotSolutionNumber], EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {fieldText(), int(start), int(end)};
}

void onSolutionFieldEdited() { applyEffects(solutionFieldEdited(viewer, fieldState(), countSolutions())); }

void onSolutionFieldChanged()
{
    applyEffects(solutionFieldChanged(viewer, fieldState(), countSolutions(), solutionTableName));
}

void stepSolutionField(int step)
{
    applyEffects(solutionFieldStepped(viewer, fieldText(), step, countSolutions(), solutionTableName));
}
