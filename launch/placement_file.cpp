// placement_file.cpp: the name, the text and the writing of the placement file.
#include "launch/placement_file.h"

#include <sys/stat.h>

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

bool writePlacementFile(const std::string& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) return false;
    struct stat status;
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::fclose(file);
        return false;
    }
    // On a full disk the buffered text fails only when it is flushed. The flush is asked
    // for by itself: not every C library's close reports a failed one (Wine's does not).
    const bool written = std::fputs(text.c_str(), file) >= 0 && std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return true;
    std::remove(path.c_str());
    return false;
}
