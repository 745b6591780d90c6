// The piece colours stay apart for normal vision and for the three dichromacies, and
// stand out from the background: each colour is seen as the simulation of Machado,
// Oliveira and Fernandes (2009, full severity) makes it, and compared in CIELAB.
#include <gtest/gtest.h>

#include <cmath>

#include "rtd/palette.h"

namespace {

using Matrix = double[3][3];

constexpr Matrix normal = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
constexpr Matrix protanopia = {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216},
                               {-0.003882, -0.048116, 1.051998}};
constexpr Matrix deuteranopia = {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413},
                                 {-0.011820, 0.042940, 0.968881}};
constexpr Matrix tritanopia = {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602},
                               {0.004733, 0.691367, 0.303900}};

struct Lab {
    double l, a, b;
};

double linear(uint8_t c)
{
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

Lab seenAs(Rgb8 colour, const Matrix& m)
{
    const double in[3] = {linear(colour.r), linear(colour.g), linear(colour.b)};
    double s[3];
    for (int i = 0; i < 3; i++) s[i] = std::fmin(1, std::fmax(0, m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2]));
    const double x = (0.4124 * s[0] + 0.3576 * s[1] + 0.1805 * s[2]) / 0.95047;
    const double y = 0.2126 * s[0] + 0.7152 * s[1] + 0.0722 * s[2];
    const double z = (0.0193 * s[0] + 0.1192 * s[1] + 0.9505 * s[2]) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double distance(Lab p, Lab q) { return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b)); }

}  // namespace

TEST(Palette, PieceColoursStayApartForCommonColourVisionDeficiencies)
{
    const struct {
        const char* name;
        const Matrix& m;
    } visions[] = {{"normal", normal}, {"protanopia", protanopia}, {"deuteranopia", deuteranopia},
                   {"tritanopia", tritanopia}};
    for (const auto& v : visions) {
        for (int i = 0; i < paletteSize; i++) {
            const Lab a = seenAs(pieceColours[i], v.m);
            EXPECT_GT(distance(a, seenAs(backgroundColour, v.m)), 35) << v.name << ": piece " << i + 1;
            for (int j = i + 1; j < paletteSize; j++)
                EXPECT_GT(distance(a, seenAs(pieceColours[j], v.m)), 20)
                    << v.name << ": pieces " << i + 1 << " and " << j + 1;
        }
    }
}
