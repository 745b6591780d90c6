// filter_table.h: the criteria behind the filter fields: for each piece up to three cells
// that it must cover, and the entry points through which the window thread sets them.
// The window thread writes a criterion while the search thread reads it, so each one is a
// single 32-bit atomic word: a pass sees either the old or the new criterion whole, never
// the x of one edit with the z of another.
#pragma once

#include <atomic>
#include <cstdint>

#include "model/geometry.h"

struct Criterion {
    bool active;  // the piece must cover cell; false: slot not in use
    Cell cell;    // each coordinate -128..127 (the box needs 0..4)
};

// Bit 24 active; x, y and z as signed bytes in bits 16-23, 8-15 and 0-7.
constexpr uint32_t packCriterion(Criterion c)
{
    return (c.active ? 1u << 24 : 0u) | (uint32_t(c.cell.x & 0xFF) << 16) |
           (uint32_t(c.cell.y & 0xFF) << 8) | uint32_t(c.cell.z & 0xFF);
}

constexpr int32_t signedByte(uint32_t bits) { return int32_t(bits & 0xFF) - (bits & 0x80 ? 256 : 0); }

constexpr Criterion unpackCriterion(uint32_t word)
{
    return {(word >> 24 & 1) != 0, {signedByte(word >> 16), signedByte(word >> 8), signedByte(word)}};
}

struct FilterCriterion {
    std::atomic<uint32_t> word{0};
};

constexpr int criteriaPerPiece = 3;

using FilterCriteria = FilterCriterion[pieceCount][criteriaPerPiece];

inline Criterion readCriterion(const FilterCriterion& c)
{
    return unpackCriterion(c.word.load(std::memory_order_relaxed));
}

inline void writeCriterion(FilterCriterion& c, Criterion value)
{
    c.word.store(packCriterion(value), std::memory_order_relaxed);
}

// The one table of the program, shared by the window thread and the search thread.
extern FilterCriteria FilterTable;

// Switches every criterion off without noting a change: the state the program starts in.
void resetCriteria();

// The window thread's entry points. Each change of the criteria (typed, picked, turned,
// cleared) is noted, and the search button says so: both return the caption that the
// button should now show, or nullptr while a pass runs (the pass takes the change up for
// the records after it, and its end sets the caption).
const char* noteCriteriaChanged();
// Stores one criterion whole and notes the change; a slot outside the table is ignored.
const char* setCriterion(int piece, int criterion, Criterion value);
// The "mit Rotationen" switch; a change of the criteria too, but the caption stays.
void toggleRotations();
