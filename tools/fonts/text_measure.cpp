#include "tools/fonts/text_measure.h"

#include <algorithm>

namespace {

const FontTable& table(PlayerFont font) { return kFontTables[static_cast<int>(font)]; }

int charWidth(const FontTable& t, char c) {
    const int code = static_cast<unsigned char>(c);
    return code < kFirstTableChar ? 0 : t.widths[code - kFirstTableChar];
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        const size_t space = text.find(' ', start);
        const size_t end = space == std::string::npos ? text.size() : space;
        if (end > start) out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

}  // namespace

int textWidth(PlayerFont font, const std::string& cp1252) {
    const FontTable& t = table(font);
    int width = 0;
    for (char c : cp1252) width += charWidth(t, c);
    return width;
}

std::vector<std::string> wrapLines(PlayerFont font, const std::string& cp1252, int width) {
    std::vector<std::string> lines;
    std::string current;
    for (const std::string& word : words(cp1252)) {
        const std::string longer = current.empty() ? word : current + " " + word;
        if (current.empty() || textWidth(font, longer) <= width) {
            current = longer;
            continue;
        }
        lines.push_back(current);
        current = word;
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

BoxFit fitInLabel(PlayerFont font, const std::string& cp1252, int width, int height) {
    BoxFit fit;
    const std::vector<std::string> lines = wrapLines(font, cp1252, width);
    fit.lines = static_cast<int>(lines.size());
    const int room = std::max(1, height / table(font).lineHeight);
    for (int i = 0; i < fit.lines; ++i) {
        if (i >= room || textWidth(font, lines[i]) > width) {
            fit.fits = false;
            if (i >= room) break;
        }
        fit.shown += (i > 0 ? " " : "") + lines[i];
    }
    return fit;
}

BoxFit fitInEdit(PlayerFont font, const std::string& cp1252, int width) {
    BoxFit fit;
    fit.lines = 1;
    const int room = width - kProbedEditMargins;
    int used = 0;
    for (char c : cp1252) {
        const int w = charWidth(table(font), c);
        // The box clips at its margin: a letter cut past its middle still reads as itself.
        if (used + w > room) fit.fits = false;
        if (2 * used + w > 2 * room) break;
        fit.shown += c;
        used += w;
    }
    return fit;
}
