// table_check.h: the check of a solution table, record by record. Each record must place
// all twelve pieces, each once, inside the box without overlap (and so fill it); no two
// records may be variants of each other (one the half-turned image of the other, or equal).
// A record that repeats an earlier one is reported once, against the first record of its
// class, so that the check stays linear however often a record repeats.
// The record's words are read with the model's own decoder and catalogue, as the viewer
// reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/placement.h"
#include "solver/placements.h"

enum class FaultKind {
    wordWithoutPiece,  // the word's piece number is 0 or 13..15
    pieceTwice,        // a second word for the same piece
    pieceMissing,
    outsideBox,        // the placed piece has a cell outside the box
    overlap,           // two pieces share a cell
    variantPair,       // the record is a variant of the first record of its class
};

struct CheckFault {
    FaultKind kind;
    uint64_t record;       // 1-based number of the faulty record
    int piece;             // piece index, or word index for wordWithoutPiece
    int otherPiece;        // overlap: the piece that was there first
    Cell cell;             // outsideBox and overlap
    PlacementWord word;    // wordWithoutPiece
    uint64_t earlierRecord;  // variantPair
    int variant;           // variantPair: this record is the earlier one turned by it (0 = equal)
};

struct FillingHash {
    size_t operator()(const Filling& f) const;
};

struct TableChecker {
    BoxSymmetry symmetry;
    uint64_t records;      // records checked so far
    uint64_t faultyRecords;  // records with a fault of their own (variant pairs not counted)
    uint64_t variantPairs;   // records that repeat an earlier one
    // Per orbit of the valid records so far: the first record's number and the half turn
    // that takes it to the orbit's canonical filling.
    std::unordered_map<Filling, std::pair<uint64_t, int>, FillingHash> orbits;
};

TableChecker makeTableChecker();

// Checks the next record and returns its faults.
std::vector<CheckFault> checkNextRecord(TableChecker& checker, const SolutionRecord& record);

// faultText (messages.h) gives the German line for a fault.
