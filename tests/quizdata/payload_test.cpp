// Definition and codes payloads: layouts, limits, cut-short data and the writers' round trip.
#include "quizdata/payload.h"
#include "quizdata/web_link.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/image_range.h"

namespace {

std::string raw(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

std::vector<uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Parses from a heap block of exactly the payload's size, so a read past it is caught.
PayloadResult parseExact(const std::vector<uint8_t>& payload, DefinitionData& out) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[payload.size() ? payload.size() : 1]);
    std::copy(payload.begin(), payload.end(), copy.get());
    return parseDefinition(copy.get(), payload.size(), out);
}

std::vector<std::string> codesExact(const std::string& payload, int count) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[payload.size() ? payload.size() : 1]);
    std::copy(payload.begin(), payload.end(), copy.get());
    return parseCodes(copy.get(), payload.size(), count);
}

// Header bytes: kind + 1, question count, answers per question.
std::string header(int kindByte, int count, int answers) {
    return std::string{'\x00', static_cast<char>(kindByte), static_cast<char>(count),
                       static_cast<char>(answers)} +
           "Titre|Auteur|Explications|Col 1|Col 2|";
}

const std::string kTwoAnswersBoth =
    header(2, 2, 2) + "a1|b1|p1|a2|b2|p2|" + "\x03" + "e1|x1|e2|x2|" + raw({10, 20, 30});

TEST(ParseDefinition, TwoAnswersRevealBoth) {
    DefinitionData d;
    ASSERT_EQ(parseExact(bytes(kTwoAnswersBoth + "trailing"), d), PayloadOk);
    EXPECT_EQ(d.kind, 1);
    EXPECT_EQ(d.questionCount, 2);
    EXPECT_EQ(d.answersPerQuestion, 2);
    EXPECT_EQ(d.title, "Titre");
    EXPECT_EQ(d.author, "Auteur");
    EXPECT_EQ(d.description, "Explications");
    EXPECT_EQ(d.caption1, "Col 1");
    EXPECT_EQ(d.caption2, "Col 2");
    ASSERT_EQ(d.questions.size(), 2u);
    EXPECT_EQ(d.questions[1].answer1, "a2");
    EXPECT_EQ(d.questions[1].answer2, "b2");
    EXPECT_EQ(d.questions[1].prompt, "p2");
    EXPECT_EQ(d.questions[0].explanation, "e1");
    EXPECT_EQ(d.questions[1].explanation, "e2");
    EXPECT_EQ(d.revealMode, 3);
    EXPECT_EQ(d.bgRed, 10);
    EXPECT_EQ(d.bgGreen, 20);
    EXPECT_EQ(d.bgBlue, 30);
}

TEST(ParseDefinition, LayoutVariants) {
    struct Case {
        const char* name;
        std::string payload;
        int answers;
        std::vector<std::string> answer2, explanation;
        uint8_t red;
    };
    const Case cases[] = {
        {"one answer, mode 0",
         header(1, 2, 1) + "a|p|b|q|" + raw({0, 7, 8, 9}),
         1,
         {"", ""},
         {"", ""},
         7},
        {"mode 1: colours follow", header(1, 1, 1) + "a|p|" + raw({1, 5, 6, 7}), 1, {""}, {""}, 5},
        {"mode 2",
         header(1, 2, 1) + "a|p|b|q|" + "\x02" + "x|y|" + raw({1, 2, 3}),
         1,
         {"", ""},
         {"x", "y"},
         1},
        {"mode 4", header(1, 1, 2) + "a|b|p|" + "\x04" + "x|" + raw({1, 2, 3}), 2, {"b"}, {"x"}, 1},
        {"mode 9 reads nothing", header(1, 1, 1) + "a|p|" + raw({9, 4, 5, 6}), 1, {""}, {""}, 4},
        {"answers 3: one token", header(1, 1, 3) + "a|p|" + raw({0, 1, 2, 3}), 3, {""}, {""}, 1},
        {"empty tokens",
         header(1, 1, 2) + "||p|" + "\x02" + "|" + raw({1, 2, 3}),
         2,
         {""},
         {""},
         1},
    };
    for (const Case& c : cases) {
        DefinitionData d;
        ASSERT_EQ(parseExact(bytes(c.payload), d), PayloadOk) << c.name;
        EXPECT_EQ(d.answersPerQuestion, c.answers) << c.name;
        ASSERT_EQ(d.questions.size(), c.answer2.size()) << c.name;
        for (size_t q = 0; q < d.questions.size(); ++q) {
            EXPECT_EQ(d.questions[q].answer2, c.answer2[q]) << c.name;
            EXPECT_EQ(d.questions[q].explanation, c.explanation[q]) << c.name;
        }
        EXPECT_EQ(d.bgRed, c.red) << c.name;
    }
}

