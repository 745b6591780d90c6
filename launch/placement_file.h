// placement_file.h: the placement file that hands one shown solution to a 3-D viewer.
// One line per placed piece: its number and the twelve integers of its effective
// placement transform. The text is formed apart from the file, and written through a
// text-mode stream, so that the lines end in CR LF on Windows.
#pragma once

#include <cstdint>
#include <string>

#include "model/placement.h"
#include "model/current_solution.h"

// "loesungen\kubo_puzzle_%.6lu%c.pos": at least six digits, zero-filled, never cut; the
// letter is 'a' + variant, and a negative variant (no letter typed) counts as a.
std::string placementFileName(uint32_t number, int32_t variant);

// One line: "%2d  " with the piece number, " %2d" for each of the twelve integers, "\n".
std::string placementLine(int pieceNumber, const IntTransform& placement);

// The whole file for a loaded solution: a line for every word that names a piece 1..12,
// in record order, placed by effectivePlacementWith(word, variant, true, flips). A
// solution that is not loaded gives no text.
std::string placementFileText(const CurrentSolution& solution, FlipOptions flips);

// Writes the text to path, emptying a file that is there. False when the file cannot be
// made, is no plain file (a FIFO or a device would swallow the text, and the viewer would
// find nothing), or a write or the close fails (a full disk); a file left incomplete is
// removed, so that no viewer is ever shown part of a solution.
bool writePlacementFile(const std::string& path, const std::string& text);
