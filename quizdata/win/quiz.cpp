// The Quiz record: defaults, the question list and release.
#include "quizdata/win/quiz.h"

#include <cstdlib>
#include <cstring>

#include "core/win/controls.h"

namespace {

Quiz* gQuiz = nullptr;

HBRUSH fillBrush(int rgb) {
    return CreateSolidBrush(RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
}

const char* orEmpty(const char* text) { return text ? text : ""; }

}  // namespace

void copyText(char* destination, std::string_view text) {
    const std::size_t length = text.size() < kMaxTextLength ? text.size() : kMaxTextLength;
    std::memcpy(destination, text.data(), length);
    destination[length] = '\0';
}

void applyDefaults(Quiz* quiz) {
    quiz->firstItem = nullptr;
    quiz->lastItem = nullptr;
    quiz->scoreFont = createFont({25, FW_NORMAL, false, false});
    quiz->titleFont = createFont({-15, FW_BOLD, true, false});
    quiz->kind = KindText;
    copyText(quiz->title, "nom du velto");
    copyText(quiz->author, " createur");
    quiz->questionCount = 2;
    quiz->answersPerQuestion = 1;
    quiz->bgRed = 90;
    quiz->bgGreen = 95;
    quiz->bgBlue = 150;
    quiz->bgBrush = CreateSolidBrush(RGB(quiz->bgRed, quiz->bgGreen, quiz->bgBlue));
    quiz->revealMode = RevealNone;
    quiz->allSolvedShown = 0;
    quiz->wrongBrush = fillBrush(kWrongFill);
    quiz->rightBrush = fillBrush(kRightFill);
    quiz->anagramBrush = fillBrush(kAnagramFill);
    quiz->hintBrush = fillBrush(kHintFill);
    quiz->noteBrush = fillBrush(kNoteFill);
    quiz->mediaDir[0] = '\0';
    quiz->link[0] = '\0';
    // Left unset by the original defaults; starting them empty means every reader meets a valid
    // text.
    quiz->description[0] = '\0';
    quiz->caption1[0] = '\0';
    quiz->caption2[0] = '\0';
    for (auto& code : quiz->codes) code[0] = '\0';
    quiz->answerFont = nullptr;
    quiz->headerWindow = nullptr;
}

void appendItem(Quiz* quiz, const char* answer1, const char* answer2, const char* prompt) {
    auto* item = static_cast<QuizItem*>(std::calloc(1, sizeof(QuizItem)));
    if (!item) return;
    copyText(item->answer1, orEmpty(answer1));
    copyText(item->answer2, orEmpty(answer2));
    copyText(item->prompt, orEmpty(prompt));
    item->prev = quiz->lastItem;
    if (quiz->lastItem) quiz->lastItem->next = item;
    if (!quiz->firstItem) quiz->firstItem = item;
    quiz->lastItem = item;
}

QuizItem* itemAt(Quiz* quiz, int index) {
    QuizItem* item = quiz->firstItem;
    if (!item) return nullptr;
    for (int step = 0; step < index && item->next; ++step) item = item->next;
    return item;
}

void releaseQuiz(Quiz* quiz) {
    HBRUSH* brushes[] = {&quiz->bgBrush,      &quiz->wrongBrush, &quiz->rightBrush,
                         &quiz->anagramBrush, &quiz->hintBrush,  &quiz->noteBrush};
    for (HBRUSH* brush : brushes) {
        if (*brush) DeleteObject(*brush);
        *brush = nullptr;
    }
    QuizItem* item = quiz->firstItem;
    while (item) {
        QuizItem* next = item->next;
        std::free(item);
        item = next;
    }
    quiz->firstItem = nullptr;
    quiz->lastItem = nullptr;
}

Quiz* currentQuiz() { return gQuiz; }

void publishQuiz(Quiz* quiz) { gQuiz = quiz; }