TEST(ParseDefinition, KindAndCountsStoredAsRead) {
    DefinitionData d;
    ASSERT_EQ(parseExact(bytes(header(0, 0, 0) + raw({0, 1, 2, 3})), d), PayloadOk);
    EXPECT_EQ(d.kind, -1);
    EXPECT_EQ(d.answersPerQuestion, 0);
    EXPECT_TRUE(d.questions.empty());
    ASSERT_EQ(parseExact(bytes(header(9, 0, 7) + raw({0, 1, 2, 3})), d), PayloadOk);
    EXPECT_EQ(d.kind, 8);
    EXPECT_EQ(d.answersPerQuestion, 7);
}

TEST(ParseDefinition, ZeroBytesAndLongTokens) {
    const std::string longText(300, 'L');
    const std::string payload = header(1, 1, 1) + std::string("a\0b|", 4) + longText + "|" +
                                "\x02" + longText + "|" + raw({1, 2, 3});
    DefinitionData d;
    ASSERT_EQ(parseExact(bytes(payload), d), PayloadOk);
    EXPECT_EQ(d.questions[0].answer1, "ab");
    EXPECT_EQ(d.questions[0].prompt, std::string(259, 'L'));
    EXPECT_EQ(d.questions[0].explanation, std::string(259, 'L'));
    EXPECT_EQ(d.bgBlue, 3);
}

TEST(ParseDefinition, QuestionLimit) {
    std::string questions;
    for (int q = 0; q < 96; ++q) questions += "a|p|";
    DefinitionData d;
    EXPECT_EQ(parseExact(bytes(header(1, 96, 1) + questions + raw({0, 1, 2, 3})), d), PayloadOk);
    EXPECT_EQ(d.questions.size(), 96u);
    EXPECT_EQ(parseExact(bytes(header(1, 97, 1) + questions + "a|p|\x00\x01\x02\x03"), d),
              PayloadTooManyQuestions);
    EXPECT_EQ(parseExact(bytes(header(1, 255, 1)), d), PayloadTooManyQuestions);
}

// Every prefix of a complete payload is cut short somewhere in its layout.
TEST(ParseDefinition, EveryShortPrefixIsTruncated) {
    const std::vector<uint8_t> full = bytes(kTwoAnswersBoth);
    for (size_t length = 0; length < full.size(); ++length) {
        DefinitionData d;
        EXPECT_EQ(parseExact({full.begin(), full.begin() + static_cast<long>(length)}, d),
                  PayloadTruncated)
            << length;
    }
}

TEST(WriteDefinition, InverseOfParse) {
    for (const std::string& payload :
         {kTwoAnswersBoth, header(1, 2, 1) + "a|p|b|q|" + "\x02" + "x|y|" + raw({1, 2, 3}),
          header(4, 0, 1) + raw({4, 255, 0, 128})}) {
        DefinitionData d;
        ASSERT_EQ(parseExact(bytes(payload), d), PayloadOk);
        std::vector<uint8_t> written = writeDefinition(d);
        if (payload == kTwoAnswersBoth) {
            // The skipped second reveal token is written empty.
            const std::string expected =
                header(2, 2, 2) + "a1|b1|p1|a2|b2|p2|" + "\x03" + "e1||e2||" + raw({10, 20, 30});
            EXPECT_EQ(written, bytes(expected));
        } else {
            EXPECT_EQ(written, bytes(payload));
        }
    }
}

TEST(WriteDefinition, RefusesWhatCannotBeReadBack) {
    DefinitionData good;
    good.questionCount = 1;
    good.questions.push_back({"a", "", "p", ""});
    ASSERT_FALSE(writeDefinition(good).empty());

    auto refused = [&](auto change) {
        DefinitionData d = good;
        change(d);
        return writeDefinition(d).empty();
    };
    EXPECT_TRUE(refused([](DefinitionData& d) { d.title = "a|b"; }));
    EXPECT_TRUE(refused([](DefinitionData& d) { d.questions[0].prompt = std::string("a\0b", 3); }));
    EXPECT_TRUE(refused([](DefinitionData& d) { d.questions[0].answer1 = std::string(260, 'x'); }));
    EXPECT_TRUE(refused([](DefinitionData& d) { d.questionCount = 2; }));
    EXPECT_TRUE(refused([](DefinitionData& d) { d.kind = 255; }));
    EXPECT_TRUE(refused([](DefinitionData& d) { d.revealMode = -1; }));
    EXPECT_TRUE(refused([](DefinitionData& d) {
        d.questions.assign(97, {"a", "", "p", ""});
        d.questionCount = 97;
    }));
    EXPECT_FALSE(refused([](DefinitionData& d) { d.caption1 = std::string(259, 'x'); }));
}

