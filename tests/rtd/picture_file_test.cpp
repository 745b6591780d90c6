// The pictures rtd writes, read back by a real decoder (the stb image reader), the picture
// names, and the test that a picture name is not the file shown.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#include <stb_image.h>

#include "rtd/picture_file.h"

namespace {

// 3 x 2 pixels from the bottom row up, as OpenGL reads them.
const std::vector<uint8_t> bottomUp = {255, 0, 0, 0, 255, 0, 0, 0, 255,  // bottom: red green blue
                                       10, 20, 30, 40, 50, 60, 255, 255, 255};

std::string fileText(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(PictureFile, PngAndBmpDecodeToThePixelsTopRowFirst)
{
    for (PictureFormat format : {PictureFormat::png, PictureFormat::bmp}) {
        const std::vector<uint8_t> bytes = encodePicture(format, 3, 2, bottomUp);
        ASSERT_FALSE(bytes.empty());
        int w = 0, h = 0, channels = 0;
        stbi_uc* pixels = stbi_load_from_memory(bytes.data(), int(bytes.size()), &w, &h, &channels, 3);
        ASSERT_NE(pixels, nullptr) << stbi_failure_reason();
        EXPECT_EQ(w, 3);
        EXPECT_EQ(h, 2);
        const std::vector<uint8_t> decoded(pixels, pixels + 18);
        stbi_image_free(pixels);
        std::vector<uint8_t> topDown(bottomUp.begin() + 9, bottomUp.end());
        topDown.insert(topDown.end(), bottomUp.begin(), bottomUp.begin() + 9);
        EXPECT_EQ(decoded, topDown);
    }
    EXPECT_EQ(encodePicture(PictureFormat::png, 2, 1, bottomUp).size(), 0u);  // size and pixels disagree
    EXPECT_EQ(encodePicture(PictureFormat::bmp, 0, 2, {}).size(), 0u);
    // The BMP stays the 24-bit file the window's tests read: 54 header bytes, rows padded.
    EXPECT_EQ(encodePicture(PictureFormat::bmp, 3, 2, bottomUp).size(), 54u + 2 * 12);
}

TEST(PictureFile, TheNameChoosesTheFormatAndWritingLeavesAWholeFileOrNone)
{
    EXPECT_EQ(pictureFormatFor("a.png"), PictureFormat::png);
    EXPECT_EQ(pictureFormatFor("B.PNG"), PictureFormat::png);
    EXPECT_EQ(pictureFormatFor("c.bmp"), PictureFormat::bmp);
    EXPECT_EQ(pictureFormatFor("png"), PictureFormat::bmp);
    EXPECT_EQ(pictureNameFor("loesungen\\kubo_puzzle_000017c.slp"), "loesungen\\kubo_puzzle_000017c.png");
    EXPECT_EQ(pictureNameFor("a.b\\noext"), "a.b\\noext.png");
    EXPECT_EQ(pictureNameFor(".slp"), "rtd.png");

    const std::string png = ::testing::TempDir() + "rtd_picture.PNG";
    ASSERT_TRUE(writePictureFile(png, 3, 2, bottomUp));
    EXPECT_EQ(fileText(png).substr(1, 3), "PNG");
    EXPECT_FALSE(writePictureFile(png, 3, 2, {1, 2, 3}));  // nothing to write: the old file stays
    EXPECT_EQ(fileText(png).substr(1, 3), "PNG");
    EXPECT_FALSE(writePictureFile(::testing::TempDir() + "no_such_folder/x.png", 3, 2, bottomUp));
    std::remove(png.c_str());
}

TEST(PictureFile, ThePictureIsNeverTheFileShown)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(::testing::TempDir()) / "rtd_same_file";
    fs::remove_all(folder);
    fs::create_directories(folder / "sub");
    { std::ofstream(folder / "victim.slp") << "solid a\n"; }
    const std::string victim = (folder / "victim.slp").string();
    std::error_code e;
    fs::create_symlink(folder / "victim.slp", folder / "link.slp", e);
    fs::create_hard_link(folder / "victim.slp", folder / "hard.slp", e);
    EXPECT_TRUE(sameFile(victim, victim));
    EXPECT_TRUE(sameFile((folder / "sub" / ".." / "victim.slp").string(), victim));
    EXPECT_TRUE(sameFile((folder / "link.slp").string(), victim));
    EXPECT_TRUE(sameFile((folder / "hard.slp").string(), victim));
    EXPECT_FALSE(sameFile((folder / "new.png").string(), victim));  // not there yet: another file
    { std::ofstream(folder / "other.slp") << "solid a\n"; }
    EXPECT_FALSE(sameFile((folder / "other.slp").string(), victim));
    EXPECT_FALSE(sameFile("", victim));
    fs::remove_all(folder);
}
