#include "tools/text/cp1252.h"

#include <cstdio>

#include "core/cp1252_text.h"

namespace {

bool isContinuation(uint8_t byte, uint8_t low = 0x80, uint8_t high = 0xBF) {
    return byte >= low && byte <= high;
}

// Decodes one strict UTF-8 sequence at pos (no overlong forms, no surrogates, at most
// U+10FFFF). On failure pos moves past the one offending byte and codePoint holds it.
bool decodeOne(const std::string& text, size_t& pos, uint32_t& codePoint) {
    const uint8_t lead = static_cast<uint8_t>(text[pos]);
    int extra = 0;
    uint8_t low = 0x80, high = 0xBF;
    if (lead < 0x80) {
        codePoint = lead;
        ++pos;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        codePoint = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        codePoint = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        codePoint = lead;
        ++pos;
        return false;
    }
    for (int k = 1; k <= extra; ++k) {
        const size_t at = pos + static_cast<size_t>(k);
        const bool first = k == 1;
        if (at >= text.size() || !isContinuation(static_cast<uint8_t>(text[at]), first ? low : 0x80,
                                                 first ? high : 0xBF)) {
            codePoint = lead;
            ++pos;
            return false;
        }
        codePoint = (codePoint << 6) | (static_cast<uint8_t>(text[at]) & 0x3F);
    }
    pos += static_cast<size_t>(extra) + 1;
    return true;
}

void appendUtf8(std::string& out, uint32_t codePoint) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        // Windows-1252 never needs more than three bytes.
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

}  // namespace

bool utf8ToCp1252(const std::string& utf8, std::string& out, size_t* badIndex,
                  uint32_t* badCodePoint) {
    out.clear();
    out.reserve(utf8.size());
    size_t pos = 0;
    for (size_t index = 0; pos < utf8.size(); ++index) {
        uint32_t codePoint = 0;
        char byte = 0;
        if (!decodeOne(utf8, pos, codePoint) || !cp1252Byte(codePoint, &byte)) {
            if (badIndex) *badIndex = index;
            if (badCodePoint) *badCodePoint = codePoint;
            return false;
        }
        out.push_back(byte);
    }
    return true;
}

std::string cp1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char ch : text) appendUtf8(out, cp1252CodePoint(static_cast<uint8_t>(ch)));
    return out;
}

std::string describeCp1252Failure(const std::string& utf8, size_t badIndex, uint32_t badCodePoint) {
    size_t pos = 0;
    size_t start = 0;
    bool valid = false;
    for (size_t index = 0; index <= badIndex && pos < utf8.size(); ++index) {
        uint32_t codePoint = 0;
        start = pos;
        valid = decodeOne(utf8, pos, codePoint);
    }
    char number[32];
    if (!valid) {
        std::snprintf(number, sizeof number, "0x%02X", static_cast<unsigned>(badCodePoint & 0xFF));
        return "l'octet " + std::string(number) + " n'est pas de l'UTF-8";
    }
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(badCodePoint));
    // A control character would garble the message; its code point says it all.
    if (badCodePoint < 0xA0) return std::string(number) + " n'a pas d'équivalent en Windows-1252";
    return "'" + utf8.substr(start, pos - start) + "' (" + number +
           ") n'a pas d'équivalent en Windows-1252";
}

size_t findControlCharacter(const std::string& cp1252) {
    for (size_t i = 0; i < cp1252.size(); ++i) {
        const uint8_t byte = static_cast<uint8_t>(cp1252[i]);
        const bool c1 = byte >= 0x80 && byte < 0xA0 && cp1252CodePoint(byte) == byte;
        if (byte < 0x20 || byte == 0x7F || c1) return i;
    }
    return std::string::npos;
}
