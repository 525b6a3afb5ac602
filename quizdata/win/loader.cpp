// The loader: resources -> codec -> payload parser -> Quiz record. Every failure is shown in a
// message box and absorbed; start-up goes on with whatever the record holds.
#include "quizdata/win/loader.h"

#include <string>
#include <vector>

#include "core/win/controls.h"
#include "quizdata/codec_bytes.h"
#include "quizdata/payload.h"
#include "quizdata/web_link.h"

namespace {

// The built-in test quiz, used when the definition is absent or empty.
constexpr char kFallbackTitle[] = "Nom du velto";
constexpr char kFallbackAuthor[] = "Createur velto";
constexpr char kFallbackDescription[] = "Explications du velto";
constexpr char kFallbackCaption[] = "TEST";
constexpr char kFallbackAnswer[] = "test";
constexpr char kFallbackPrompt[] = "emplacement";
constexpr int kFallbackQuestions = 7;
constexpr int kFallbackItems = 2;  // questions 3 to 7 share the second item through itemAt
constexpr unsigned char kFallbackRed = 53, kFallbackGreen = 203, kFallbackBlue = 163;

ResourceBytes findPatch(HMODULE module, int id) { return resourceBytes(module, id, kPatchType); }

void replaceBackground(Quiz* quiz, unsigned char red, unsigned char green, unsigned char blue) {
    quiz->bgRed = red;
    quiz->bgGreen = green;
    quiz->bgBlue = blue;
    HBRUSH previous = quiz->bgBrush;
    quiz->bgBrush = CreateSolidBrush(RGB(red, green, blue));
    if (previous) DeleteObject(previous);
}

void applyFallbackQuiz(Quiz* quiz) {
    copyText(quiz->title, kFallbackTitle);
    copyText(quiz->author, kFallbackAuthor);
    copyText(quiz->description, kFallbackDescription);
    copyText(quiz->caption1, kFallbackCaption);
    copyText(quiz->caption2, kFallbackCaption);
    quiz->questionCount = kFallbackQuestions;
    quiz->answersPerQuestion = 2;
    quiz->revealMode = RevealBoth;
    quiz->kind = KindPicture;
    replaceBackground(quiz, kFallbackRed, kFallbackGreen, kFallbackBlue);
    for (int i = 0; i < kFallbackItems; ++i)
        appendItem(quiz, kFallbackAnswer, kFallbackAnswer, kFallbackPrompt);
}

void applyDefinition(Quiz* quiz, const DefinitionData& definition) {
    quiz->kind = definition.kind;
    quiz->questionCount = definition.questionCount;
    quiz->answersPerQuestion = definition.answersPerQuestion;
    copyText(quiz->title, definition.title);
    copyText(quiz->author, definition.author);
    copyText(quiz->description, definition.description);
    copyText(quiz->caption1, definition.caption1);
    copyText(quiz->caption2, definition.caption2);
    for (const QuestionData& question : definition.questions)
        appendItem(quiz, question.answer1.c_str(), question.answer2.c_str(),
                   question.prompt.c_str());
    quiz->revealMode = definition.revealMode;
    for (size_t i = 0; i < definition.questions.size(); ++i)
        copyText(itemAt(quiz, static_cast<int>(i))->explanation,
                 definition.questions[i].explanation);
    replaceBackground(quiz, definition.bgRed, definition.bgGreen, definition.bgBlue);
}

// A definition that does not unpack, ends before its layout is complete or declares more than
// 96 questions is damaged alike: the record keeps its defaults and the codes are not read.
bool loadDefinition(Quiz* quiz, const ResourceBytes& resource) {
    if (!resource.bytes) return false;
    const CodecBytes unpacked = unpackBytes(resource.bytes, resource.size);
    if (unpacked.result != CodecOk) return false;
    DefinitionData definition;
    if (parseDefinition(unpacked.bytes.data(), unpacked.bytes.size(), definition) != PayloadOk)
        return false;
    applyDefinition(quiz, definition);
    return true;
}

// The header opens the link with the shell: anything but an http(s) address (a hand-edited
// resource) is dropped, and the quiz shows no link.
void loadLink(Quiz* quiz, HMODULE module) {
    const ResourceBytes resource = resourceBytes(module, kLinkResource, kLinkType);
    if (!resource.bytes) return;
    const std::string address(reinterpret_cast<const char*>(resource.bytes), resource.size);
    if (isWebAddress(address)) copyText(quiz->link, address);
}

void loadCodes(Quiz* quiz, HMODULE module, const PlayerHooks& hooks) {
    const ResourceBytes resource = findPatch(module, kCodesResource);
    if (!resource.found) {
        hooks.showMessage(kCodesMissing, kLoaderTitle);
        return;
    }
    if (resource.size == 0 && !resource.damaged) {
        hooks.showMessage(kCodesEmpty, kLoaderTitle);
        return;
    }
    const CodecBytes unpacked =
        resource.bytes ? unpackBytes(resource.bytes, resource.size) : CodecBytes{CodecBadCode, {}};
    if (unpacked.result != CodecOk) {
        hooks.showMessage(kCodesError, kLoaderTitle);
        return;
    }
    // One entry per question; lines missing from a short payload leave their codes empty.
    const std::vector<std::string> codes =
        parseCodes(unpacked.bytes.data(), unpacked.bytes.size(), quiz->questionCount);
    for (size_t i = 0; i < codes.size() && i < static_cast<size_t>(kCodeCount); ++i)
        copyText(quiz->codes[i], codes[i]);
}

}  // namespace

QuizSource loadQuiz(Quiz* quiz, const PlayerHooks& hooks) {
    return loadQuizFromModule(quiz, nullptr, hooks);
}

QuizSource loadQuizFromModule(Quiz* quiz, HMODULE module, const PlayerHooks& hooks) {
    const ResourceBytes definition = findPatch(module, kDefinitionResource);
    if (definition.size == 0 && !definition.damaged) {
        applyFallbackQuiz(quiz);
        return QuizSource::BuiltIn;
    }
    if (!loadDefinition(quiz, definition)) {
        hooks.showMessage(kDefinitionError, kLoaderTitle);
        return QuizSource::Damaged;
    }
    loadLink(quiz, module);
    loadCodes(quiz, module, hooks);
    return QuizSource::Resources;
}
