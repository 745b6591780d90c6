// view_state.h: how the viewer looks at its scene, apart from any window: the camera,
// which solids are drawn, the explode step, the drawing switches, the language and the
// last action's note. Commands (commands.h) change it; the drawing reads it.
#pragma once

#include <string>

#include "rtd/camera.h"
#include "rtd/texts.h"
#include "rtd/visibility.h"

struct ViewState {
    Camera camera = upperPictureCamera();
    Visibility visibility = {{}, -1};
    int explodeStep = 0;
    bool lightingOn = true, edgesOn = true;
    bool boxMode = false;  // the build-up goes into the box open at the top, else free
    Language language = Language::german;
    std::string statusText;  // the last action's note in the caption, "" when none
};
