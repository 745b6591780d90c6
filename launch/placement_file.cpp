// placement_file.cpp: the name and the text of the placement file.
#include "launch/placement_file.h"

#include <cstdio>

std::string placementFileName(uint32_t number, int32_t variant)
{
    const int v = (variant < 0 || variant > 3) ? 0 : variant;
    char name[64];
    std::snprintf(name, sizeof name, "loesungen\\kubo_puzzle_%.6lu%c.pos",
                  static_cast<unsigned long>(number), static_cast<char>('a' + v));
    return name;
}

std::string placementLine(int pieceNumber, const IntTransform& placement)
{
    char field[16];
    std::snprintf(field, sizeof field, "%2d  ", pieceNumber);
    std::string line = field;
    for (int32_t value : placement.e) {
        std::snprintf(field, sizeof field, " %2d", static_cast<int>(value));
        line += field;
    }
    line += '\n';
    return line;
}

std::string placementFileText(const CurrentSolution& solution, FlipOptions flips)
{
    std::string text;
    if (!solution.loaded) return text;
    for (PlacementWord word : solution.record.words) {
        const int piece = placementPieceIndex(word);
        if (piece < 0 || piece >= pieceCount) continue;
        text += placementLine(piece + 1,
                              effectivePlacementWith(word, solution.variant, true, flips));
    }
    return text;
}
