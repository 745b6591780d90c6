// slp.h: reading SLP facet text into solids of triangles. The reader takes the form that
// the converter writes (one "normal" line per corner before "outer loop", a "color" line
// per solid) and also STL's "facet normal" form; it is tolerant of LF and CR LF, missing
// or zero normals, repeated solid names and damaged files: every problem is noted with
// its line number, what can be kept is kept, and nothing in the input can crash it.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "rtd/vec.h"

struct SlpTriangle {
    Vec3 corner[3];
    Vec3 normal[3];  // unit length, one per corner
};

struct SlpSolid {
    std::string name;  // as written after "solid"; may be empty
    Vec3 colour;       // 0..1 per channel
    bool hasColour;
    std::vector<SlpTriangle> triangles;
};

enum class SlpProblem {
    cannotOpen,       // the file is missing or unreadable
    empty,            // no byte at all
    binary,           // NUL bytes or control characters: not SLP text
    noFacets,         // text, but not one usable facet in it
    badNumber,        // a number that does not parse, is not finite or is too large
    wrongCornerCount, // a facet with other than three vertices
    longLine,         // a line of more than 99 characters
    truncated,        // the file ends inside a facet or a solid
    unknownLine,      // a line that is no SLP keyword
    tooLarge,         // the file is larger than maxSlpFileBytes: not read at all
    tooManyCorners,   // a facet with more than maxSlpFacetCorners corners: dropped
    tooManyTriangles, // more than maxSlpTriangles in all: the rest of the file is dropped
    tooManySolids,    // more than maxSlpSolids: the rest of the file is dropped
};

struct SlpNote {
    SlpProblem problem;
    int line;    // 1-based; 0 when the problem belongs to the whole file
    int detail;  // the corner count for wrongCornerCount and tooManyCorners, else 0
};

struct SlpScene {
    std::vector<SlpSolid> solids;
    std::vector<SlpNote> notes;  // in the order met; at most maxSlpNotes are kept, and
                                 // after them the note of a bound that ended reading
    int noteCount;               // all problems, also those not kept
};

constexpr int maxSlpNotes = 20;
// Coordinates beyond this are not a puzzle piece but a broken number.
constexpr double maxSlpCoordinate = 1.0e6;
// The converter reads mesh lines in pieces of this many characters.
constexpr int maxSlpLineLength = 99;
// Beyond this a file is no puzzle solution; reading it would only exhaust memory.
constexpr long maxSlpFileBytes = 64L << 20;
// A puzzle solution has a few hundred triangles of three corners each. These bounds keep
// the memory of any file within a small multiple of maxSlpFileBytes: a triangle costs
// about 300 bytes once read, drawn and outlined, and a fan of corners gives one triangle
// per vertex line of 13 bytes.
constexpr int maxSlpFacetCorners = 256;
constexpr int maxSlpTriangles = 500000;
constexpr int maxSlpSolids = 100000;

// Parses a whole file held in memory.
SlpScene parseSlp(const char* data, size_t size);
// Reads the named file whole (at most maxSlpFileBytes) and parses it; a file that cannot
// be read or is too large gives a scene with only that note.
SlpScene readSlpFile(const std::string& name);

// True when nothing can be shown: the problems are the reason.
bool sceneIsEmpty(const SlpScene& scene);

// The default colour of the solid with this index when the file gives none.
Vec3 defaultSolidColour(int index);

// A colour channel 0..1 as the byte that the flat drawing writes.
inline int colourByte(double c) { return int(std::lround((c < 0 ? 0 : c > 1 ? 1 : c) * 255)); }
