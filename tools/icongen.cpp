// icongen.cpp: writes the programs' icon files for their resources. Run by the build on
// the build machine, so that kubo_puzzle_select.exe carries the very picture that its
// window draws from view/icon_pattern.cpp, and rtd.exe a cube of its own.
//   icongen select|rtd FILE.ico
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "view/icon_pattern.h"
#include "tools/icon_file.h"

namespace {

// The 3-D viewer's icon: one cube seen from above, its top yellow, its sides red and blue.
const char rtdIconPattern[257] =
    "       KK       "
    "     KKYYKK     "
    "   KKYYYYYYKK   "
    " KKYYYYYYYYYYKK "
    "KKYYYYYYYYYYYYKK"
    "KRKKYYYYYYYYKKBK"
    "KRRRKKYYYYKKBBBK"
    "KRRRRRKKKKBBBBBK"
    "KRRRRRRKKBBBBBBK"
    "KRRRRRRKKBBBBBBK"
    "KRRRRRRKKBBBBBBK"
    "KRRRRRRKKBBBBBBK"
    " KKRRRRKKBBBBKK "
    "   KKRRKKBBKK   "
    "     KKKKKK     "
    "       KK       ";

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "select") != 0 && std::strcmp(argv[1], "rtd") != 0)) {
        std::fprintf(stderr, "usage: icongen select|rtd <file.ico>\n");
        return 2;
    }
    std::vector<IconImage> images;
    if (std::strcmp(argv[1], "select") == 0) {
        // The window's two sizes (start-up builds the same two) and Explorer's large one.
        images.push_back(monochromeIconImage(32, 32, 2, 2, iconPattern));
        images.push_back(monochromeIconImage(16, 16, 1, 1, iconPattern));
        images.push_back(monochromeIconImage(48, 48, 3, 3, iconPattern));
    } else {
        for (int scale : {2, 1, 3}) images.push_back(colourIconImage(scale, rtdIconPattern));
    }
    const std::vector<uint8_t> bytes = iconFile(images);
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f) {
        std::fprintf(stderr, "icongen: cannot create %s\n", argv[2]);
        return 1;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) {
        std::fprintf(stderr, "icongen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
