// parseDefinition on any bytes: it must stay inside the data, and whatever it accepts must be
// written back and read again unchanged.
#include <cstdint>
#include <cstdlib>

#include "quizdata/payload.h"

namespace {

bool sameQuestion(const QuestionData& a, const QuestionData& b) {
    return a.answer1 == b.answer1 && a.answer2 == b.answer2 && a.prompt == b.prompt &&
           a.explanation == b.explanation;
}

bool sameDefinition(const DefinitionData& a, const DefinitionData& b) {
    if (a.questions.size() != b.questions.size()) return false;
    for (size_t q = 0; q < a.questions.size(); ++q)
        if (!sameQuestion(a.questions[q], b.questions[q])) return false;
    return a.kind == b.kind && a.questionCount == b.questionCount &&
           a.answersPerQuestion == b.answersPerQuestion && a.title == b.title &&
           a.author == b.author && a.description == b.description && a.caption1 == b.caption1 &&
           a.caption2 == b.caption2 && a.revealMode == b.revealMode && a.bgRed == b.bgRed &&
           a.bgGreen == b.bgGreen && a.bgBlue == b.bgBlue;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DefinitionData parsed;
    if (parseDefinition(data, size, parsed) != PayloadOk) return 0;
    if (parsed.questions.size() != static_cast<size_t>(parsed.questionCount)) std::abort();

    // Parsed texts never hold '|' or a zero byte and fit their fields, so they always write.
    const std::vector<uint8_t> written = writeDefinition(parsed);
    if (written.empty()) std::abort();
    DefinitionData again;
    if (parseDefinition(written.data(), written.size(), again) != PayloadOk) std::abort();
    if (!sameDefinition(parsed, again)) std::abort();
    if (writeDefinition(again) != written) std::abort();
    return 0;
}
