// UTF-8 <-> Windows-1252 for the authoring tool. Literals here are UTF-8.
#include "tools/text/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const std::string utf8 = cp1252ToUtf8(byte);
        std::string back;
        ASSERT_TRUE(utf8ToCp1252(utf8, back, nullptr, nullptr)) << value;
        EXPECT_EQ(back, byte) << value;
    }
}

TEST(Cp1252, KnownCharacters) {
    struct Case {
        const char* utf8;
        const char* cp1252;
    };
    const Case cases[] = {
        {"y a de l'idée",
         "y a de l'id\xE9"
         "e"},
        {"€", "\x80"},
        {"Œuvre", "\x8Cuvre"},
        {"l’été", "l\x92\xE9t\xE9"},
        {"«»", "\xAB\xBB"},
        {"ÿŸ", "\xFF\x9F"},
        {"…—", "\x85\x97"},
        {"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string out;
        ASSERT_TRUE(utf8ToCp1252(c.utf8, out, nullptr, nullptr)) << c.utf8;
        EXPECT_EQ(out, c.cp1252) << c.utf8;
        EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    }
}

TEST(Cp1252, RefusalsNameTheCharacter) {
    struct Case {
        std::string utf8;
        size_t index;
        uint32_t codePoint;
        const char* message;
    };
    const Case cases[] = {
        {"abcΩ", 3, 0x3A9, "'Ω' (U+03A9) n'a pas d'équivalent en Windows-1252"},
        {"é😀b", 1, 0x1F600, "'😀' (U+1F600) n'a pas d'équivalent en Windows-1252"},
        {"\u0080", 0, 0x80, "U+0080 n'a pas d'équivalent en Windows-1252"},
        {"ab\xFF", 2, 0xFF, "l'octet 0xFF n'est pas de l'UTF-8"},
        {"éa\xC3", 2, 0xC3, "l'octet 0xC3 n'est pas de l'UTF-8"},            // cut short
        {"\xC3\x28", 0, 0xC3, "l'octet 0xC3 n'est pas de l'UTF-8"},          // no continuation
        {"\xC0\xAF", 0, 0xC0, "l'octet 0xC0 n'est pas de l'UTF-8"},          // overlong
        {"\xE0\x80\xAF", 0, 0xE0, "l'octet 0xE0 n'est pas de l'UTF-8"},      // overlong
        {"\xED\xA0\x80", 0, 0xED, "l'octet 0xED n'est pas de l'UTF-8"},      // surrogate
        {"\xF4\x90\x80\x80", 0, 0xF4, "l'octet 0xF4 n'est pas de l'UTF-8"},  // above U+10FFFF
        {"x\x80", 1, 0x80, "l'octet 0x80 n'est pas de l'UTF-8"},             // lone continuation
    };
    for (const Case& c : cases) {
        std::string out;
        size_t index = 99;
        uint32_t codePoint = 0;
        EXPECT_FALSE(utf8ToCp1252(c.utf8, out, &index, &codePoint)) << c.message;
        EXPECT_EQ(index, c.index) << c.message;
        EXPECT_EQ(codePoint, c.codePoint) << c.message;
        EXPECT_EQ(describeCp1252Failure(c.utf8, index, codePoint), c.message);
    }
}

TEST(Cp1252, LongestValidSequencesAccepted) {
    std::string out;
    // U+FFFF-range and 4-byte sequences decode (and are refused only as unrepresentable).
    size_t index = 0;
    uint32_t codePoint = 0;
    EXPECT_FALSE(utf8ToCp1252("\xEF\xBF\xBF", out, &index, &codePoint));
    EXPECT_EQ(codePoint, 0xFFFFu);
    EXPECT_FALSE(utf8ToCp1252("\xF4\x8F\xBF\xBF", out, &index, &codePoint));
    EXPECT_EQ(codePoint, 0x10FFFFu);
}

}  // namespace
