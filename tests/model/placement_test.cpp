// Tests of placement words, the effective placement and the solution text forms.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "model/placement.h"
#include "model/solution_id.h"

namespace {

int determinant(const IntTransform& t)
{
    const int32_t* e = t.e;
    return e[0] * (e[4] * e[8] - e[5] * e[7]) - e[3] * (e[1] * e[8] - e[2] * e[7]) +
           e[6] * (e[1] * e[5] - e[2] * e[4]);
}

TEST(Placement, DecodesDocumentedWords)
{
    EXPECT_EQ(placementPieceIndex(0x1000), 0);
    EXPECT_EQ(decodePlacementWord(0x1000), identityTransform);
    EXPECT_EQ(placementPieceIndex(0x3ACE), 2);
    const IntTransform t = {{0, 0, -1, -1, 0, 0, 0, 1, 0, 4, 3, 2}};
    EXPECT_EQ(decodePlacementWord(0x3ACE), t);
    // Translation x 5..7 is taken as it stands.
    EXPECT_EQ(decodePlacementWord(0x1070).e[9], 7);
    EXPECT_EQ(placementPieceIndex(0x0000), -1);
    EXPECT_EQ(placementPieceIndex(0xF000), 14);
    EXPECT_EQ(placementPieceIndex(0xC000), 11);
}

TEST(Placement, AxisBitsGiveTheTwentyFourRotations)
{
    std::set<std::vector<int32_t>> seen;
    for (int bits = 0; bits < 32; bits++) {
        const int axis = bits >> 3;
        if (axis == 3) continue;
        const PlacementWord word = PlacementWord(0x1000 | (bits << 7));
        const IntTransform t = decodePlacementWord(word);
        EXPECT_EQ(determinant(t), 1) << std::hex << word;
        // The x column is a signed unit vector on the coded axis.
        EXPECT_EQ(t.e[axis], (word & 0x200) ? -1 : 1);
        seen.insert(std::vector<int32_t>(t.e, t.e + 9));
    }
    EXPECT_EQ(seen.size(), 24u);
}

TEST(Placement, EffectivePlacementComposesVariantWordAndFlip)
{
    const PlacementWord word = 0x3ACE;
    const IntTransform decoded = decodePlacementWord(word);
    EXPECT_EQ(effectivePlacementWith(word, -1, true, {1, 1, 1}), decoded);
    EXPECT_EQ(effectivePlacementWith(word, 0, true, {1, 1, 1}), decoded);
    for (int v = 1; v < 4; v++)
        EXPECT_EQ(effectivePlacementWith(word, v, false, {0, 0, 0}),
                  composeTransforms(VariantTransforms[v], decoded));

    // Pieces 0, 1 and 8 turn over with their own option only, and only with withFlip.
    const struct {
        PlacementWord word;
        FlipOptions on, others;
        int flipIndex;
    } flips[] = {
        {0x1025, {1, 0, 0}, {0, 1, 1}, 0},
        {0x2025, {0, 1, 0}, {1, 0, 1}, 1},
        {0x9025, {0, 0, 1}, {1, 1, 0}, 2},
    };
    for (const auto& f : flips) {
        const IntTransform plain = decodePlacementWord(f.word);
        const IntTransform turned =
            composeTransforms(VariantTransforms[2], composeTransforms(plain, FlipTransforms[f.flipIndex]));
        EXPECT_EQ(effectivePlacementWith(f.word, 2, true, f.on), turned);
        EXPECT_EQ(effectivePlacementWith(f.word, 2, false, f.on),
                  composeTransforms(VariantTransforms[2], plain));
        EXPECT_EQ(effectivePlacementWith(f.word, 2, true, f.others),
                  composeTransforms(VariantTransforms[2], plain));
    }
    // Another piece never turns over.
    EXPECT_EQ(effectivePlacementWith(0x4025, 0, true, {1, 1, 1}), decodePlacementWord(0x4025));
}

TEST(SolutionIdText, ParsesAndFormats)
{
    const struct {
        const char* text;
        uint32_t number;
        int variant;
    } cases[] = {
        {"", 0, -1},          {"17", 17, -1},     {"17c", 17, 2},        {"17C", 17, 2},
        {"17e", 17, -1},      {"c17", 0, -1},     {"  42b", 42, 1},      {"0", 0, -1},
        {"4294967295d", 4294967295u, 3},
        {"99999999999999999999", 4294967295u, -1},  // saturates, never wraps
    };
    for (const auto& c : cases) {
        const SolutionId id = parseSolutionId(c.text);
        EXPECT_EQ(id.number, c.number) << c.text;
        EXPECT_EQ(id.variant, c.variant) << c.text;
    }
    EXPECT_EQ(formatSolutionId({17, 2}), "17c");
    EXPECT_EQ(formatSolutionId({17, -1}), "17");
    EXPECT_EQ(formatSolutionId({0, -1}), "0");
    EXPECT_EQ(formatSolutionId({4294967295u, 0}), "4294967295a");
}

}  // namespace
