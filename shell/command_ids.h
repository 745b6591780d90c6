// command_ids.h: command ids of the main window's controls and menu entries, and the slots
// of the control table. The id of a control is its child-window id.
#pragma once

enum CommandId {
    idStartSolver = 200,
    idZoom1 = 202, idZoom2 = 203, idZoom3 = 204,
    idMirrorC = 206, idMirrorZ = 207, idMirrorR = 208,
    idClearFilters = 210, idTurnAB = 211, idTurnAC = 212, idTurnAD = 213,
    idHelp = 290,
    idFilterSwitch = 300, idHintLabel = 301, idViewerCommand = 302, idStart = 303,
    idSolutionNumber = 304, idNextSolution = 305, idPreviousSolution = 306,
    idRotations = 307, idSearch = 308, idHitScrollbar = 309,
    idAddHit = 310, idClearHits = 311, idSuspendSearch = 312,  // sent by the search thread
    idHitStatus = 313, idPreviousHit = 314, idNextHit = 315,
    idFirstFilterField = 316,  // 316 + 3 * piece + criterion, up to 351
    idLastFilterField = 351,
};

enum ControlSlot {
    // 0..35: filter field of piece i, criterion j at 3 i + j
    slotStart = 36, slotViewerCommand = 37, slotViewerLabel = 38, slotSolutionLabel = 39,
    slotSolutionNumber = 40, slotNextSolution = 41, slotPreviousSolution = 42,
    slotRotations = 43, slotSearch = 44, slotHitScrollbar = 45, slotHitStatus = 46,
    slotPreviousHit = 47, slotNextHit = 48, slotHint = 49, slotFilterSwitch = 50,
    controlSlotCount = 51,
};
