// Tests of cell numbering, piece placements and their words, and the box's half turns.
#include <gtest/gtest.h>

#include <set>

#include "model/placement.h"
#include "reference.h"
#include "solver/placements.h"

namespace {

TEST(Placements, EveryPlaceOfEveryPieceHasExactlyItsWord)
{
    // In the full box and in a few smaller ones: the placements are exactly the cell sets
    // that some rotation and translation yields, and each word decodes to its own set.
    const PuzzleBox boxes[] = {fullBox, {5, 2, 2}, {3, 3, 1}, {8, 4, 2}};
    for (PuzzleBox box : boxes) {
        for (int piece = 0; piece < pieceCount; piece++) {
            const std::vector<Placement> placements = piecePlacements(box, piece);
            std::set<uint64_t> masks;
            for (const Placement& p : placements) {
                EXPECT_EQ(placementPieceIndex(p.word), piece);
                EXPECT_EQ(placedMask(box, piece, p.word), p.mask) << std::hex << p.word;
                // The word's own decoding puts every cell into the box.
                const PieceCells placed = placePiece(PieceCatalogue[piece], decodePlacementWord(p.word));
                for (int i = 0; i < placed.cellCount; i++)
                    EXPECT_GE(cellBit(box, placed.cells[i]), 0);
                masks.insert(p.mask);
            }
            EXPECT_EQ(masks.size(), placements.size()) << "a cell set listed twice";
            EXPECT_EQ(masks, referencePlacements(box, PieceCatalogue[piece]))
                << "piece " << piece << " in " << box.sizeX << "x" << box.sizeY << "x" << box.sizeZ;
        }
    }
}

TEST(Placements, CountsOfSimplePieces)
{
    // The plus sign (piece 10) lies flat in one of three planes: 3*2*3 + 3*4*1 + 2*5*1.
    EXPECT_EQ(piecePlacements(fullBox, 10).size(), 40u);
    // The twisted tetracube (piece 8) spans 2x2x2, so each of the 24 rotations gives one
    // placement in a 2x2x2 box; its half-turn symmetry pairs them up.
    EXPECT_EQ(piecePlacements({2, 2, 2}, 8).size(), 12u);
    // A piece that does not fit has no placement.
    EXPECT_TRUE(piecePlacements({5, 4, 1}, 8).empty());
}

TEST(Placements, CellNumberingRoundTrips)
{
    for (PuzzleBox box : {fullBox, PuzzleBox{3, 2, 4}}) {
        for (int bit = 0; bit < boxCellTotal(box); bit++)
            EXPECT_EQ(cellBit(box, cellOfBit(box, bit)), bit);
        EXPECT_EQ(cellBit(box, {-1, 0, 0}), -1);
        EXPECT_EQ(cellBit(box, {box.sizeX, 0, 0}), -1);
        EXPECT_EQ(cellBit(box, {0, box.sizeY, 0}), -1);
        EXPECT_EQ(cellBit(box, {0, 0, box.sizeZ}), -1);
    }
}

TEST(BoxSymmetry, FullBoxTurnsAreTheViewersVariants)
{
    const BoxSymmetry symmetry = boxSymmetry(fullBox);
    for (int v = 0; v < 4; v++)
        for (int bit = 0; bit < boxCellCount; bit++)
            EXPECT_EQ(symmetry.bitImage[v][bit],
                      cellBit(fullBox, applyTransform(VariantTransforms[v], cellOfBit(fullBox, bit))));
}

TEST(BoxSymmetry, CanonicalFillingIsShared)
{
    const BoxSymmetry symmetry = boxSymmetry(fullBox);
    Filling f = {};
    f[0] = 0x3;          // two cells of piece 0 are enough to tell the images apart
    f[5] = 0x1000000;
    const Filling canonical = canonicalFilling(symmetry, f);
    for (int v = 0; v < 4; v++) {
        const Filling image = turnFilling(symmetry, v, f);
        EXPECT_EQ(canonicalFilling(symmetry, image), canonical);
        EXPECT_LE(canonical, image);
        EXPECT_EQ(turnFilling(symmetry, v, image), f) << "each half turn is its own inverse";
    }
}

}  // namespace
