// placement.cpp: effective placement of a piece and the global turn-over options.
#include "model/placement.h"

int mirrorC = 0;
int mirrorZ = 0;
int mirrorR = 0;

FlipOptions currentFlipOptions() { return {mirrorC, mirrorZ, mirrorR}; }

IntTransform effectivePlacementWith(PlacementWord word, int variant, bool withFlip,
                                    FlipOptions flips)
{
    const int v = (variant < 0 || variant > 3) ? 0 : variant;
    IntTransform t = decodePlacementWord(word);
    if (withFlip) {
        const int piece = placementPieceIndex(word);
        const bool on = (piece == 0 && flips.mirrorC) || (piece == 1 && flips.mirrorZ) ||
                        (piece == 8 && flips.mirrorR);
        if (on) t = composeTransforms(t, *flipTransformFor(piece));
    }
    return composeTransforms(VariantTransforms[v], t);
}

IntTransform effectivePlacement(PlacementWord word, int variant, bool withFlip)
{
    return effectivePlacementWith(word, variant, withFlip, currentFlipOptions());
}
