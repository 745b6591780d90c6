// libFuzzer target for the viewer's SLP reader and what it feeds: any bytes are read,
// the scene's bounds, outline edges build-up order and plans are computed, and every kept
// corner must be finite and every normal of unit length. Built and run by tools/fuzz.sh.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "rtd/build_up_plan.h"
#include "rtd/scene.h"
#include "rtd/slp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SlpScene scene = parseSlp(reinterpret_cast<const char*>(data), size);
    for (const SlpSolid& solid : scene.solids) {
        for (const SlpTriangle& t : solid.triangles)
            for (int k = 0; k < 3; k++)
                if (!std::isfinite(t.corner[k].x + t.corner[k].y + t.corner[k].z) ||
                    std::fabs(length(t.normal[k]) - 1) > 1e-6)
                    std::abort();
        outlineEdges(solid);
    }
    if (sceneIsEmpty(scene) && scene.noteCount == 0) std::abort();  // nothing shown is always explained
    fitToBounds(sceneBounds(scene.solids));
    buildUpOrder(scene.solids);
    planBuildUp(scene.solids);
    return 0;
}
