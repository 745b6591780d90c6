// command_ids.h: command ids of the main window's controls and menu entries, and the slots
// of the control table. The id of a control is its child-window id.
#pragma once

#include "model/geometry.h"
#include "search/filter_table.h"

// The filter fields come first in the control table: one row for each piece, one field in
// it for each criterion, piece by piece.
constexpr int filterFieldCount = pieceCount * criteriaPerPiece;

constexpr int filterFieldSlot(int piece, int criterion) { return piece * criteriaPerPiece + criterion; }

struct FilterFieldPlace {
    int piece, criterion;
};

constexpr FilterFieldPlace filterFieldAt(int slot) { return {slot / criteriaPerPiece, slot % criteriaPerPiece}; }

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
    idFirstFilterField = 316,  // the field in slot s has the id idFirstFilterField + s
    idLastFilterField = idFirstFilterField + filterFieldCount - 1,
};

enum ControlSlot {
    // below filterFieldCount: the filter fields, at filterFieldSlot(piece, criterion)
    slotStart = filterFieldCount, slotViewerCommand, slotViewerLabel, slotSolutionLabel, slotSolutionNumber,
    slotNextSolution, slotPreviousSolution, slotRotations, slotSearch, slotHitScrollbar, slotHitStatus,
    slotPreviousHit, slotNextHit, slotHint, slotFilterSwitch,
    controlSlotCount,
};
