// slp.cpp: the SLP reader, one line at a time through a small state machine (outside a
// solid, inside a solid, inside a facet).
#include "rtd/slp.h"

#include "rtd/palette.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Line {
    const char* begin;
    const char* end;
    int number;
};

struct Reader {
    SlpScene scene;
    int solid = -1;  // index of the open solid, -1 outside
    bool solidClosed = true;
    bool inFacet = false;
    bool facetBroken = false;  // a bad number in this facet: it is dropped
    int facetLine = 0;
    std::vector<Vec3> corners;  // at most maxSlpFacetCorners are kept
    std::vector<Vec3> normals;
    int extraCorners = 0;       // those of this facet beyond the kept ones
    Vec3 facetNormal = {0, 0, 0};
    bool truncatedNoted = false;
    long triangleCount = 0;
    bool full = false;  // a bound of the scene was reached: the rest of the file is dropped
};

void note(Reader& r, SlpProblem problem, int line, int detail = 0)
{
    r.scene.noteCount++;
    // The note that ends reading early is kept in any case: it tells why the rest is missing.
    const bool ending = problem == SlpProblem::tooManyTriangles || problem == SlpProblem::tooManySolids;
    if (int(r.scene.notes.size()) < maxSlpNotes || ending) r.scene.notes.push_back({problem, line, detail});
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

void skipBlanks(const char*& p, const char* end)
{
    while (p < end && isBlank(*p)) p++;
}

// The next word of the line, case-insensitively compared with keyword.
bool takeKeyword(const char*& p, const char* end, const char* keyword)
{
    skipBlanks(p, end);
    const size_t n = std::strlen(keyword);
    if (size_t(end - p) < n) return false;
    for (size_t i = 0; i < n; i++) {
        char c = p[i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != keyword[i]) return false;
    }
    if (p + n < end && !isBlank(p[n])) return false;
    p += n;
    return true;
}

enum class NumberScan { none, ok, bad };

// One number; a word that is no number, or one that is not finite or beyond limit, is bad.
NumberScan takeNumber(const char*& p, const char* end, double limit, double& value)
{
    skipBlanks(p, end);
    if (p >= end) return NumberScan::none;
    const char* start = p;
    while (p < end && !isBlank(*p)) p++;
    char word[64];
    const size_t n = size_t(p - start);
    if (n >= sizeof word) return NumberScan::bad;
    std::memcpy(word, start, n);
    word[n] = 0;
    // strtod would take hexadecimal and "inf"/"nan" spellings: only decimal is SLP.
    for (size_t i = 0; i < n; i++) {
        const char c = word[i];
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'))
            return NumberScan::bad;
    }
    char* stop = nullptr;
    const double v = std::strtod(word, &stop);
    if (stop != word + n || !std::isfinite(v) || std::fabs(v) > limit) return NumberScan::bad;
    value = v;
    return NumberScan::ok;
}

// Three numbers; false (and a note) when any of them is missing or bad.
bool takeVector(Reader& r, const char*& p, const char* end, int line, double limit, Vec3& v)
{
    double c[3];
    for (double& x : c) {
        if (takeNumber(p, end, limit, x) != NumberScan::ok) {
            note(r, SlpProblem::badNumber, line);
            return false;
        }
    }
    v = {c[0], c[1], c[2]};
    return true;
}

// A new solid, or nullptr (and the end of reading) when there are too many.
SlpSolid* addSolid(Reader& r, std::string name, int line)
{
    if (int(r.scene.solids.size()) >= maxSlpSolids) {
        note(r, SlpProblem::tooManySolids, line);
        r.full = true;
        r.inFacet = false;
        return nullptr;
    }
    r.scene.solids.push_back({std::move(name), {0, 0, 0}, false, {}});
    r.solid = int(r.scene.solids.size()) - 1;
    r.solidClosed = false;
    return &r.scene.solids.back();
}

SlpSolid* openSolid(Reader& r, int line)
{
    if (r.solid < 0) return addSolid(r, "", line);
    return &r.scene.solids[size_t(r.solid)];
}

void startFacet(Reader& r, int line)
{
    r.inFacet = true;
    r.facetBroken = false;
    r.facetLine = line;
    r.corners.clear();
    r.normals.clear();
    r.extraCorners = 0;
    r.facetNormal = {0, 0, 0};
}

Vec3 cornerNormal(const Reader& r, size_t k, size_t cornerCount, Vec3 faceNormal)
{
    Vec3 n = {0, 0, 0};
    if (r.normals.size() == cornerCount)
        n = r.normals[k];
    else if (r.normals.size() == 1)
        n = r.normals[0];
    else
        n = r.facetNormal;
    n = normalised(n);
    return length(n) > 0 ? n : faceNormal;
}

void endFacet(Reader& r)
{
    r.inFacet = false;
    if (r.facetBroken) return;
    if (r.extraCorners > 0) {
        note(r, SlpProblem::tooManyCorners, r.facetLine, int(r.corners.size()) + r.extraCorners);
        return;
    }
    const size_t count = r.corners.size();
    if (count >= 3 && r.triangleCount + long(count - 2) > maxSlpTriangles) {
        note(r, SlpProblem::tooManyTriangles, r.facetLine);
        r.full = true;
        return;
    }
    if (count != 3) note(r, SlpProblem::wrongCornerCount, r.facetLine, int(count));
    if (count < 3) return;
    SlpSolid* open = openSolid(r, r.facetLine);
    if (!open) return;
    SlpSolid& solid = *open;
    r.triangleCount += long(count - 2);
    // More than three corners: a fan around the first, which is right for the convex
    // polygons that such files hold.
    for (size_t k = 1; k + 1 < count; k++) {
        const size_t index[3] = {0, k, k + 1};
        SlpTriangle t;
        for (int i = 0; i < 3; i++) t.corner[i] = r.corners[index[i]];
        Vec3 face = normalised(cross(t.corner[1] - t.corner[0], t.corner[2] - t.corner[0]));
        if (length(face) == 0) face = {0, 0, 1};
        for (int i = 0; i < 3; i++) t.normal[i] = cornerNormal(r, index[i], count, face);
        solid.triangles.push_back(t);
    }
}

void readLine(Reader& r, const Line& line)
{
    const char* p = line.begin;
    const char* end = line.end;
    if (end - p > maxSlpLineLength) note(r, SlpProblem::longLine, line.number);
    skipBlanks(p, end);
    if (p == end) return;

    if (takeKeyword(p, end, "solid")) {
        if (r.inFacet) endFacet(r);
        if (r.full) return;
        skipBlanks(p, end);
        const char* nameEnd = end;
        while (nameEnd > p && isBlank(nameEnd[-1])) nameEnd--;
        addSolid(r, std::string(p, nameEnd), line.number);
    } else if (takeKeyword(p, end, "endsolid")) {
        if (r.inFacet) {
            note(r, SlpProblem::truncated, line.number);
            r.inFacet = false;
        }
        r.solid = -1;
        r.solidClosed = true;
    } else if (takeKeyword(p, end, "color") || takeKeyword(p, end, "colour")) {
        Vec3 c;
        if (!takeVector(r, p, end, line.number, 1e9, c)) return;
        // Some writers give 0..255 instead of 0..1.
        if (c.x > 1 || c.y > 1 || c.z > 1) c = c * (1.0 / 255.0);
        const auto clamp = [](double v) { return v < 0 ? 0.0 : v > 1 ? 1.0 : v; };
        SlpSolid* solid = openSolid(r, line.number);
        if (!solid) return;
        solid->colour = {clamp(c.x), clamp(c.y), clamp(c.z)};
        solid->hasColour = true;
    } else if (takeKeyword(p, end, "facet")) {
        if (r.inFacet) {
            note(r, SlpProblem::truncated, r.facetLine);
            endFacet(r);
        }
        if (r.full || !openSolid(r, line.number)) return;
        startFacet(r, line.number);
        if (takeKeyword(p, end, "normal")) {
            Vec3 n;
            // A broken normal is only a note: it is computed from the corners instead.
            if (takeVector(r, p, end, line.number, 1e30, n)) r.facetNormal = n;
        }
    } else if (takeKeyword(p, end, "normal")) {
        if (!r.inFacet) startFacet(r, line.number);
        Vec3 n = {0, 0, 0};
        takeVector(r, p, end, line.number, 1e30, n);
        // One more than a facet may have corners tells that they do not pair up.
        if (r.normals.size() <= size_t(maxSlpFacetCorners)) r.normals.push_back(n);
    } else if (takeKeyword(p, end, "vertex")) {
        if (!r.inFacet) {
            if (!openSolid(r, line.number)) return;
            startFacet(r, line.number);
        }
        Vec3 v;
        if (!takeVector(r, p, end, line.number, maxSlpCoordinate, v))
            r.facetBroken = true;
        else if (r.corners.size() < size_t(maxSlpFacetCorners))
            r.corners.push_back(v);
        else
            r.extraCorners++;
    } else if (takeKeyword(p, end, "endfacet")) {
        if (r.inFacet) endFacet(r);
    } else if (takeKeyword(p, end, "outer") || takeKeyword(p, end, "endloop")) {
        // The loop brackets carry nothing that the corners do not.
    } else {
        note(r, SlpProblem::unknownLine, line.number);
    }
}

bool looksBinary(const char* data, size_t size)
{
    for (size_t i = 0; i < size; i++) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (c == 0 || c == 0x7F || (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v'))
            return true;
    }
    return false;
}

}  // namespace

Vec3 defaultSolidColour(int index)
{
    const Rgb8 c = pieceColours[((index % paletteSize) + paletteSize) % paletteSize];
    return Vec3{double(c.r), double(c.g), double(c.b)} * (1.0 / 255.0);
}

SlpScene parseSlp(const char* data, size_t size)
{
    Reader r;
    r.scene.noteCount = 0;
    if (size == 0) {
        note(r, SlpProblem::empty, 0);
        return r.scene;
    }
    if (looksBinary(data, size)) {
        note(r, SlpProblem::binary, 0);
        return r.scene;
    }
    const char* p = data;
    const char* end = data + size;
    int number = 0;
    while (p < end && !r.full) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') lineEnd++;
        readLine(r, {p, lineEnd, ++number});
        // CR LF, LF and a lone CR each end one line.
        p = lineEnd;
        if (p < end && *p == '\r') p++;
        if (p < end && *p == '\n') p++;
    }
    if (r.full) {
        // The note of the bound says why the rest is missing.
    } else if (r.inFacet) {
        note(r, SlpProblem::truncated, number);
        // A facet whose corners are all there is kept; only its closing lines are missing.
        if (r.corners.size() >= 3) endFacet(r);
        r.inFacet = false;
    } else if (!r.solidClosed && r.solid >= 0 && !r.scene.solids[size_t(r.solid)].name.empty()) {
        note(r, SlpProblem::truncated, number);
    }
    for (size_t i = 0; i < r.scene.solids.size(); i++) {
        SlpSolid& solid = r.scene.solids[i];
        if (!solid.hasColour) solid.colour = defaultSolidColour(int(i));
    }
    if (sceneIsEmpty(r.scene)) note(r, SlpProblem::noFacets, 0);
    return r.scene;
}

SlpScene readSlpFile(const std::string& name)
{
    SlpScene refused;
    refused.noteCount = 1;
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) {
        refused.notes.push_back({SlpProblem::cannotOpen, 0, 0});
        return refused;
    }
    std::string data;
    // The length, where the file tells it, saves growing the buffer; it is only a hint:
    // what is read decides.
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long length = std::ftell(f);
        if (length > 0) data.reserve(size_t(length < maxSlpFileBytes ? length : maxSlpFileBytes));
    }
    std::rewind(f);
    bool tooLarge = false;
    char buffer[1 << 16];
    size_t got;
    while (!tooLarge && (got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        if (data.size() + got > size_t(maxSlpFileBytes))
            tooLarge = true;
        else
            data.append(buffer, got);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (tooLarge || failed) {
        refused.notes.push_back({tooLarge ? SlpProblem::tooLarge : SlpProblem::cannotOpen, 0, 0});
        return refused;
    }
    return parseSlp(data.data(), data.size());
}

bool sceneIsEmpty(const SlpScene& scene)
{
    for (const SlpSolid& solid : scene.solids)
        if (!solid.triangles.empty()) return false;
    return true;
}
