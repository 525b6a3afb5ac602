// Writing a quiz file back (inspect), packing its payloads, and the documented examples.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "quizdata/quiz_types.h"
#include "tests/tools/support.h"
#include "tools/quizfile/quiz_packer.h"
#include "tools/quizfile/quiz_reader.h"
#include "tools/quizfile/quiz_writer.h"
#include "tools/text/cp1252.h"

namespace fs = std::filesystem;

namespace {

std::string cp1252(const std::string& utf8) {
    std::string out;
    EXPECT_TRUE(utf8ToCp1252(utf8, out, nullptr, nullptr)) << utf8;
    return out;
}

std::string textQuiz(const std::string& settings, const std::string& questions) {
    return "kind = \"text\"\ntitle = \"Quiz\"\n" + settings + questions;
}

const char kOneQuestion[] = "[[questions]]\nprompt = \"P\"\nanswer = \"A\"\n";

void expectSameQuiz(const QuizFile& a, const QuizFile& b) {
    const DefinitionData& x = a.definition;
    const DefinitionData& y = b.definition;
    EXPECT_EQ(x.kind, y.kind);
    EXPECT_EQ(x.title, y.title);
    EXPECT_EQ(x.author, y.author);
    EXPECT_EQ(x.description, y.description);
    EXPECT_EQ(x.caption1, y.caption1);
    EXPECT_EQ(x.caption2, y.caption2);
    EXPECT_EQ(x.answersPerQuestion, y.answersPerQuestion);
    EXPECT_EQ(x.revealMode, y.revealMode);
    EXPECT_EQ(x.bgRed, y.bgRed);
    EXPECT_EQ(x.bgGreen, y.bgGreen);
    EXPECT_EQ(x.bgBlue, y.bgBlue);
    EXPECT_EQ(x.questionCount, y.questionCount);
    ASSERT_EQ(x.questions.size(), y.questions.size());
    ASSERT_EQ(a.sources.size(), b.sources.size());
    for (size_t i = 0; i < x.questions.size(); ++i) {
        SCOPED_TRACE("question " + std::to_string(i + 1));
        EXPECT_EQ(x.questions[i].answer1, y.questions[i].answer1);
        EXPECT_EQ(x.questions[i].answer2, y.questions[i].answer2);
        EXPECT_EQ(x.questions[i].prompt, y.questions[i].prompt);
        EXPECT_EQ(x.questions[i].explanation, y.questions[i].explanation);
        EXPECT_EQ(a.sources[i].media.path, b.sources[i].media.path);
        EXPECT_EQ(a.sources[i].answerPicture.path, b.sources[i].answerPicture.path);
    }
    EXPECT_EQ(a.codes, b.codes);
}

// Every text the player can hold survives being written out and read back.
TEST(QuizWriterTest, WrittenQuizReadsBackUnchanged) {
    QuizFile quiz;
    DefinitionData& d = quiz.definition;
    d.kind = KindPicture;
    d.title = cp1252(u8"Quote \" back\\slash \u20ac \u00e9 \u0178 ''' \"\"\"");
    // Control characters are refused in titles and answers, kept in the other texts.
    d.description = "#not a comment = [x] tab\t";
    d.description += "\x81\x8D\x8F\x90\x9D";  // bytes with no Windows-1252 character
    d.answersPerQuestion = 2;
    d.caption2 = "Deux";
    d.revealMode = RevealBoth;
    d.bgRed = 255;
    d.bgGreen = 0;
    d.bgBlue = 7;
    for (int i = 0; i < 6; ++i) {
        d.questions.push_back({"a" + std::to_string(i), "b~", i % 2 ? "" : "pr\x01", "ex\x7F"});
        QuestionSource s;
        s.media.path = "media/q" + std::to_string(i + 1) + ".jpg";
        if (i == 2) s.answerPicture.path = u8"media/\u00e9 \"x\".jpg";
        quiz.sources.push_back(s);
    }
    d.questionCount = 6;
    quiz.codes = {"C1", "", "C|3", "", "C5", ""};

    const std::string text = writeQuizText(quiz, "made by\na test");
    EXPECT_EQ(text.substr(0, 17), "# made by?a test\n");
    QuizFile back;
    Diagnostics diags;
    EXPECT_TRUE(readQuizText(text, "back.toml", back, diags))
        << formatDiagnostics("back.toml", diags) << text;
    expectSameQuiz(quiz, back);

    // Settings left at their defaults come back too.
    QuizFile plain;
    plain.definition.title = "T";
    plain.definition.questions.push_back({"x", "", "P", "dropped"});
    plain.definition.questionCount = 1;
    plain.sources.resize(1);
    plain.codes = {""};
    QuizFile plainBack;
    ASSERT_TRUE(readQuizText(writeQuizText(plain, ""), "plain.toml", plainBack, diags))
        << writeQuizText(plain, "");
    plain.definition.questions[0].explanation.clear();  // not stored without an explanation reveal
    expectSameQuiz(plain, plainBack);
}

// Random letters with no repetition to exploit.
std::string noise(uint32_t& seed, size_t length) {
    static const std::string kLetters =
        "!#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`"
        "abcdefghijklmnopqrstuvwxyz{}~";
    std::string out;
    for (size_t i = 0; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        out += kLetters[(seed >> 16) % kLetters.size()];
    }
    return out;
}

TEST(QuizPackerTest, OversizedPayloadsAreRefused) {
    // Ninety-six questions of three long texts exceed the 65535 bytes of an unpacked block.
    const std::string long259(259, 'x');
    std::string questions;
    for (int i = 0; i < 96; ++i)
        questions += "[[questions]]\nprompt = \"" + long259 + "\"\nanswer = \"" + long259 +
                     "\"\nexplanation = \"" + long259 + "\"\n";
    QuizFile big;
    Diagnostics diags;
    ASSERT_TRUE(
        readQuizText(textQuiz("reveal = \"explanation\"\n", questions), "q.toml", big, diags));
    PackedQuiz packed;
    EXPECT_FALSE(packQuiz(big, packed, diags));
    EXPECT_NE(
        formatDiagnostics("q.toml", diags)
            .find("q.toml:1: le bloc de définition du quiz occupe 74897 octets ; au plus 65535 "
                  "tiennent"),
        std::string::npos)
        << formatDiagnostics("q.toml", diags);

    // Under 65535 bytes, but texts with no repetition pack to more than 32768 bytes.
    uint32_t seed = 12345;
    std::string noisy;
    for (int i = 0; i < 96; ++i)
        noisy += "[[questions]]\nprompt = \"" + noise(seed, 259) + "\"\nanswer = \"" +
                 noise(seed, 259) + "\"\n";
    QuizFile dense;
    Diagnostics denseDiags;
    ASSERT_TRUE(readQuizText(textQuiz("", noisy), "q.toml", dense, denseDiags))
        << formatDiagnostics("q.toml", denseDiags);
    EXPECT_FALSE(packQuiz(dense, packed, denseDiags));
    EXPECT_NE(formatDiagnostics("q.toml", denseDiags)
                  .find("q.toml:1: le bloc de définition du quiz compacté dépasse 32768 octets"),
              std::string::npos)
        << formatDiagnostics("q.toml", denseDiags);

    QuizFile small;
    Diagnostics smallDiags;
    ASSERT_TRUE(readQuizText(textQuiz("", kOneQuestion), "q.toml", small, smallDiags));
    EXPECT_TRUE(packQuiz(small, packed, smallDiags));
    EXPECT_FALSE(packed.definition.empty());
    EXPECT_FALSE(packed.codes.empty());
}

// The documentation shows each bundled example whole; the two must not drift apart.
TEST(QuizFormatDocTest, ExamplesInTheDocumentationMatchTheBundledOnes) {
    const fs::path root = VELTO_SOURCE_DIR;
    const std::string doc = toolstest::readFile(root / "docs" / "quiz-format.md");
    for (const char* example : {"text/capitales.toml", "picture/formes.toml",
                                "audio/devinettes.toml", "video/couleurs.toml"}) {
        SCOPED_TRACE(example);
        const size_t heading = doc.find(std::string("(`examples/") + example + "`)");
        ASSERT_NE(heading, std::string::npos);
        const size_t start = doc.find("```toml\n", heading);
        ASSERT_NE(start, std::string::npos);
        const size_t end = doc.find("```\n", start + 8);
        const std::string shown = doc.substr(start + 8, end - start - 8);
        std::string file;  // the example without its leading comment lines
        std::istringstream lines(toolstest::readFile(root / "examples" / example));
        for (std::string line; std::getline(lines, line);)
            if (line.empty() || line[0] != '#') file += line + "\n";
        EXPECT_EQ(shown, file);
        QuizFile quiz;
        Diagnostics diags;
        EXPECT_TRUE(readQuizText(shown, example, quiz, diags)) << formatDiagnostics(example, diags);
        EXPECT_TRUE(diags.items.empty()) << formatDiagnostics(example, diags);
    }
}

}  // namespace
