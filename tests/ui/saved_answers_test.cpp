// The saved answers file's name, content and line reader.
#include "ui/saved_answers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(SavedAnswers, FileNameFromTheModulePath) {
    struct {
        const char* path;
        const char* name;
    } const cases[] = {
        {"C:\\Jeux\\geo.exe", "geo.txt"},
        {"C:\\Jeux\\geo.ex", "geotxt"},
        {"C:\\Jeux\\maps", "mtxt"},
        {"geo.exe", "geo.txt"},
        {"C:\\a.b\\quiz.EXE", "quiz.txt"},
        {"C:\\x\\abc", "txt"},
        {"C:\\x\\ab", "ab.txt"},  // too short to lose three characters
        {"C:\\x\\", ".txt"},
        {"", ".txt"},
        {nullptr, ".txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path ? c.path : "(null)");
        EXPECT_EQ(savedAnswersFileName(c.path), c.name);
    }
    EXPECT_EQ(savedAnswersTempName("geo.txt", 1234), "geo.txt.1234.new");
    EXPECT_EQ(savedAnswersFileName(L"C:\\Jeux\\\x141\xF3"
                                   L"d\x17A.exe"),
              L"\x141\xF3"
              L"d\x17A.txt");
    EXPECT_EQ(savedAnswersFileName(L"C:\\x\\ab"), L"ab.txt");
}

TEST(SavedAnswers, LineCountPerQuiz) {
    EXPECT_EQ(savedLineCount(KindPicture, 3, 2), 6);
    EXPECT_EQ(savedLineCount(KindText, 3, 2), 6);  // second half stays empty
    EXPECT_EQ(savedLineCount(KindText, 4, 1), 4);
    EXPECT_EQ(savedLineCount(KindText, 4, 3), 12);   // fields 4001 .. 4004, then empty lines
    EXPECT_EQ(savedLineCount(KindAudio, 4, 3), 12);  // no fields at all: empty lines
    EXPECT_EQ(savedLineCount(KindText, 4, 0), 4);
    EXPECT_EQ(savedLineCount(KindPicture, 4, 0), 0);
    EXPECT_EQ(savedLineCount(KindPicture, 500, 255), kMaxQuestions * 255);
    EXPECT_EQ(savedLineCount(KindAudio, 0, 2), 0);
    EXPECT_EQ(savedLineCount(KindAudio, -1, 2), 0);
    EXPECT_EQ(savedLineCount(KindAudio, 500, 2), 2 * kMaxQuestions);
}

TEST(SavedAnswers, ContentIsOneCrLfLinePerField) {
    EXPECT_EQ(savedAnswersContent({"", "", "", "", "", ""}), "\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(savedAnswersContent({"Paris", "",
                                   "Orl\xE9"
                                   "ans"}),
              "Paris\r\n\r\nOrl\xE9"
              "ans\r\n");
    EXPECT_EQ(savedAnswersContent({"a\rb\nc"}), "ab\nc\r\n");
    EXPECT_EQ(savedAnswersContent({std::string(300, 'x')}), std::string(259, 'x') + "\r\n");
    EXPECT_EQ(savedAnswersContent({}), "");
}

std::vector<std::string> readLines(const std::string& bytes, int count) {
    std::vector<std::string> lines;
    std::size_t position = 0;
    for (int n = 0; n < count; ++n) {
        char text[kTextCapacity];
        std::memset(text, '#', sizeof text);
        readSavedLine(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &position,
                      text);
        EXPECT_LE(position, bytes.size());
        EXPECT_LE(std::strlen(text), kMaxTextLength);
        lines.emplace_back(text);
    }
    return lines;
}

TEST(SavedAnswers, LineReader) {
    using Lines = std::vector<std::string>;
    struct {
        const char* name;
        std::string bytes;
        Lines lines;
    } const cases[] = {
        {"plain", std::string("Paris\r\nLyon\r\n"), Lines{"Paris", "Lyon", ""}},
        {"empty lines", std::string("\r\n\r\nx\r\n"), Lines{"", "", "x"}},
        {"bare LF joins lines", std::string("ab\ncd\r\nef\r\n"), Lines{"ab\ncd", "ef", ""}},
        {"no final CR LF", std::string("ab\r\ncd"), Lines{"ab", "cd", ""}},
        {"final CR without LF", std::string("ab\r"), Lines{"ab", ""}},
        {"text between CR and LF is skipped", std::string("ab\rjunk\ncd\r\n"), Lines{"ab", "cd"}},
        {"NUL adds nothing", std::string("a\0b\r\n\0\r\n", 8), Lines{"ab", ""}},
        {"empty file", std::string(), Lines{"", "", ""}},
        {"only LF", std::string("\n\n"), Lines{"\n\n", ""}},
        {"long line is cut", std::string(300, 'y') + "\r\nz\r\n",
         Lines{std::string(259, 'y'), "z"}},
        {"exactly 259", std::string(259, 'w') + "\r\n", Lines{std::string(259, 'w'), ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readLines(c.bytes, static_cast<int>(c.lines.size())), c.lines);
    }
}

TEST(SavedAnswers, ReaderNeverPassesTheEnd) {
    // The last byte is not a line end: an overrun would pick up the guard bytes after it.
    const unsigned char bytes[] = {'a', 'b', '\r', 'c', 'X', 'X'};
    std::size_t position = 0;
    char text[kTextCapacity];
    readSavedLine(bytes, 4, &position, text);
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(position, 4u);
    readSavedLine(bytes, 4, &position, text);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(position, 4u);
    readSavedLine(nullptr, 0, &position, text);
    EXPECT_STREQ(text, "");
}

}  // namespace
