// options.cpp: command line and BMP encoding.
#include "rtd/options.h"

#include <cstdlib>

namespace {

enum class OptionKind { flag, number, word };

// One option of the command line; a new option is one more line of the table below.
struct OptionRule {
    const char* name;
    OptionKind kind;
    bool Options::*flag;  // set to flagValue
    bool flagValue;
    int Options::*number;  // a whole number from low to high
    int low, high;
    std::string Options::*word;  // the next argument as it is
};

constexpr OptionRule flagOption(const char* name, bool Options::*field, bool value)
{
    return {name, OptionKind::flag, field, value, nullptr, 0, 0, nullptr};
}

constexpr OptionRule numberOption(const char* name, int Options::*field, int low, int high)
{
    return {name, OptionKind::number, nullptr, false, field, low, high, nullptr};
}

constexpr OptionRule wordOption(const char* name, std::string Options::*field)
{
    return {name, OptionKind::word, nullptr, false, nullptr, 0, 0, field};
}

constexpr OptionRule rules[] = {
    wordOption("-o", &Options::pictureName),
    numberOption("-w", &Options::width, 1, 8192),
    numberOption("-h", &Options::height, 1, 8192),
    numberOption("-bench", &Options::benchFrames, 1, 100000),
    numberOption("--step", &Options::buildUpStep, 0, 100000),
    flagOption("-flat", &Options::flat, true),
    flagOption("-noedges", &Options::edges, false),
};

const OptionRule* findRule(const std::string& word)
{
    for (const OptionRule& rule : rules)
        if (word == rule.name) return &rule;
    return nullptr;
}

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

// Applies the rule to the option at i, moving i past a value it takes.
bool takeOption(const OptionRule& rule, const std::vector<std::string>& args, size_t& i, Options& o)
{
    switch (rule.kind) {
    case OptionKind::flag: o.*rule.flag = rule.flagValue; return true;
    case OptionKind::number: return takeCount(args, i, rule.low, rule.high, o.*rule.number);
    case OptionKind::word:
        if (i + 1 >= args.size()) return false;
        o.*rule.word = args[++i];
        return true;
    }
    return false;
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
        else if (const OptionRule* rule = findRule(a))
            ok = takeOption(*rule, args, i, o);
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
