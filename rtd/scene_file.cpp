// scene_file.cpp: reading the SLP file and preparing its scene.
#include "rtd/scene_file.h"

#include <cstdio>

#include "rtd/scene.h"

SlpScene readSceneFile(const std::string& name, long maxBytes)
{
    SlpScene scene;
    scene.noteCount = 0;
    if (name.empty()) return scene;
    std::string data;
    bool opened = false;
    if (std::FILE* f = std::fopen(name.c_str(), "rb")) {
        opened = true;
        char buffer[1 << 16];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
            if (long(data.size() + got) > maxBytes) {
                opened = false;
                break;
            }
            data.append(buffer, got);
        }
        if (std::ferror(f)) opened = false;
        std::fclose(f);
    }
    if (opened) return parseSlp(data.data(), data.size());
    scene.notes.push_back({SlpProblem::cannotOpen, 0, 0});
    scene.noteCount = 1;
    return scene;
}

LoadedScene loadScene(const std::string& name, long maxBytes)
{
    LoadedScene loaded;
    loaded.scene = readSceneFile(name, maxBytes);
    loaded.usable = !sceneIsEmpty(loaded.scene);
    loaded.buildOrder = buildUpOrder(loaded.scene.solids);
    loaded.fit = fitToBounds(sceneBounds(loaded.scene.solids));
    return loaded;
}
