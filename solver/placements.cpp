// placements.cpp: cell numbering, piece placements and the box's half turns.
#include "solver/placements.h"

#include <algorithm>
#include <map>

bool boxIsUsable(PuzzleBox box)
{
    return box.sizeX >= 1 && box.sizeY >= 1 && box.sizeZ >= 1 && box.sizeX <= 8 &&
           box.sizeY <= 4 && box.sizeZ <= 4 && boxCellTotal(box) <= 64;
}

int boxCellTotal(PuzzleBox box) { return box.sizeX * box.sizeY * box.sizeZ; }

uint64_t fullMask(PuzzleBox box)
{
    const int n = boxCellTotal(box);
    return n >= 64 ? ~uint64_t(0) : (uint64_t(1) << n) - 1;
}

int cellBit(PuzzleBox box, Cell cell)
{
    if (cell.x < 0 || cell.y < 0 || cell.z < 0 || cell.x >= box.sizeX || cell.y >= box.sizeY ||
        cell.z >= box.sizeZ)
        return -1;
    return cell.z + box.sizeZ * (cell.y + box.sizeY * cell.x);
}

Cell cellOfBit(PuzzleBox box, int bit)
{
    return {bit / (box.sizeZ * box.sizeY), bit / box.sizeZ % box.sizeY, bit % box.sizeZ};
}

uint64_t placedMask(PuzzleBox box, int pieceIndex, PlacementWord word)
{
    return placedMask(box, PieceCatalogue[pieceIndex], word);
}

uint64_t placedMask(PuzzleBox box, const PieceCells& shape, PlacementWord word)
{
    const PieceCells placed = placePiece(shape, decodePlacementWord(word));
    uint64_t mask = 0;
    for (int i = 0; i < placed.cellCount; i++) {
        const int bit = cellBit(box, placed.cells[i]);
        if (bit < 0) return 0;
        mask |= uint64_t(1) << bit;
    }
    return mask;
}

std::vector<Placement> piecePlacements(PuzzleBox box, int pieceIndex)
{
    return shapePlacements(box, PieceCatalogue[pieceIndex], pieceIndex);
}

std::vector<Placement> shapePlacements(PuzzleBox box, const PieceCells& shape, int pieceIndex)
{
    // Words run upwards, so the first word found for a cell set is its smallest. The
    // piece number sits in the top bits and is the same for all.
    std::map<uint64_t, PlacementWord> smallest;
    const PlacementWord pieceBits = PlacementWord((pieceIndex + 1) << 12);
    for (int low = 0; low < 0x1000; low++) {
        if (((low >> 10) & 3) == 3) continue;  // axis code 3 is not part of the format
        const PlacementWord word = PlacementWord(pieceBits | low);
        const uint64_t mask = placedMask(box, shape, word);
        if (mask) smallest.emplace(mask, word);
    }
    std::vector<Placement> result;
    result.reserve(smallest.size());
    for (const auto& entry : smallest) result.push_back({entry.first, entry.second});
    return result;
}

BoxSymmetry boxSymmetry(PuzzleBox box)
{
    BoxSymmetry symmetry = {box, {}};
    const int mx = box.sizeX - 1, my = box.sizeY - 1, mz = box.sizeZ - 1;
    for (int bit = 0; bit < boxCellTotal(box); bit++) {
        const Cell c = cellOfBit(box, bit);
        const Cell images[4] = {
            c,
            {mx - c.x, my - c.y, c.z},
            {mx - c.x, c.y, mz - c.z},
            {c.x, my - c.y, mz - c.z},
        };
        for (int v = 0; v < 4; v++) symmetry.bitImage[v][bit] = int8_t(cellBit(box, images[v]));
    }
    return symmetry;
}

uint64_t turnMask(const BoxSymmetry& symmetry, int variant, uint64_t mask)
{
    uint64_t result = 0;
    while (mask) {
        const int bit = __builtin_ctzll(mask);
        mask &= mask - 1;
        result |= uint64_t(1) << symmetry.bitImage[variant][bit];
    }
    return result;
}

Filling turnFilling(const BoxSymmetry& symmetry, int variant, const Filling& filling)
{
    Filling result;
    for (int p = 0; p < pieceCount; p++) result[p] = turnMask(symmetry, variant, filling[p]);
    return result;
}

Filling canonicalFilling(const BoxSymmetry& symmetry, const Filling& filling)
{
    Filling best = filling;
    for (int v = 1; v < 4; v++) best = std::min(best, turnFilling(symmetry, v, filling));
    return best;
}
