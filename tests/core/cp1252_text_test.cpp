// Windows-1252 to and from UTF-16, for the texts handed to Windows' W functions.
#include "core/cp1252_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string narrow(std::u16string_view wide, size_t capacity = 260) {
    std::string out(capacity, 'X');
    const size_t length = utf16ToCp1252(wide, out.data(), capacity);
    EXPECT_EQ(out[length], '\0');
    return out.substr(0, length);
}

TEST(Cp1252Text, EveryByteSurvivesTheRoundTrip) {
    for (int value = 1; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const std::u16string wide = cp1252ToUtf16(byte);
        ASSERT_EQ(wide.size(), 1u);
        EXPECT_EQ(narrow(wide), byte) << value;
    }
}

TEST(Cp1252Text, ConvertsBothWays) {
    struct Case {
        std::string cp1252;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"Villes \xE0 d\xE9"
         "couvrir",
         u"Villes \u00E0 d\u00E9couvrir"},
        {"H\xE9l\xE8ne, Gen\xE8ve", u"H\u00E9l\u00E8ne, Gen\u00E8ve"},
        {"\x80 \x8C\x9C \x92 \x9F \x85", u"\u20AC \u0152\u0153 \u2019 \u0178 \u2026"},
        {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
        {"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp1252ToUtf16(c.cp1252), c.utf16) << c.cp1252;
        EXPECT_EQ(narrow(c.utf16), c.cp1252) << c.cp1252;
    }
}

TEST(Cp1252Text, WhatItCannotHoldBecomesOneQuestionMarkPerCharacter) {
    struct Case {
        std::u16string utf16;
        std::string cp1252;
    };
    const Case cases[] = {
        {u"\u0141\u00F3d\u017A",
         "?\xF3"
         "d?"},  // Polish: only o-acute is in Windows-1252
        {u"\u65E5\u672C\u8A9E", "???"},
        {u"quiz\U0001F389.exe", "quiz?.exe"},  // a surrogate pair is one character
        {u"a\xD800"
         u"b\xDC00",
         "a?b?"},           // lone surrogates
        {u"ab\0cd", "ab"},  // the text ends at its NUL
    };
    for (const Case& c : cases) EXPECT_EQ(narrow(c.utf16), c.cp1252) << c.cp1252;
}

TEST(Cp1252Text, KeepsWithinItsBuffer) {
    EXPECT_EQ(narrow(std::u16string(300, u'e'), 260), std::string(259, 'e'));
    std::u16string edge(258, u'e');
    edge += u"\U0001F389z";
    EXPECT_EQ(narrow(edge, 260), std::string(258, 'e') + "?");
    char none = 'X';
    EXPECT_EQ(utf16ToCp1252(u"abc", &none, 0), 0u);
    EXPECT_EQ(none, 'X');
}

}  // namespace
