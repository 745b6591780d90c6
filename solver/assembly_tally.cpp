// assembly_tally.cpp: the statistics' counts of one solution after another.
#include "solver/assembly_tally.h"

AssemblyGridMasks boxAssemblyGrid()
{
    AssemblyGridMasks box;
    prepareAssemblyGrid({boxSizeX, boxSizeY, boxSizeZ}, box);
    return box;
}

void recordPieceMasks(const AssemblyGridMasks& box, const SolutionRecord& record,
                      CellMask masks[pieceCount])
{
    for (int i = 0; i < pieceCount; i++) masks[i] = 0;
    for (const PlacementWord word : record.words) {
        const int piece = placementPieceIndex(word);
        if (piece < 0 || piece >= pieceCount) continue;
        const PieceCells placed = placePiece(PieceCatalogue[piece], decodePlacementWord(word));
        for (int i = 0; i < placed.cellCount; i++) {
            const Cell c = placed.cells[i];
            const int bit = cellIndex(box.grid, {c.x, c.y, c.z});
            if (bit >= 0) masks[piece] |= CellMask(1) << bit;
        }
    }
}

void tallyAssembly(const AssemblyGridMasks& box, const CellMask masks[pieceCount], AssemblyTally& tally)
{
    PackingSweeps sweeps;
    computeSweeps(box, masks, pieceCount, sweeps);
    tally.solutions++;
    if (planWithSweeps(sweeps, allAssemblyFaces, nullptr, nullptr) == 0) tally.freePlans++;
    bool anyFace = false;
    for (int f = 0; f < assemblyFaceCount; f++)
        if (planWithSweeps(sweeps, faceBit(BoxFace(f)), nullptr, nullptr) == 0) {
            tally.throughFace[f]++;
            anyFace = true;
        }
    if (!anyFace) tally.throughNoFace++;
}
