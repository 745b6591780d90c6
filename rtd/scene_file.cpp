// scene_file.cpp: reading the SLP file and preparing its scene.
#include "rtd/scene_file.h"

#include "rtd/scene.h"

SlpScene readSceneFile(const std::string& name)
{
    if (name.empty()) {
        SlpScene scene;
        scene.noteCount = 0;
        return scene;
    }
    return readSlpFile(name);
}

LoadedScene loadScene(const std::string& name)
{
    LoadedScene loaded;
    loaded.scene = readSceneFile(name);
    loaded.usable = !sceneIsEmpty(loaded.scene);
    loaded.buildOrder = buildUpOrder(loaded.scene.solids);
    loaded.fit = fitToBounds(sceneBounds(loaded.scene.solids));
    return loaded;
}
