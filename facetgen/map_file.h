// map_file.h: the converter's map file, which names for every piece number a mesh file
// and the transform that carries that mesh into the piece's frame, and the copying of a
// piece mesh into the output with its normals and vertices transformed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

constexpr size_t nameBufferSize = 260;    // 259 characters and the terminator
constexpr size_t lineBufferSize = 520;    // map and placement lines
constexpr size_t meshBufferSize = 100;    // mesh lines are read in pieces of 99

// Layout of the integer placement transform: e[0..2], e[3..5], e[6..8] are the images of
// the x, y and z unit vectors, e[9..11] the translation.
struct FloatTransform {
    float e[12];
};

struct MapEntry {
    int32_t pieceNumber;
    FloatTransform transform;  // mesh frame to piece frame
    float gridScale;           // one unit cube in mesh units
    char meshFileName[nameBufferSize];
    MapEntry* next;
};

// Newest accepted line first, so that the last line for a piece number wins. Filled once
// per run and kept until the process ends.
extern MapEntry* mapTable;

enum class MapLine { ignored, accepted, nameTooLong, outOfRange };

struct MapLineFields {
    int32_t pieceNumber;
    FloatTransform transform;
    float gridScale;
    char meshFileName[nameBufferSize];
};

// "%d%f%f%f%f%f%f%f%f%f%f%f%f%f%s": accepted only when all fifteen fields are there. A
// mesh name that does not fit 259 characters is reported, not cut into another name; so
// is a line whose transform or grid scale holds nan, an infinity or a number beyond
// single precision.
MapLine parseMapLine(const char* line, MapLineFields& fields);

// Reads the map file into mapTable: 0, or -1 with a message when it cannot be opened.
int readMapFile(const char* mapFileName);

void addMapEntry(int32_t pieceNumber, const FloatTransform& transform, float gridScale,
                 const char* meshFileName);
const MapEntry* findMapEntry(int32_t pieceNumber);

// Empties mapTable; the program itself never does (its table lives to the end), tests
// and the fuzzer do between runs.
void clearMapTable();

// a after b: the columns and translation of b carried by a, rounded to single precision
// (a result beyond it becomes an infinity).
FloatTransform composeFloat(const FloatTransform& a, const FloatTransform& b);

// One piece of a mesh line (at most 99 bytes, NUL-terminated at length): a normal or
// vertex line with three readable finite numbers is rewritten transformed, with CR LF;
// anything else, including such a line with fewer than three, is appended unchanged.
void transformMeshPiece(const char* piece, size_t length, float gridScale,
                        const FloatTransform& r, std::string& out);

// Copies the mesh stream into out, transformed piece by piece; false as soon as a write
// to out fails.
bool transformMeshStream(std::FILE* mesh, std::FILE* out, float gridScale,
                         const FloatTransform& r);

// Opens the mesh file and copies it transformed; a message when it cannot be read (a
// folder, a FIFO or a device counts as unreadable). False only when a write to out failed:
// the output is then incomplete, while an unreadable mesh just leaves its piece out.
bool writeTransformedMesh(std::FILE* out, float gridScale, const char* meshFileName,
                          const FloatTransform& r);
