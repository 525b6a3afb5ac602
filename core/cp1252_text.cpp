#include "core/cp1252_text.h"

namespace {

// Code points of bytes 0x80..0x9F; the five undefined bytes keep their own value.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

uint32_t cp1252CodePoint(uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

bool cp1252Byte(uint32_t codePoint, char* byte) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        *byte = static_cast<char>(codePoint);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == codePoint) {
            *byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::u16string cp1252ToUtf16(std::string_view text) {
    std::u16string wide(text.size(), u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        wide[i] = static_cast<char16_t>(cp1252CodePoint(static_cast<uint8_t>(text[i])));
    return wide;
}

size_t utf16ToCp1252(std::u16string_view text, char* out, size_t capacity) {
    if (capacity == 0) return 0;
    size_t written = 0;
    for (size_t i = 0; i < text.size() && text[i] != u'\0' && written + 1 < capacity; ++i) {
        char byte = kUnmappableCharacter;
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
            ++i;  // one character outside the BMP: one replacement
        else
            cp1252Byte(text[i], &byte);
        out[written++] = byte;
    }
    out[written] = '\0';
    return written;
}
