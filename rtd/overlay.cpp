// overlay.cpp: wrapping and laying out the panels of the window's own area.
#include "rtd/overlay.h"

#include <algorithm>

namespace {

constexpr int margin = 4;   // between the window's edge and a panel
constexpr int padding = 6;  // between a panel's edge and its text
constexpr int lineGap = 2;

// A word wider than width, in pieces that fit.
std::vector<std::string> breakWord(const std::string& word, const FontMetrics& font, int width)
{
    std::vector<std::string> pieces(1);
    int used = 0;
    for (char c : word) {
        const int w = font.advance[(unsigned char)c];
        if (used + w > width && !pieces.back().empty()) {
            pieces.emplace_back();
            used = 0;
        }
        pieces.back() += c;
        used += w;
    }
    return pieces;
}

void wrapParagraph(const std::string& paragraph, const FontMetrics& font, int width, std::vector<std::string>& out)
{
    std::string line;
    size_t at = 0;
    while (at <= paragraph.size()) {
        size_t end = paragraph.find(' ', at);
        if (end == std::string::npos) end = paragraph.size();
        const std::string word = paragraph.substr(at, end - at);
        at = end + 1;
        const std::string joined = line.empty() ? word : line + " " + word;
        if (textWidth(font, joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) out.push_back(line);
        std::vector<std::string> pieces = breakWord(word, font, width);
        line = pieces.back();
        pieces.pop_back();
        out.insert(out.end(), pieces.begin(), pieces.end());
    }
    out.push_back(line);
}

// A panel of lines at (left, top); its bottom edge.
int addPanel(Overlay& o, const std::vector<std::string>& lines, const FontMetrics& font, int left, int top, Rgb8 panel)
{
    int widest = 0;
    for (const std::string& l : lines) widest = std::max(widest, textWidth(font, l));
    const int bottom = top + 2 * padding + int(lines.size()) * (font.height + lineGap) - lineGap;
    o.rects.push_back({left, top, left + 2 * padding + widest, bottom, panel});
    int baseline = top + padding + font.ascent;
    for (const std::string& l : lines) {
        o.texts.push_back({left + padding, baseline, l, panelTextColour});
        baseline += font.height + lineGap;
    }
    return bottom;
}

// The legend's columns from the right edge leftwards; its left edge.
int addLegend(Overlay& o, const std::vector<LegendEntry>& entries, const FontMetrics& font, Viewport viewport)
{
    const int rowHeight = font.height + lineGap;
    const int swatch = font.height - 2;
    const int rows = std::max(1, (viewport.height - 2 * margin - 2 * padding + lineGap) / rowHeight);
    const int shown = std::min(int(entries.size()), maxLegendEntries);
    std::vector<std::string> labels;
    for (int i = 0; i < shown; i++) labels.push_back(entries[size_t(i)].label);
    if (int(entries.size()) > shown) {
        labels.back() = "+" + std::to_string(int(entries.size()) - shown + 1);
    }
    int labelWidth = 0;
    for (const std::string& l : labels) labelWidth = std::max(labelWidth, textWidth(font, l));
    const int columnWidth = swatch + padding + labelWidth + padding;
    const int columns = (int(labels.size()) + rows - 1) / rows;
    const int usedRows = std::min(rows, int(labels.size()));
    const int right = viewport.width - margin;
    const int left = right - 2 * padding - columns * columnWidth + padding;
    o.rects.push_back({left, margin, right, margin + 2 * padding + usedRows * rowHeight - lineGap, notePanelColour});
    for (size_t i = 0; i < labels.size(); i++) {
        const int column = int(i) / rows, row = int(i) % rows;
        const int x = left + padding + column * columnWidth;
        const int top = margin + padding + row * rowHeight;
        const bool counted = i + 1 == labels.size() && int(entries.size()) > shown;
        if (!counted) o.rects.push_back({x, top + 1, x + swatch, top + 1 + swatch, entries[i].colour});
        o.texts.push_back({x + swatch + padding, top + font.ascent, labels[i],
                           counted || entries[i].drawn ? panelTextColour : dimTextColour});
    }
    return left;
}

}  // namespace

int textWidth(const FontMetrics& font, const std::string& text)
{
    int w = 0;
    for (char c : text) w += font.advance[(unsigned char)c];
    return w;
}

std::vector<std::string> wrapText(const std::string& text, const FontMetrics& font, int width)
{
    std::vector<std::string> out;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        wrapParagraph(text.substr(at, end - at), font, std::max(width, 1), out);
        at = end + 1;
    }
    return out;
}

Overlay layoutOverlay(const OverlayContent& content, const FontMetrics& font, Viewport viewport)
{
    Overlay o;
    int right = viewport.width - margin;
    if (!content.legend.empty()) right = addLegend(o, content.legend, font, viewport) - margin;
    const int width = right - margin - 2 * padding;
    int top = margin;
    if (!content.problems.empty())
        top = addPanel(o, wrapText(content.problems, font, width), font, margin, top, problemPanelColour) + margin;
    if (!content.note.empty()) addPanel(o, wrapText(content.note, font, width), font, margin, top, notePanelColour);
    return o;
}
