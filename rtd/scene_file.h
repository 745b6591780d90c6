// scene_file.h: the file named on the command line, read whole and closed at once (so
// that whoever started the viewer may delete it as soon as the viewer ends), and what
// the viewer works out from it before the first frame.
#pragma once

#include <string>
#include <vector>

#include "rtd/camera.h"
#include "rtd/slp.h"

struct LoadedScene {
    SlpScene scene;
    std::vector<int> buildOrder;
    Fit fit;
    bool usable;  // something to draw
};

// The scene of the file (readSlpFile: a file that cannot be read, or is larger than
// maxSlpFileBytes, gives one note). An empty name gives an empty scene and no note.
SlpScene readSceneFile(const std::string& name);
LoadedScene loadScene(const std::string& name);
