#include "tools/quizfile/quiz_writer.h"

#include <cstdio>

#include "quizdata/quiz_types.h"
#include "tools/quizfile/quiz_keys.h"
#include "tools/text/cp1252.h"

namespace {

using namespace quizkey;

constexpr size_t kCodesPerLine = 4;

void appendEscaped(std::string& out, unsigned codePoint) {
    switch (codePoint) {
    case '\b': out += "\\b"; return;
    case '\t': out += "\\t"; return;
    case '\n': out += "\\n"; return;
    case '\f': out += "\\f"; return;
    case '\r': out += "\\r"; return;
    default: break;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", codePoint);
    out += escape;
}

// UTF-8 in, TOML basic string out.
std::string quoteUtf8(const std::string& utf8) {
    std::string out = "\"";
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const unsigned char next =
            i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            appendEscaped(out, c);
        } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            appendEscaped(out, next);  // C1 controls are not left bare in a quiz file
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void line(std::string& out, const char* key, const std::string& value) {
    out += std::string(key) + " = " + value + "\n";
}

std::string textPair(const std::string& a, const std::string& b) {
    return "[" + tomlText(a) + ", " + tomlText(b) + "]";
}

std::string colour(const DefinitionData& d) {
    char text[16];
    std::snprintf(text, sizeof text, "\"#%02X%02X%02X\"", d.bgRed, d.bgGreen, d.bgBlue);
    return text;
}

std::string codeList(const std::vector<std::string>& codes, size_t count) {
    if (count <= kCodesPerLine) {
        std::string out = "[";
        for (size_t i = 0; i < count; ++i) out += (i ? ", " : "") + tomlText(codes[i]);
        return out + "]";
    }
    std::string out = "[\n";
    for (size_t i = 0; i < count; ++i) out += "  " + tomlText(codes[i]) + ",\n";
    return out + "]";
}

void writeSettings(std::string& out, const QuizFile& quiz) {
    const DefinitionData& d = quiz.definition;
    if (d.kind >= KindText && d.kind <= KindVideo) line(out, kKind, quoteUtf8(kKindNames[d.kind]));
    line(out, kTitle, tomlText(d.title));
    if (!d.author.empty()) line(out, kAuthor, tomlText(d.author));
    if (!d.description.empty()) line(out, kDescription, tomlText(d.description));
    line(out, kAnswersPerQuestion, std::to_string(d.answersPerQuestion));
    if (!d.caption1.empty() || !d.caption2.empty())
        line(out, kCaptions, textPair(d.caption1, d.caption2));
    if (d.revealMode >= RevealNone && d.revealMode <= RevealAllAtEnd)
        line(out, kReveal, quoteUtf8(kRevealNames[d.revealMode]));
    line(out, kBackground, colour(d));
    size_t codeCount = quiz.codes.size();
    while (codeCount > 0 && quiz.codes[codeCount - 1].empty()) --codeCount;
    if (codeCount > 0) line(out, kCodes, codeList(quiz.codes, codeCount));
    if (!quiz.link.empty()) line(out, kLink, quoteUtf8(quiz.link));
}

bool storesExplanations(int mode) {
    return mode == RevealExplanation || mode == RevealBoth || mode == RevealAllAtEnd;
}

void writeQuestion(std::string& out, const QuizFile& quiz, size_t index) {
    const DefinitionData& d = quiz.definition;
    const QuestionData& q = d.questions[index];
    out += "\n[[" + std::string(kQuestions) + "]]\n";
    if (d.kind == KindText || !q.prompt.empty()) line(out, kPrompt, tomlText(q.prompt));
    if (d.answersPerQuestion == 2)
        line(out, kAnswers, textPair(q.answer1, q.answer2));
    else
        line(out, kAnswer, tomlText(q.answer1));
    if (storesExplanations(d.revealMode) && !q.explanation.empty())
        line(out, kExplanation, tomlText(q.explanation));
    if (index < quiz.sources.size()) {
        const QuestionSource& source = quiz.sources[index];
        if (source.media.given()) line(out, kMedia, quoteUtf8(source.media.path));
        if (source.answerPicture.given())
            line(out, kAnswerPicture, quoteUtf8(source.answerPicture.path));
    }
}

}  // namespace

std::string tomlText(const std::string& text) { return quoteUtf8(cp1252ToUtf8(text)); }

std::string writeQuizText(const QuizFile& quiz, const std::string& comment) {
    std::string out;
    if (!comment.empty()) {
        std::string oneLine = comment;  // a file name may hold anything, line breaks included
        for (char& c : oneLine)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
        out += "# " + oneLine + "\n";
    }
    writeSettings(out, quiz);
    for (size_t i = 0; i < quiz.definition.questions.size(); ++i) writeQuestion(out, quiz, i);
    return out;
}
