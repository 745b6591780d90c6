// reference.cpp: brute-force placements and fillings.
#include "reference.h"

#include <cstddef>

std::vector<IntTransform> properRotations()
{
    std::vector<IntTransform> rotations;
    const int perms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto& perm : perms) {
        for (int signs = 0; signs < 8; signs++) {
            IntTransform t = {};
            for (int col = 0; col < 3; col++)
                t.e[3 * col + perm[col]] = (signs >> col) & 1 ? -1 : 1;
            const int* m = t.e;
            const int det = m[0] * (m[4] * m[8] - m[7] * m[5]) - m[3] * (m[1] * m[8] - m[7] * m[2]) +
                            m[6] * (m[1] * m[5] - m[4] * m[2]);
            if (det == 1) rotations.push_back(t);
        }
    }
    return rotations;
}

std::set<uint64_t> referencePlacements(PuzzleBox box, const PieceCells& piece)
{
    std::set<uint64_t> masks;
    for (const IntTransform& r : properRotations()) {
        for (int tx = -8; tx <= 8; tx++)
            for (int ty = -8; ty <= 8; ty++)
                for (int tz = -8; tz <= 8; tz++) {
                    uint64_t mask = 0;
                    bool inside = true;
                    for (int i = 0; i < piece.cellCount && inside; i++) {
                        const Cell c = piece.cells[i];
                        const Cell p = {r.e[0] * c.x + r.e[3] * c.y + r.e[6] * c.z + tx,
                                        r.e[1] * c.x + r.e[4] * c.y + r.e[7] * c.z + ty,
                                        r.e[2] * c.x + r.e[5] * c.y + r.e[8] * c.z + tz};
                        const int bit = cellBit(box, p);
                        if (bit < 0)
                            inside = false;
                        else
                            mask |= uint64_t(1) << bit;
                    }
                    if (inside) masks.insert(mask);
                }
    }
    return masks;
}

static void placeFrom(std::size_t k, uint64_t occupied,
                      const std::vector<std::vector<uint64_t>>& options, Filling& current,
                      std::vector<Filling>& out)
{
    if (k == options.size()) {
        out.push_back(current);
        return;
    }
    for (uint64_t mask : options[k]) {
        if (mask & occupied) continue;
        current[k] = mask;
        placeFrom(k + 1, occupied | mask, options, current, out);
    }
    current[k] = 0;
}

std::vector<Filling> referenceFillings(PuzzleBox box, const std::vector<PieceCells>& shapes)
{
    std::vector<std::vector<uint64_t>> options;
    for (const PieceCells& shape : shapes) {
        const std::set<uint64_t> masks = referencePlacements(box, shape);
        options.emplace_back(masks.begin(), masks.end());
    }
    std::vector<Filling> out;
    Filling current = {};
    placeFrom(0, 0, options, current, out);
    return out;
}

std::vector<PieceCells> catalogueShapes(const std::vector<int>& pieces)
{
    std::vector<PieceCells> shapes;
    for (int p : pieces) shapes.push_back(PieceCatalogue[p]);
    return shapes;
}

Filling toCatalogue(const Filling& f, const std::vector<int>& pieces)
{
    Filling out = {};
    for (size_t k = 0; k < pieces.size(); k++) out[size_t(pieces[k])] = f[k];
    return out;
}
