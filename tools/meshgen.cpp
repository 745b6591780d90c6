// meshgen.cpp: writes facetgen.map and the twelve piece meshes into the folder named on
// the command line. Run by the build, so the data always follows the piece catalogue.
#include <cstdio>
#include <string>

#include "tools/piece_mesh.h"

namespace {

bool writeFile(const std::string& path, const std::string& text)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "meshgen: cannot create %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0 || !ok) {
        std::fprintf(stderr, "meshgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: meshgen <output folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    for (int k = 0; k < pieceCount; k++)
        if (!writeFile(folder + meshFileName(k), pieceMeshText(k))) return 1;
    return writeFile(folder + "facetgen.map", mapFileText()) ? 0 : 1;
}
