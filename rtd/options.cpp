// options.cpp: command line and BMP encoding.
#include "rtd/options.h"

#include <cstdlib>

namespace {

bool takeCount(const std::vector<std::string>& args, size_t& i, int low, int high, int& value)
{
    if (i + 1 >= args.size()) return false;
    const std::string& word = args[i + 1];
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != 0 || v < low || v > high) return false;
    value = int(v);
    i++;
    return true;
}

void put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

Options parseOptions(const std::vector<std::string>& args)
{
    Options o;
    for (size_t i = 0; i < args.size(); i++) {
        const std::string& a = args[i];
        bool ok = true;
        if (!o.fileName.empty())
            o.fileName += " " + a;
        else if (a == "-o" && i + 1 < args.size())
            o.pictureName = args[++i];
        else if (a == "-w")
            ok = takeCount(args, i, 1, 8192, o.width);
        else if (a == "-h")
            ok = takeCount(args, i, 1, 8192, o.height);
        else if (a == "-bench")
            ok = takeCount(args, i, 1, 100000, o.benchFrames);
        else if (a == "-flat")
            o.flat = true;
        else if (a == "-noedges")
            o.edges = false;
        else if (a.size() > 1 && a[0] == '-')
            ok = false;
        else
            o.fileName = a;
        if (!ok && o.badOption.empty()) o.badOption = a;
    }
    return o;
}

std::vector<uint8_t> encodeBmp(int width, int height, const std::vector<uint8_t>& rgb)
{
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0 || rgb.size() < size_t(width) * size_t(height) * 3) return out;
    const uint32_t rowBytes = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * uint32_t(height);
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);  // BITMAPINFOHEADER
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));  // positive: bottom row first
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = 0; y < height; y++) {
        const uint8_t* row = &rgb[size_t(y) * size_t(width) * 3];
        for (int x = 0; x < width; x++) {
            out.push_back(row[x * 3 + 2]);
            out.push_back(row[x * 3 + 1]);
            out.push_back(row[x * 3 + 0]);
        }
        for (uint32_t pad = uint32_t(width) * 3; pad < rowBytes; pad++) out.push_back(0);
    }
    return out;
}

std::string pictureNameFor(const std::string& slpName)
{
    const size_t slash = slpName.find_last_of("\\/:");
    const size_t dot = slpName.find_last_of('.');
    std::string base = slpName;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) base = slpName.substr(0, dot);
    if (base.empty()) base = "rtd";
    return base + ".bmp";
}
