// picking.h: the inverse of the projection on each visible face (a click into a picture
// gives the cell under it) and what the two mouse buttons then report: the piece that
// covers the cell and the texts shown for it.
#pragma once

#include <string>

#include "model/placement.h"
#include "view/projection.h"

// The index of one face: floor(e / (n * zoom)) for e >= -n * zoom, negative below.
int faceIndex(int e, int n, int zoom);

struct CellPick {
    bool found;
    Cell cell;
};

// The cell under client point (mouseX, mouseY): the six visible faces of both pictures
// are tried in a fixed order and the first that contains the point gives the cell.
// Points left of viewLeft belong to no picture.
CellPick pickCellAt(const ViewGeometry& view, int viewLeft, int mouseX, int mouseY);

// The index of the first piece of the record that covers cell under the variant (negative
// means a), or -1 when none does. Words that name no piece are skipped.
int pieceCoveringCell(const SolutionRecord& record, int variant, Cell cell);

// "Der 7. Baustein liegt auf der Raumkoordinate '0,0,0'" for piece index 6 at (0,0,0).
std::string positionInfoText(int pieceIndex, Cell cell);
constexpr const char positionInfoCaption[] = "Positionsinfo:";

// The text that a left click writes into a filter field: "x,y,z".
std::string coordinateText(Cell cell);
