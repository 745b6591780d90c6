// exe_resources.cpp: reads the resources of a Windows program straight from its file, on
// the build machine, for the release check: the icons (each monochrome one compared
// with the window's icon of that size, drawn from the program's own pattern), the version
// information's texts and numbers, the manifest, and any time stamp in the resource
// directories. One line per finding:
//   icon WxH BITS-bit [the window's icon|differs from the window's icon]
//   file-version A.B.C.D     (the numbers that Properties shows)
//   product-version A.B.C.D
//   version NAME=VALUE
//   manifest LINE            (every line of the manifest)
//   time-stamp VALUE         (a resource directory that carries one)
//   exe_resources FILE.exe
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "view/icon_pattern.h"

namespace {

std::vector<uint8_t> file;

uint32_t u16(size_t at) { return at + 2 <= file.size() ? uint32_t(file[at] | file[at + 1] << 8) : 0; }
uint32_t u32(size_t at) { return u16(at) | u16(at + 2) << 16; }

struct Section {
    uint32_t address, size, offset;
};
std::vector<Section> sections;

size_t offsetOf(uint32_t rva)
{
    for (const Section& s : sections)
        if (rva >= s.address && rva < s.address + s.size) return s.offset + (rva - s.address);
    return file.size();
}

// (type, name) -> data; only numbered resources are kept, the first language of each.
std::map<std::pair<uint32_t, uint32_t>, std::vector<uint8_t>> resources;

void walk(size_t base, size_t directory, int depth, uint32_t type, uint32_t name)
{
    if (depth > 2 || directory + 16 > file.size()) return;
    if (u32(directory + 4) != 0) std::printf("time-stamp %u\n", u32(directory + 4));
    const uint32_t entries = u16(directory + 12) + u16(directory + 14);
    for (uint32_t i = 0; i < entries; i++) {
        const size_t entry = directory + 16 + 8 * i;
        const uint32_t id = u32(entry);
        const uint32_t target = u32(entry + 4);
        if (id & 0x80000000u) continue;  // a named resource
        const uint32_t t = depth == 0 ? id : type, n = depth == 1 ? id : name;
        if (target & 0x80000000u) {
            walk(base, base + (target & 0x7FFFFFFFu), depth + 1, t, n);
        } else if (depth == 2 && !resources.count({t, n})) {
            const size_t data = offsetOf(u32(base + target));
            const uint32_t size = u32(base + target + 4);
            if (data + size <= file.size())
                resources[{t, n}] = std::vector<uint8_t>(file.begin() + long(data), file.begin() + long(data + size));
        }
    }
}

std::string utf8(const std::vector<uint8_t>& d, size_t at, size_t& end, size_t limit)
{
    std::string s;
    for (; at + 1 < limit; at += 2) {
        const uint32_t c = uint32_t(d[at] | d[at + 1] << 8);
        if (c == 0) {
            at += 2;
            break;
        }
        if (c < 0x80) {
            s += char(c);
        } else if (c < 0x800) {
            s += char(0xC0 | c >> 6);
            s += char(0x80 | (c & 0x3F));
        } else {
            s += char(0xE0 | c >> 12);
            s += char(0x80 | (c >> 6 & 0x3F));
            s += char(0x80 | (c & 0x3F));
        }
    }
    end = at;
    return s;
}

size_t aligned(size_t at) { return (at + 3) & ~size_t(3); }

// One block of the version information and its children: the strings are the
// grandchildren's children of "StringFileInfo".
void versionBlock(const std::vector<uint8_t>& d, size_t at, size_t limit, int depth, bool strings)
{
    auto w = [&](size_t i) { return i + 2 <= d.size() ? uint32_t(d[i] | d[i + 1] << 8) : 0u; };
    const size_t length = w(at), valueLength = w(at + 2), type = w(at + 4);
    const size_t end = at + length < limit ? at + length : limit;
    if (length < 6) return;
    size_t valueAt;
    const std::string key = utf8(d, at + 6, valueAt, end);
    valueAt = aligned(valueAt);
    const size_t valueBytes = type == 1 ? 2 * valueLength : valueLength;
    if (depth == 0 && valueBytes >= 52 && w(valueAt) == 0x04BD && w(valueAt + 2) == 0xFEEF) {
        auto dw = [&](size_t i) { return w(valueAt + i) | w(valueAt + i + 2) << 16; };
        std::printf("file-version %u.%u.%u.%u\n", dw(8) >> 16, dw(8) & 0xFFFF, dw(12) >> 16, dw(12) & 0xFFFF);
        std::printf("product-version %u.%u.%u.%u\n", dw(16) >> 16, dw(16) & 0xFFFF, dw(20) >> 16, dw(20) & 0xFFFF);
    }
    if (depth == 3 && strings) {
        size_t ignored;
        std::printf("version %s=%s\n", key.c_str(), utf8(d, valueAt, ignored, valueAt + valueBytes).c_str());
        return;
    }
    const bool inStrings = strings || (depth == 1 && key == "StringFileInfo");
    for (size_t child = aligned(valueAt + valueBytes); child + 6 <= end;) {
        const size_t childLength = w(child);
        if (childLength == 0) break;
        versionBlock(d, child, end, depth + 1, inStrings);
        child = aligned(child + childLength);
    }
}

// A monochrome icon image against the window's icon of its size (16 x 16 pattern
// characters of width / 16 pixels each way).
bool isWindowIcon(const std::vector<uint8_t>& d, int width, int height)
{
    if (width % 16 || height % 16 || d.size() < 48) return false;
    const int stride = iconPlaneStride(width);
    std::vector<uint8_t> mask(size_t(stride * height), 0), image(mask.size(), 0);
    drawIconPattern(width, height, width / 16, height / 16, iconPattern, mask.data(), image.data());
    const size_t header = d[0] | d[1] << 8;
    const size_t row = size_t((width + 31) / 32 * 4);
    const size_t xorAt = header + 8, andAt = xorAt + row * size_t(height);
    if (andAt + row * size_t(height) > d.size()) return false;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            const size_t bottomUp = size_t(height - 1 - y) * row + size_t(x / 8);
            const int bit = 7 - x % 8;
            const int wantImage = image[size_t(y * stride + x / 8)] >> bit & 1;
            const int wantMask = mask[size_t(y * stride + x / 8)] >> bit & 1;
            if ((d[xorAt + bottomUp] >> bit & 1) != wantImage || (d[andAt + bottomUp] >> bit & 1) != wantMask)
                return false;
        }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: exe_resources FILE.exe\n");
        return 2;
    }
    std::FILE* f = std::fopen(argv[1], "rb");
    if (!f) {
        std::fprintf(stderr, "exe_resources: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int c; (c = std::fgetc(f)) != EOF;) file.push_back(uint8_t(c));
    std::fclose(f);
    const size_t pe = u32(0x3C);
    if (u32(pe) != 0x4550 || u16(pe + 24) != 0x20B) {
        std::fprintf(stderr, "exe_resources: %s is no 64-bit Windows program\n", argv[1]);
        return 1;
    }
    const size_t optional = pe + 24;
    const size_t table = optional + u16(pe + 20);
    for (uint32_t i = 0; i < u16(pe + 6); i++) {
        const size_t s = table + 40 * i;
        sections.push_back({u32(s + 12), u32(s + 16) > u32(s + 8) ? u32(s + 16) : u32(s + 8), u32(s + 20)});
    }
    if (u32(optional + 108) > 2 && u32(optional + 112 + 16) != 0) {
        const size_t base = offsetOf(u32(optional + 112 + 16));
        walk(base, base, 0, 0, 0);
    }

    const auto group = resources.find({14, 1});  // the first icon group: Explorer's icon
    if (group != resources.end()) {
        const std::vector<uint8_t>& g = group->second;
        const size_t count = g.size() >= 6 ? size_t(g[4] | g[5] << 8) : 0;
        for (size_t i = 0; i < count && 6 + 14 * i + 14 <= g.size(); i++) {
            const uint8_t* e = &g[6 + 14 * i];
            const int width = e[0] ? e[0] : 256, height = e[1] ? e[1] : 256;
            const int bits = e[6] | e[7] << 8;
            const uint32_t id = uint32_t(e[12] | e[13] << 8);
            const auto image = resources.find({3, id});
            if (image == resources.end()) {
                std::printf("icon %dx%d %d-bit missing\n", width, height, bits);
                continue;
            }
            std::printf("icon %dx%d %d-bit%s\n", width, height, bits,
                        bits != 1                                     ? ""
                        : isWindowIcon(image->second, width, height) ? " the window's icon"
                                                                      : " differs from the window's icon");
        }
    }
    const auto version = resources.find({16, 1});
    if (version != resources.end()) versionBlock(version->second, 0, version->second.size(), 0, false);
    const auto manifest = resources.find({24, 1});
    if (manifest != resources.end()) {
        std::string line;
        for (uint8_t c : manifest->second) {
            if (c == '\n') {
                std::printf("manifest %s\n", line.c_str());
                line.clear();
            } else if (c != '\r') {
                line += char(c);
            }
        }
        if (!line.empty()) std::printf("manifest %s\n", line.c_str());
    }
    return 0;
}
