// UTF-8 (files, terminal) to and from Windows-1252 (everything the player stores and shows).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Converts UTF-8 to Windows-1252. On failure returns false and sets *badIndex to the 0-based
// character (code point) index of the first offending character and *badCodePoint to it;
// for a byte that is not valid UTF-8 (counted as one character) *badCodePoint is that byte.
// Either pointer may be null. U+0081, U+008D, U+008F, U+0090 and U+009D give back the
// bytes cp1252ToUtf8 turns into them.
bool utf8ToCp1252(const std::string& utf8, std::string& out, size_t* badIndex,
                  uint32_t* badCodePoint);

// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D (undefined in Windows-1252) become the C1 characters
// of the same value, so nothing is lost.
std::string cp1252ToUtf8(const std::string& text);

// What went wrong at the first offending character of utf8, for a message:
// "'Ω' (U+03A9) has no Windows-1252 form", "U+0080 has no Windows-1252 form" (a control
// character) or "byte 0xFF is not UTF-8".
std::string describeCp1252Failure(const std::string& utf8, size_t badIndex, uint32_t badCodePoint);

// Index of the first control character of a Windows-1252 text (U+0000..U+001F, U+007F and the
// C1 characters the undefined bytes stand for), or std::string::npos.
size_t findControlCharacter(const std::string& cp1252);
