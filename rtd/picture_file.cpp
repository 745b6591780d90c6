// picture_file.cpp: encoding through the stb image writer, which takes the rows from the
// top down, and writing the file whole.
#include "rtd/picture_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace {

void appendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

bool endsWith(const std::string& name, const char* tail)
{
    const std::string t = tail;
    if (name.size() < t.size()) return false;
    for (size_t i = 0; i < t.size(); i++) {
        char c = name[name.size() - t.size() + i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != t[i]) return false;
    }
    return true;
}

}  // namespace

PictureFormat pictureFormatFor(const std::string& name)
{
    return endsWith(name, ".png") ? PictureFormat::png : PictureFormat::bmp;
}

std::vector<uint8_t> encodePicture(PictureFormat format, int width, int height, const std::vector<uint8_t>& rgb)
{
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0 || rgb.size() != size_t(width) * size_t(height) * 3) return out;
    const size_t row = size_t(width) * 3;
    std::vector<uint8_t> topDown(rgb.size());
    for (size_t y = 0; y < size_t(height); y++)
        std::copy_n(&rgb[(size_t(height) - 1 - y) * row], row, &topDown[y * row]);
    const int written = format == PictureFormat::png
                            ? stbi_write_png_to_func(appendBytes, &out, width, height, 3, topDown.data(), int(row))
                            : stbi_write_bmp_to_func(appendBytes, &out, width, height, 3, topDown.data());
    if (!written) out.clear();
    return out;
}

bool writePictureFile(const std::string& name, int width, int height, const std::vector<uint8_t>& rgbBottomUp)
{
    const std::vector<uint8_t> bytes = encodePicture(pictureFormatFor(name), width, height, rgbBottomUp);
    if (bytes.empty()) return false;
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) == 0 && written) return true;
    std::remove(name.c_str());
    return false;
}

std::string pictureNameFor(const std::string& slpName)
{
    const size_t slash = slpName.find_last_of("\\/:");
    const size_t dot = slpName.find_last_of('.');
    std::string base = slpName;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) base = slpName.substr(0, dot);
    if (base.empty()) base = "rtd";
    return base + ".png";
}

bool sameFile(const std::string& a, const std::string& b)
{
    // The file system decides: it knows its links and whether it ignores letter case.
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}
