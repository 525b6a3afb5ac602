// Quiz files: any text is read without a crash, and a quiz that reads without error is
// written back to a file that reads the same (what inspect relies on), then packs.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/quizfile/quiz_packer.h"
#include "tools/quizfile/quiz_reader.h"
#include "tools/quizfile/quiz_writer.h"

namespace {

bool sameQuestions(const QuizFile& a, const QuizFile& b) {
    if (a.definition.questions.size() != b.definition.questions.size()) return false;
    for (size_t i = 0; i < a.definition.questions.size(); ++i) {
        const QuestionData& x = a.definition.questions[i];
        const QuestionData& y = b.definition.questions[i];
        if (x.answer1 != y.answer1 || x.answer2 != y.answer2 || x.prompt != y.prompt ||
            x.explanation != y.explanation || a.sources[i].media.path != b.sources[i].media.path ||
            a.sources[i].answerPicture.path != b.sources[i].answerPicture.path)
            return false;
    }
    return true;
}

bool sameQuiz(const QuizFile& a, const QuizFile& b) {
    const DefinitionData& x = a.definition;
    const DefinitionData& y = b.definition;
    return x.kind == y.kind && x.title == y.title && x.author == y.author &&
           x.description == y.description && x.caption1 == y.caption1 && x.caption2 == y.caption2 &&
           x.answersPerQuestion == y.answersPerQuestion && x.revealMode == y.revealMode &&
           x.bgRed == y.bgRed && x.bgGreen == y.bgGreen && x.bgBlue == y.bgBlue &&
           x.questionCount == y.questionCount && a.codes == b.codes && sameQuestions(a, b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    QuizFile quiz;
    Diagnostics diags;
    if (!readQuizText(text, "fuzz.toml", quiz, diags)) return 0;

    const std::string written = writeQuizText(quiz, "fuzz");
    QuizFile again;
    Diagnostics againDiags;
    if (!readQuizText(written, "again.toml", again, againDiags) || !sameQuiz(quiz, again))
        std::abort();

    PackedQuiz packed;
    packQuiz(quiz, packed, diags);
    return 0;
}
