// console_text.cpp: texts kept within the console's width, the same on every system.
#include "console/console.h"

#include <algorithm>

namespace {

// One line broken at blanks into pieces of at most room columns.
std::string wrapLine(const std::string& line, int room)
{
    const size_t indentLength = std::min(line.find_first_not_of(' '), line.size());
    const std::string indent = line.substr(0, indentLength);
    std::string wrapped;
    for (size_t from = 0;;) {
        // The first piece starts at the line's own indent, the others get it.
        const std::string lead = from == 0 ? std::string() : indent;
        const size_t searchFrom = from == 0 ? indentLength : from;
        if (textColumns(lead + line.substr(from)) <= room) return wrapped + lead + line.substr(from);
        // The last blank before which the piece still fits; else the first, after a word
        // too long for any piece.
        size_t cut = std::string::npos;
        for (size_t blank = line.find(' ', searchFrom); blank != std::string::npos; blank = line.find(' ', blank + 1)) {
            const bool fits = textColumns(lead + line.substr(from, blank - from)) <= room;
            if (!fits && cut != std::string::npos) break;
            cut = blank;
            if (!fits) break;
        }
        if (cut == std::string::npos) return wrapped + lead + line.substr(from);
        wrapped += lead + line.substr(from, cut - from) + "\n";
        from = cut + 1;
    }
}

}  // namespace

std::string wrapToColumns(const std::string& text, int columns)
{
    std::string wrapped;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        wrapped += wrapLine(text.substr(start, end - start), columns - 1);
        if (end < text.size()) wrapped += '\n';
        start = end + 1;
    }
    return wrapped;
}

void writeConsoleText(std::FILE* stream, const std::string& text)
{
    std::fputs((isTerminal(stream) ? wrapToColumns(text, consoleColumns(stream)) : text).c_str(), stream);
}
