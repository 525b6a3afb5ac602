// Answer judging: the worked cases, the supporting functions, and a comparison with a plain
// second judge on thousands of random pairs. Literals here are Windows-1252 bytes.
#include "evaluation/judge.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "evaluation/verdicts.h"

namespace {

struct JudgeCase {
    const char* expected;
    const char* typed;
    const char* verdict;
};

const JudgeCase kWorkedCases[] = {
    {"Paris", "  paris  ", kVerdictBravo},
    {"Paris", "   ", kVerdictEmpty},
    {"Paris", "Parsi", kVerdictAnagram},
    {"La mer", "mer la", kVerdictAnagram},
    {"Paris", "Pari", kVerdictAlmost},
    {"Paris", "Paros", kVerdictAlmost},
    {"Orléans", "orlÉans", kVerdictAlmost},
    {"Les Miserables", "Les  Miserables", kVerdictAlmost},
    {"Paris ", "Paris", kVerdictAlmost},
    {"Napoleon Bonaparte", "Napolean Bonapate", kVerdictNearly},
    {"Paris", "Parisien", kVerdictTooLong},
    {"Chateaubriand", "chateaubri", kVerdictTooShort},
    {"Chateaubriand", "chateau", kVerdictClose},
    {"Chateaubriand", "chat", kVerdictWrong},
    {"abcdefghij", "abcdefg", kVerdictClose},
    {"abcdefghij", "abcde", kVerdictWrong},
    {"abcdefghi", "abcdef", kVerdictWrong},
    {"abcdefghijklmnop", "abcdefghijklmxyz", kVerdictIdea},
    {"abcdefghijklmno", "abcdefghijklxyz", kVerdictWrong},
    {"Constantinople", "Konstantinopolis", kVerdictWrong},
    {"AAB", "AAABXYZ", kVerdictWrong},
    {"", "A", kVerdictAlmost},
    // Edge cases around the worked ones.
    {"abcdefghij", "abcdefgh", kVerdictNearly},     // 80 % piece, but d = 2 comes first
    {"abcdefghijk", "abcdefgh", kVerdictTooShort},  // 8 of 11: 72.7 %
    {"Paris", "Piras", kVerdictAnagram},
    {"Paris", "Parus", kVerdictAlmost},
    {"été", "ÉTÉ", kVerdictNearly},        // accents are not folded: d = 2
    {"Paris", "\tParis", kVerdictAlmost},  // only spaces are trimmed
    {"Paris", "", kVerdictEmpty},
};

TEST(JudgeAnswer, WorkedCases) {
    for (const JudgeCase& c : kWorkedCases) {
        EXPECT_STREQ(judgeAnswer(c.expected, c.typed), c.verdict)
            << "expected '" << c.expected << "' typed '" << c.typed << "'";
    }
}

TEST(JudgeAnswer, ReturnsTheSharedConstantsAndAcceptsNull) {
    EXPECT_EQ(judgeAnswer("Paris", "paris"), kVerdictBravo);
    EXPECT_EQ(judgeAnswer("Paris", "xyzxyz"), kVerdictWrong);
    EXPECT_EQ(judgeAnswer("Paris", nullptr), kVerdictEmpty);
    EXPECT_EQ(judgeAnswer(nullptr, "A"), kVerdictAlmost);
    EXPECT_EQ(std::strlen(kVerdictIdea), 13u);
    EXPECT_EQ(static_cast<unsigned char>(kVerdictIdea[11]), 0xE9u);
}

TEST(JudgeAnswer, LongestTexts) {
    std::string expected;
    for (int i = 0; i < 259; ++i) expected.push_back(static_cast<char>('A' + i % 26));
    EXPECT_STREQ(judgeAnswer(expected.c_str(), expected.c_str()), kVerdictBravo);
    std::string near = expected;
    near[0] = near[100] = near[200] = '#';
    EXPECT_STREQ(judgeAnswer(expected.c_str(), near.c_str()), kVerdictIdea);
    EXPECT_STREQ(judgeAnswer(expected.c_str(), expected.substr(0, 200).c_str()), kVerdictTooShort);
    // Longer than any field: still an exact answer.
    const std::string longer = expected + expected;
    EXPECT_STREQ(judgeAnswer(longer.c_str(), (longer + "XYZ").c_str()), kVerdictTooLong);
}

TEST(Normalisation, TrimAndUpper) {
    EXPECT_EQ(trimSpaces("  a  b  "), "a  b");
    EXPECT_EQ(trimSpaces("    "), "");
    EXPECT_EQ(trimSpaces("\ta\t"), "\ta\t");
    EXPECT_EQ(upperAscii("azAZ09 éÉ{`"), "AZAZ09 éÉ{`");
}

TEST(EditDistance, KnownValues) {
    struct Case {
        const char* a;
        const char* b;
        int d;
    };
    const Case cases[] = {
        {"", "", 0},         {"", "abc", 3}, {"abc", "", 3},    {"kitten", "sitting", 3},
        {"flaw", "lawn", 2}, {"é", "É", 1},  {"ABC", "CBA", 2}, {"AAAA", "A", 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(editDistance(c.a, c.b), c.d) << c.a << " / " << c.b;
        EXPECT_EQ(editDistance(c.b, c.a), c.d) << c.b << " / " << c.a;
    }
}

TEST(SortLetters, SignedByteOrder) {
    EXPECT_EQ(sortLetters("BA A,"), " ,AAB");
    // 0xE9 and 0xC9 are negative as signed bytes: they come before every ASCII byte.
    EXPECT_EQ(sortLetters("Aé É"), std::string("\xC9\xE9 A"));
    EXPECT_EQ(sortLetters(""), "");
}

TEST(ContainmentTest, Cases) {
    struct Case {
        const char* expected;
        const char* typed;
        int result;
    };
    const Case cases[] = {
        {"PARIS", "PARISIEN", 2},
        {"PARISIEN", "PARIS", -2},
        {"PARIS", "PARIS", 2},
        {"PARIS", "LYON", 0},
        {"", "A", 1},
        {"A", "", -1},
        {"", "", 1},
        {"AAB", "AAABXYZ", 0},
        {"AB", "AAB", 2},
        {"ISIEN", "PARISIEN", 2},
        {"PARISIEN", "SIE", -2},
        {"ABC", "XXAB", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(containmentTest(c.expected, c.typed), c.result) << c.expected << " / " << c.typed;
}

// ---- A second judge, written plainly from the rules, to compare with. ----

std::string refNormaliseTyped(std::string t) {
    while (!t.empty() && t.back() == ' ') t.pop_back();
    while (!t.empty() && t.front() == ' ') t.erase(t.begin());
    for (char& ch : t)
        if (ch >= 'a' && ch <= 'z') ch -= 32;
    return t;
}

int refDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<int>> table(a.size() + 1, std::vector<int>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) table[i][0] = static_cast<int>(i);
    for (size_t j = 0; j <= b.size(); ++j) table[0][j] = static_cast<int>(j);
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j)
            table[i][j] = std::min(std::min(table[i - 1][j] + 1, table[i][j - 1] + 1),
                                   table[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1));
    return table[a.size()][b.size()];
}

std::string refSort(std::string s) {
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (size_t k = 1; k < s.size(); ++k) {
            if (static_cast<signed char>(s[k]) < static_cast<signed char>(s[k - 1])) {
                std::swap(s[k], s[k - 1]);
                swapped = true;
            }
        }
    }
    return s;
}

int refContains(const std::string& e, const std::string& t) {
    const bool shorter = t.size() < e.size();
    const std::string s = shorter ? t : e, l = shorter ? e : t;
    const int sign = shorter ? -1 : 1;
    if (s.empty()) return sign;
    size_t i = 0, j = 0;
    for (;;) {
        if (j >= l.size()) return 0;
        while (j < l.size() && l[j] != s[0]) j++;
        if (j >= l.size()) return 0;
        while (i < s.size() && j < l.size() && s[i] == l[j]) {
            i++;
            j++;
        }
        if (i == s.size()) return 2 * sign;
        i = 0;
    }
}

std::string refJudge(const std::string& expected, const std::string& typed) {
    const std::string t = refNormaliseTyped(typed);
    std::string e = expected;
    for (char& ch : e)
        if (ch >= 'a' && ch <= 'z') ch -= 32;
    if (t.empty()) return kVerdictEmpty;
    const int d = refDistance(e, t);
    if (d == 0) return kVerdictBravo;
    if (refDistance(refSort(e), refSort(t)) == 0) return kVerdictAnagram;
    if (d == 1) return kVerdictAlmost;
    if (d == 2) return kVerdictNearly;
    const int m = static_cast<int>(e.size()), n = static_cast<int>(t.size());
    const int c = refContains(e, t);
    if (c == -2) {
        if (m > 9 && 10 * n > 7 * m) return kVerdictTooShort;
        if (m > 9 && 2 * n > m) return kVerdictClose;
        return kVerdictWrong;
    }
    if (c == 2) return kVerdictTooLong;
    return 5 * d < std::max(m, n) ? kVerdictIdea : kVerdictWrong;
}

// The é of one verdict, printable on a UTF-8 terminal.
std::string cp1252Label(std::string text) {
    for (size_t k = 0; k < text.size(); ++k)
        if (text[k] == '\xE9') text.replace(k, 1, "e");
    return text;
}

// Typed texts near the expected one, so every verdict turns up.
std::string mutate(const std::string& e, std::mt19937& rng, const std::string& alphabet) {
    auto pick = [&](size_t n) { return static_cast<size_t>(rng() % (n ? n : 1)); };
    std::string t = e;
    switch (rng() % 6) {
    case 0:
        if (!t.empty()) t = t.substr(pick(t.size()), 1 + pick(t.size()));
        break;
    case 1: t = std::string(pick(3), alphabet[pick(alphabet.size())]) + t + "XY"; break;
    case 2:
        for (size_t k = 0; k + 1 < t.size(); k += 2)
            if (rng() % 3 == 0) std::swap(t[k], t[k + 1]);
        break;
    case 3: t = std::string(pick(3), ' ') + t + std::string(pick(3), ' '); break;
    case 4: t = t.substr(t.size() - t.size() * (6 + pick(4)) / 10); return t;  // a long tail
    default: break;
    }
    for (int edits = static_cast<int>(rng() % 6); edits > 0; --edits) {
        const size_t at = pick(t.size() + 1);
        const char ch = alphabet[pick(alphabet.size())];
        switch (rng() % 3) {
        case 0: t.insert(t.begin() + static_cast<long>(at), ch); break;
        case 1:
            if (at < t.size()) t.erase(at, 1);
            break;
        default:
            if (at < t.size()) t[at] = ch;
            break;
        }
    }
    for (char& ch : t)
        if (ch >= 'A' && ch <= 'Z' && rng() % 4 == 0) ch += 32;
    return t;
}

TEST(JudgeAnswer, AgreesWithPlainJudgeOnRandomPairs) {
    const std::string alphabet = "ABCab \xE9\xC9";
    std::mt19937 rng(20240611);
    std::map<std::string, int> seen;
    for (int k = 0; k < 8000; ++k) {
        std::string e;
        const size_t length = rng() % 28;
        for (size_t i = 0; i < length; ++i) e.push_back(alphabet[rng() % alphabet.size()]);
        if (rng() % 3 == 0 && !e.empty()) e = upperAscii(e);
        const std::string t =
            (rng() % 10 == 0) ? std::string(rng() % 4, ' ') : mutate(e, rng, alphabet);
        const std::string want = refJudge(e, t);
        ASSERT_STREQ(judgeAnswer(e.c_str(), t.c_str()), want.c_str())
            << "expected '" << e << "' typed '" << t << "'";
        ++seen[want];
    }
    for (const auto& entry : seen)
        std::printf("%-14s %d\n", cp1252Label(entry.first).c_str(), entry.second);
    for (const char* verdict :
         {kVerdictBravo, kVerdictAnagram, kVerdictAlmost, kVerdictNearly, kVerdictTooLong,
          kVerdictTooShort, kVerdictClose, kVerdictIdea, kVerdictWrong, kVerdictEmpty})
        EXPECT_GT(seen[verdict], 20) << verdict;
}

// The single-precision thresholds agree with the exact integer ones at every text length.
TEST(JudgeAnswer, ThresholdsAtEveryLength) {
    std::string pattern;
    for (int i = 0; i < 259; ++i) pattern.push_back(static_cast<char>('A' + i % 26));
    for (int m = 4; m <= 259; ++m) {
        const std::string e = pattern.substr(0, static_cast<size_t>(m));
        for (int n : {m / 2 - 1, m / 2, m / 2 + 1, 7 * m / 10 - 1, 7 * m / 10, 7 * m / 10 + 1}) {
            if (n < 1 || n > m - 3) continue;
            const std::string t = e.substr(0, static_cast<size_t>(n));
            ASSERT_STREQ(judgeAnswer(e.c_str(), t.c_str()), refJudge(e, t).c_str())
                << m << "/" << n;
        }
        for (int d : {m / 5 - 1, m / 5, m / 5 + 1}) {
            if (d < 3 || d > m) continue;
            std::string t = e;
            for (int k = 0; k < d; ++k) t[static_cast<size_t>(m - 1 - k)] = '#';
            ASSERT_STREQ(judgeAnswer(e.c_str(), t.c_str()), refJudge(e, t).c_str())
                << m << "/d" << d;
        }
    }
}

}  // namespace
