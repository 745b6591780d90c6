// overlay.h: what the window shows over the scene in its own area, laid out in pixels from
// the top-left corner: the problems with the call and the file (a red panel at the top
// left), the build-up's note below them, and the colour legend (each piece's colour and
// number) in columns at the top right. Long lines wrap at the room left for them.
#pragma once

#include <string>
#include <vector>

#include "rtd/camera.h"
#include "rtd/palette.h"

struct FontMetrics {
    int height, ascent;  // pixels
    int advance[256];    // per character of code page 1252
};

struct LegendEntry {
    Rgb8 colour;
    std::string label;  // the piece's number
    bool drawn;         // shown now; dimmed when not
};

struct OverlayContent {
    std::string problems;  // one a line; "" when none
    std::string note;      // "" when none
    std::vector<LegendEntry> legend;  // empty when the legend is off
};

struct OverlayRect {
    int left, top, right, bottom;
    Rgb8 colour;
};

struct OverlayText {
    int x, baseline;
    std::string text;
    Rgb8 colour;
};

// Drawn in order: the rectangles, then the texts over them.
struct Overlay {
    std::vector<OverlayRect> rects;
    std::vector<OverlayText> texts;
};

// The legend shows at most this many entries; a last one counts the rest ("+N").
constexpr int maxLegendEntries = 48;

int textWidth(const FontMetrics& font, const std::string& text);
// The lines of the text ('\n' ends one) broken at blanks, or inside a word that is wider
// than width on its own, so that each is at most width pixels wide.
std::vector<std::string> wrapText(const std::string& text, const FontMetrics& font, int width);
Overlay layoutOverlay(const OverlayContent& content, const FontMetrics& font, Viewport viewport);