TEST(ParseCodes, Lines) {
    struct Case {
        const char* name;
        std::string payload;
        int count;
        std::vector<std::string> codes;
    };
    const Case cases[] = {
        {"exact", "C1\r\nC2\r\n", 2, {"C1", "C2"}},
        {"extra lines ignored", "C1\r\nC2\r\nC3\r\n", 2, {"C1", "C2"}},
        {"fewer lines", "C1\r\n", 3, {"C1", "", ""}},
        {"empty payload", "", 2, {"", ""}},
        {"no questions", "C1\r\n", 0, {}},
        {"negative count", "C1\r\n", -4, {}},
        {"zero bytes dropped", std::string("A\0B\r\n", 5), 1, {"AB"}},
        {"byte after CR skipped", "AB\rXCD\r\n", 2, {"AB", "CD"}},
        {"last line without CR", "C1\r\nC2", 3, {"C1", "C2", ""}},
        {"CR as last byte", "C1\r", 2, {"C1", ""}},
        {"empty lines", "\r\n\r\nZ\r\n", 3, {"", "", "Z"}},
        {"long code cut", std::string(300, 'k') + "\r\nN\r\n", 2, {std::string(259, 'k'), "N"}},
    };
    for (const Case& c : cases) EXPECT_EQ(codesExact(c.payload, c.count), c.codes) << c.name;
}

TEST(WriteCodes, CrLfLinesAndRefusals) {
    const std::vector<std::string> codes = {"CODE-1", "", "é"};
    const std::vector<uint8_t> written = writeCodes(codes);
    EXPECT_EQ(written, bytes("CODE-1\r\n\r\né\r\n"));
    EXPECT_EQ(parseCodes(written.data(), written.size(), 3), codes);
    EXPECT_TRUE(writeCodes({}).empty());
    EXPECT_TRUE(writeCodes({"a\rb"}).empty());
    EXPECT_TRUE(writeCodes({"a\nb"}).empty());
    EXPECT_TRUE(writeCodes({std::string("a\0b", 3)}).empty());
    EXPECT_TRUE(writeCodes({std::string(260, 'c')}).empty());
    EXPECT_EQ(writeCodes({std::string(259, 'c')}).size(), 261u);
}

// A resource entry's data must lie in the image it was loaded from, whatever its numbers.
TEST(ImageRange, RefusesDataOutsideTheImage) {
    const std::uintptr_t base = 0x400000;
    const std::size_t extent = 0x10000;
    EXPECT_TRUE(rangeInside(base, extent, base, extent));
    EXPECT_TRUE(rangeInside(base, extent, base + extent, 0));
    EXPECT_FALSE(rangeInside(base, extent, base + 0xFFFF, 2));
    EXPECT_FALSE(rangeInside(base, extent, base - 1, 1));
    EXPECT_FALSE(rangeInside(base, extent, base + 16, SIZE_MAX));  // no wrap-around
    EXPECT_FALSE(rangeInside(base, extent, UINTPTR_MAX, 2));
}

}  // namespace

// The player opens the link with the shell: only http(s) addresses may ever reach it.
TEST(WebLinkTest, OnlyWebAddressesAreAccepted) {
    const struct {
        const char* address;
        LinkProblem problem;
    } cases[] = {
        {"https://www.exemple.fr/quiz?n=1#fin", LinkProblem::None},
        {"HTTP://exemple.fr", LinkProblem::None},
        {"", LinkProblem::Empty},
        {"file:///C:/Windows/System32/calc.exe", LinkProblem::NotWeb},
        {"C:\\Windows\\notepad.exe", LinkProblem::NotWeb},
        {"https://a.fr\\..\\calc.exe", LinkProblem::BadChar},
        {"calc.exe", LinkProblem::NotWeb},
        {"javascript:alert(1)", LinkProblem::NotWeb},
        {"https:calc.exe", LinkProblem::NotWeb},
        {"https:///chemin", LinkProblem::NoHost},
        {"https://a.fr/un quiz", LinkProblem::BadChar},
        {"https://a.fr/\"calc", LinkProblem::BadChar},
        {"https://caf\xE9.fr", LinkProblem::BadChar},
        {"https://a.fr/\r\n", LinkProblem::BadChar},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkWebAddress(c.address, std::strlen(c.address)).problem, c.problem)
            << c.address;
    EXPECT_EQ(checkWebAddress("https://a.fr/\0x", 15).problem, LinkProblem::BadChar);
    EXPECT_EQ(checkWebAddress(("https://a.fr/" + std::string(250, 'a')).c_str(), 263).problem,
              LinkProblem::TooLong);
    EXPECT_EQ(webLinkLabel("https://www.exemple.fr/"), "exemple.fr");
    EXPECT_EQ(webLinkLabel("http://moi@a.fr:8080?q=1"), "a.fr:8080");
}
