// map_file.cpp: reading the map file, looking up its entries, composing float transforms
// and copying a piece mesh transformed.
#include "facetgen/map_file.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "facetgen/platform.h"
#include "facetgen/text_scan.h"

MapEntry* mapTable = nullptr;

MapLine parseMapLine(const char* line, MapLineFields& fields)
{
    const char* p = line;
    if (!scanInt(p, fields.pieceNumber)) return MapLine::ignored;
    bool inRange = true;
    for (float& value : fields.transform.e) {
        if (!scanFloat(p, value)) return MapLine::ignored;
        inRange = inRange && std::isfinite(value);
    }
    if (!scanFloat(p, fields.gridScale)) return MapLine::ignored;
    inRange = inRange && std::isfinite(fields.gridScale);
    switch (scanWord(p, fields.meshFileName, sizeof fields.meshFileName)) {
    case WordScan::ok: return inRange ? MapLine::accepted : MapLine::outOfRange;
    case WordScan::tooLong: return MapLine::nameTooLong;
    case WordScan::none: break;
    }
    return MapLine::ignored;
}

int readMapFile(const char* mapFileName)
{
    // A folder, a FIFO or a device is as unreadable as a missing file.
    std::FILE* in = nullptr;
    if (openInputFile(mapFileName, true, in) != InputOpen::opened) {
        std::fprintf(stderr, "Konfiguration '%s' nicht lesbar!\n", mapFileName);
        return -1;
    }
    char line[lineBufferSize];
    while (readLinePiece(in, line, sizeof line) > 0) {
        MapLineFields fields;
        switch (parseMapLine(line, fields)) {
        case MapLine::accepted:
            addMapEntry(fields.pieceNumber, fields.transform, fields.gridScale,
                        fields.meshFileName);
            break;
        case MapLine::nameTooLong:
            std::fprintf(stderr,
                         "Konfiguration '%s': Dateiname zu Baustein Nr. %d ist l\xE4nger "
                         "als 259 Zeichen, Zeile \xFC" "bergangen!\n",
                         mapFileName, fields.pieceNumber);
            break;
        case MapLine::outOfRange:
            std::fprintf(stderr,
                         "Konfiguration '%s': Zeile zu Baustein Nr. %d enth\xE4lt eine "
                         "ung\xFCltige Zahl (nan, inf oder au\xDF" "erhalb der einfachen "
                         "Genauigkeit), \xFC" "bergangen!\n",
                         mapFileName, fields.pieceNumber);
            break;
        case MapLine::ignored: break;
        }
    }
    std::fclose(in);
    return 0;
}

void addMapEntry(int32_t pieceNumber, const FloatTransform& transform, float gridScale,
                 const char* meshFileName)
{
    MapEntry* entry = static_cast<MapEntry*>(std::malloc(sizeof(MapEntry)));
    if (!entry) return;
    entry->pieceNumber = pieceNumber;
    entry->transform = transform;
    entry->gridScale = gridScale;
    std::strncpy(entry->meshFileName, meshFileName, sizeof entry->meshFileName - 1);
    entry->meshFileName[sizeof entry->meshFileName - 1] = '\0';
    entry->next = mapTable;
    mapTable = entry;
}

const MapEntry* findMapEntry(int32_t pieceNumber)
{
    for (const MapEntry* e = mapTable; e; e = e->next)
        if (e->pieceNumber == pieceNumber) return e;
    return nullptr;
}

void clearMapTable()
{
    while (mapTable) {
        MapEntry* next = mapTable->next;
        std::free(mapTable);
        mapTable = next;
    }
}

namespace {

// A double beyond single precision has no float value (the conversion would be
// undefined): it becomes an infinity of its sign, which the callers refuse.
float toSingle(double v)
{
    if (v > FLT_MAX) return HUGE_VALF;
    if (v < -FLT_MAX) return -HUGE_VALF;
    return float(v);
}

}  // namespace

FloatTransform composeFloat(const FloatTransform& a, const FloatTransform& b)
{
    FloatTransform r;
    for (int col = 0; col < 4; col++) {
        for (int row = 0; row < 3; row++) {
            double v = double(a.e[row]) * b.e[3 * col] + double(a.e[3 + row]) * b.e[3 * col + 1] +
                       double(a.e[6 + row]) * b.e[3 * col + 2];
            if (col == 3) v += a.e[9 + row];
            r.e[3 * col + row] = toSingle(v);
        }
    }
    return r;
}

namespace {

constexpr char normalPrefix[] = "      normal ";
constexpr char vertexPrefix[] = "      vertex ";
constexpr size_t prefixLength = sizeof normalPrefix - 1;

bool scanThree(const char* p, float v[3])
{
    for (int i = 0; i < 3; i++)
        if (!scanFloat(p, v[i]) || !std::isfinite(v[i])) return false;
    return true;
}

}  // namespace

void transformMeshPiece(const char* piece, size_t length, float gridScale,
                        const FloatTransform& r, std::string& out)
{
    const bool isNormal = length >= prefixLength && std::memcmp(piece, normalPrefix, prefixLength) == 0;
    const bool isVertex = length >= prefixLength && std::memcmp(piece, vertexPrefix, prefixLength) == 0;
    float v[3];
    if (!(isNormal || isVertex) || !scanThree(piece + prefixLength, v)) {
        out.append(piece, length);
        return;
    }
    // Single-precision inputs, sums in double; normals are turned only.
    double w[3];
    for (int row = 0; row < 3; row++) {
        w[row] = double(r.e[row]) * v[0] + double(r.e[3 + row]) * v[1] +
                 double(r.e[6 + row]) * v[2];
        if (isVertex) w[row] += double(gridScale) * r.e[9 + row];
    }
    char line[160];
    std::snprintf(line, sizeof line, "%s%.6e %.6e %.6e\r\n", isNormal ? normalPrefix : vertexPrefix,
                  w[0], w[1], w[2]);
    out += line;
}

bool transformMeshStream(std::FILE* mesh, std::FILE* out, float gridScale,
                         const FloatTransform& r)
{
    char piece[meshBufferSize];
    std::string text;
    size_t length;
    while ((length = readLinePiece(mesh, piece, sizeof piece)) > 0) {
        text.clear();
        transformMeshPiece(piece, length, gridScale, r, text);
        if (std::fwrite(text.data(), 1, text.size(), out) != text.size()) return false;
    }
    return true;
}

bool writeTransformedMesh(std::FILE* out, float gridScale, const char* meshFileName,
                          const FloatTransform& r)
{
    // A folder, a FIFO or a device is as unreadable as a missing file.
    std::FILE* mesh = nullptr;
    if (openInputFile(meshFileName, false, mesh) != InputOpen::opened) {
        std::fprintf(stderr, "Kann Datei '%s' nicht lesen!\n", meshFileName);
        return true;
    }
    const bool written = transformMeshStream(mesh, out, gridScale, r);
    // A read that broke off leaves the piece incomplete; that must not pass unnoticed.
    if (written && std::ferror(mesh))
        std::fprintf(stderr, "Kann Datei '%s' nicht lesen!\n", meshFileName);
    std::fclose(mesh);
    return written;
}
