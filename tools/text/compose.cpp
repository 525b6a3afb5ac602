#include "tools/text/compose.h"

#include <cstdint>

namespace {

struct Composition {
    char base;
    uint16_t mark;  // combining code point, U+0300..U+0327
    uint16_t composed;
};

constexpr uint16_t kGrave = 0x0300, kAcute = 0x0301, kCircumflex = 0x0302, kTilde = 0x0303,
                   kDiaeresis = 0x0308, kRing = 0x030A, kCaron = 0x030C, kCedilla = 0x0327;

// Every letter with a diacritic that Windows-1252 holds.
constexpr Composition kCompositions[] = {
    {'A', kGrave, 0xC0},       {'A', kAcute, 0xC1},      {'A', kCircumflex, 0xC2},
    {'A', kTilde, 0xC3},       {'A', kDiaeresis, 0xC4},  {'A', kRing, 0xC5},
    {'C', kCedilla, 0xC7},     {'E', kGrave, 0xC8},      {'E', kAcute, 0xC9},
    {'E', kCircumflex, 0xCA},  {'E', kDiaeresis, 0xCB},  {'I', kGrave, 0xCC},
    {'I', kAcute, 0xCD},       {'I', kCircumflex, 0xCE}, {'I', kDiaeresis, 0xCF},
    {'N', kTilde, 0xD1},       {'O', kGrave, 0xD2},      {'O', kAcute, 0xD3},
    {'O', kCircumflex, 0xD4},  {'O', kTilde, 0xD5},      {'O', kDiaeresis, 0xD6},
    {'U', kGrave, 0xD9},       {'U', kAcute, 0xDA},      {'U', kCircumflex, 0xDB},
    {'U', kDiaeresis, 0xDC},   {'Y', kAcute, 0xDD},      {'a', kGrave, 0xE0},
    {'a', kAcute, 0xE1},       {'a', kCircumflex, 0xE2}, {'a', kTilde, 0xE3},
    {'a', kDiaeresis, 0xE4},   {'a', kRing, 0xE5},       {'c', kCedilla, 0xE7},
    {'e', kGrave, 0xE8},       {'e', kAcute, 0xE9},      {'e', kCircumflex, 0xEA},
    {'e', kDiaeresis, 0xEB},   {'i', kGrave, 0xEC},      {'i', kAcute, 0xED},
    {'i', kCircumflex, 0xEE},  {'i', kDiaeresis, 0xEF},  {'n', kTilde, 0xF1},
    {'o', kGrave, 0xF2},       {'o', kAcute, 0xF3},      {'o', kCircumflex, 0xF4},
    {'o', kTilde, 0xF5},       {'o', kDiaeresis, 0xF6},  {'u', kGrave, 0xF9},
    {'u', kAcute, 0xFA},       {'u', kCircumflex, 0xFB}, {'u', kDiaeresis, 0xFC},
    {'y', kAcute, 0xFD},       {'y', kDiaeresis, 0xFF},  {'S', kCaron, 0x0160},
    {'s', kCaron, 0x0161},     {'Z', kCaron, 0x017D},    {'z', kCaron, 0x017E},
    {'Y', kDiaeresis, 0x0178},
};

// The combining mark encoded at `pos` (two bytes, U+0300..U+036F), or 0.
uint16_t markAt(const std::string& text, size_t pos) {
    if (pos + 1 >= text.size()) return 0;
    const auto lead = static_cast<unsigned char>(text[pos]);
    const auto next = static_cast<unsigned char>(text[pos + 1]);
    if ((lead != 0xCC && lead != 0xCD) || (next & 0xC0) != 0x80) return 0;
    const uint16_t codePoint = static_cast<uint16_t>(((lead & 0x1F) << 6) | (next & 0x3F));
    return codePoint <= 0x036F ? codePoint : 0;
}

void appendUtf8(std::string& out, uint16_t codePoint) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
}

}  // namespace

std::string composeLatin(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size(); ++pos) {
        const uint16_t mark = markAt(utf8, pos + 1);
        const Composition* found = nullptr;
        for (const Composition& c : kCompositions)
            if (mark != 0 && c.base == utf8[pos] && c.mark == mark) found = &c;
        if (!found) {
            out.push_back(utf8[pos]);
            continue;
        }
        appendUtf8(out, found->composed);  // every composed letter is below U+0800
        pos += 2;
    }
    return out;
}
