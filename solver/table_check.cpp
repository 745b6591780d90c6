// table_check.cpp: the record check.
#include "solver/table_check.h"

size_t FillingHash::operator()(const Filling& f) const
{
    uint64_t h = 0x9E3779B97F4A7C15ull;
    for (uint64_t m : f) h = (h ^ m) * 0x100000001B3ull + (h >> 29);
    return size_t(h);
}

TableChecker makeTableChecker() { return {boxSymmetry(fullBox), 0, 0, 0, {}}; }

std::vector<CheckFault> checkNextRecord(TableChecker& checker, const SolutionRecord& record)
{
    const uint64_t number = ++checker.records;
    std::vector<CheckFault> faults;
    auto fault = [&](FaultKind kind, int piece) {
        CheckFault f = {kind, number, piece, -1, {0, 0, 0}, 0, 0, 0};
        faults.push_back(f);
        return &faults.back();
    };

    int owner[boxCellCount];
    for (int& o : owner) o = -1;
    bool present[pieceCount] = {};
    Filling filling = {};
    for (int w = 0; w < recordWordCount; w++) {
        const PlacementWord word = record.words[w];
        const int piece = placementPieceIndex(word);
        if (piece < 0 || piece >= pieceCount) {
            fault(FaultKind::wordWithoutPiece, w)->word = word;
            continue;
        }
        if (present[piece]) {
            fault(FaultKind::pieceTwice, piece);
            continue;
        }
        present[piece] = true;
        const PieceCells placed = placePiece(PieceCatalogue[piece], decodePlacementWord(word));
        for (int i = 0; i < placed.cellCount; i++) {
            const int bit = cellBit(fullBox, placed.cells[i]);
            if (bit < 0) {
                fault(FaultKind::outsideBox, piece)->cell = placed.cells[i];
                break;
            }
            if (owner[bit] >= 0) {
                CheckFault* f = fault(FaultKind::overlap, piece);
                f->otherPiece = owner[bit];
                f->cell = placed.cells[i];
                break;
            }
            owner[bit] = piece;
            filling[piece] |= uint64_t(1) << bit;
        }
    }
    for (int piece = 0; piece < pieceCount; piece++)
        if (!present[piece]) fault(FaultKind::pieceMissing, piece);
    if (!faults.empty()) {
        checker.faultyRecords++;
        return faults;
    }

    // Twelve pieces of 60 cells in all, inside the box and apart, fill it: the record is
    // a proper filling and takes part in the search for variants.
    Filling canonical = filling;
    int toCanonical = 0;
    for (int v = 1; v < 4; v++) {
        const Filling image = turnFilling(checker.symmetry, v, filling);
        if (image < canonical) {
            canonical = image;
            toCanonical = v;
        }
    }
    const auto first = checker.orbits.emplace(canonical, std::make_pair(number, toCanonical));
    if (!first.second) {
        // Half turns compose like the indices' exclusive or (b then c is d, and so on).
        CheckFault* f = fault(FaultKind::variantPair, -1);
        f->earlierRecord = first.first->second.first;
        f->variant = first.first->second.second ^ toCanonical;
        checker.variantPairs++;
    }
    return faults;
}
