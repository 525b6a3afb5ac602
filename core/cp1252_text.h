// Windows-1252, the bytes every text of a quiz is kept in, to and from UTF-16, the form Windows'
// W functions take: the texts read the same whatever the system's ANSI code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What a character Windows-1252 cannot hold becomes, as in an ANSI edit control.
constexpr char kUnmappableCharacter = '?';

// The code point of a byte. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, undefined in Windows-1252,
// stand for the C1 controls of the same value (as Windows converts them), so nothing is lost.
uint32_t cp1252CodePoint(uint8_t byte);
// The byte of a code point, false when Windows-1252 has none.
bool cp1252Byte(uint32_t codePoint, char* byte);

// The text as UTF-16, one code unit per byte.
std::u16string cp1252ToUtf16(std::string_view text);
// Converts up to the first NUL of text (or its end) into out, zero-terminated, at most
// capacity - 1 bytes; a character without a Windows-1252 byte gives kUnmappableCharacter (a
// surrogate pair, one character, gives one). Returns the bytes written; capacity 0 writes none.
size_t utf16ToCp1252(std::u16string_view text, char* out, size_t capacity);
