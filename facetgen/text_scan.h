// text_scan.h: the few scanf conversions that the converter's input formats use ("%d",
// "%f"/"%e", "%s"), done with strtol and strtof so that an out-of-range number or an
// overlong word is handled instead of being undefined or overrunning a buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Like "%d": leading white space, optional sign, decimal digits. A value outside int32
// is clamped. On failure p and value are left alone.
bool scanInt(const char*& p, int32_t& value);

// Like "%f" or "%e": a floating-point number read as single precision.
bool scanFloat(const char*& p, float& value);

enum class WordScan { none, ok, tooLong };

// Like "%s" into a buffer of capacity bytes, but a word that does not fit is reported
// as tooLong (and skipped) instead of being written past the buffer or cut.
WordScan scanWord(const char*& p, char* out, size_t capacity);

// Reads one line of a stream in pieces as fgets does with a buffer of capacity bytes:
// at most capacity - 1 bytes, up to and including a line feed. The piece is terminated;
// the result is its length in bytes (embedded NULs included), 0 at the end of the file.
size_t readLinePiece(std::FILE* in, char* buffer, size_t capacity);
