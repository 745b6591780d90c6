// placement.cpp: effective placement of a piece under the turn-over options.
#include "model/placement.h"

bool flipIsOn(FlipOptions flips, int pieceIndex)
{
    // In the order of flipPieceIndices: C, Z, r.
    const int options[3] = {flips.mirrorC, flips.mirrorZ, flips.mirrorR};
    const int slot = flipSlotOf(pieceIndex);
    return slot >= 0 && options[slot] != 0;
}

IntTransform effectivePlacementWith(PlacementWord word, int variant, bool withFlip,
                                    FlipOptions flips)
{
    const int v = (variant < 0 || variant > 3) ? 0 : variant;
    IntTransform t = decodePlacementWord(word);
    const int piece = placementPieceIndex(word);
    if (withFlip && flipIsOn(flips, piece)) t = composeTransforms(t, *flipTransformFor(piece));
    return composeTransforms(VariantTransforms[v], t);
}
