// Evaluating one answer field: verdict, reveals of a fully correct question, score.
#include "evaluation/win/evaluate.h"

#include <string>

#include "core/ids.h"
#include "core/win/controls.h"
#include "evaluation/answer_slots.h"
#include "evaluation/judge.h"
#include "evaluation/verdicts.h"
#include "evaluation/win/score.h"
#include "media/fit_size.h"
#include "media/win/picture.h"

namespace {

std::string fieldText(HWND grid, int fieldId) {
    char text[kTextCapacity] = "";
    readText(GetDlgItem(grid, fieldId), text, kTextCapacity);
    return text;
}

const char* expectedAnswer(const QuizItem* item, int slot) {
    return slot == 2 ? item->answer2 : item->answer1;
}

// Every slot of the question holds its answer as typed, spaces included.
bool questionFullyMatched(HWND grid, const QuizItem* item, int question, int perQuestion) {
    for (int slot = 1; slot <= perQuestion; ++slot) {
        const std::string typed = fieldText(grid, answerFieldId(question, slot, perQuestion));
        if (!slotTextMatches(expectedAnswer(item, slot), typed.c_str())) return false;
    }
    return true;
}

void setControlText(HWND grid, int id, const char* text) {
    HWND control = GetDlgItem(grid, id);
    if (control) setText(control, text);
}

// The static shows the answer picture; whatever it showed before is released. A static that keeps
// its own copy of the bitmap handed to it leaves that bitmap to us as well.
void showAnswerPicture(HWND grid, int question) {
    HWND picture = GetDlgItem(grid, questionPictureId(question));
    if (!picture) return;
    HBITMAP fresh = loadFittedPicture(GetModuleHandleA(nullptr), answerPictureNumber(question),
                                      kImgType, kPictureBox, kPictureBox);
    if (!fresh) return;
    auto shown = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    auto returned = reinterpret_cast<HBITMAP>(
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fresh)));
    if (returned) DeleteObject(returned);
    if (shown && shown != returned) DeleteObject(shown);
    auto kept = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (kept != fresh) DeleteObject(fresh);
}

void revealQuestion(Quiz* quiz, HWND grid, const QuizItem* item, int question) {
    if (revealsExplanation(quiz->revealMode))
        setControlText(grid, explanationLabelId(question), item->explanation);
    if (revealsPicture(quiz->revealMode)) showAnswerPicture(grid, question);
}

// Read from the last label down, stopping at the first that is not "BRAVO": while the grid is
// built the last label does not exist yet, so one read settles it instead of one per field.
bool everyVerdictSolved(HWND grid, int fields) {
    for (int k = fields; k >= 1; --k) {
        char text[kVerdictReadLimit] = "";
        readText(GetDlgItem(grid, kVerdictLabelBase + k), text, kVerdictReadLimit);
        if (!isSolvedVerdict(text)) return false;
    }
    return true;
}

void showAllExplanationsWhenSolved(Quiz* quiz, HWND grid, int fields) {
    if (!everyVerdictSolved(grid, fields)) return;
    quiz->allSolvedShown = 1;
    for (int q = 0; q < questionsInGrid(quiz->questionCount); ++q) {
        const QuizItem* item = itemAt(quiz, q);
        if (item) setControlText(grid, explanationLabelId(q), item->explanation);
    }
}

}  // namespace

void evaluateAnswer(Quiz* quiz, HWND grid, int fieldId, EvaluationBatch* batch) {
    if (!quiz) return;
    const FieldSlot where =
        slotOfField(quiz->kind, quiz->questionCount, quiz->answersPerQuestion, fieldId);
    // No question behind the field (empty list, no layout for this answer count): nothing to judge.
    const QuizItem* item = where.valid ? itemAt(quiz, where.question) : nullptr;
    const std::string typed = fieldText(grid, fieldId);
    const char* verdict =
        item ? judgeAnswer(expectedAnswer(item, where.slot), typed.c_str()) : kVerdictEmpty;
    const int perQuestion = fieldsPerQuestion(quiz->kind, quiz->answersPerQuestion);
    const bool solved = isSolvedVerdict(verdict);

    if (solved && revealsPerQuestion(quiz->revealMode) &&
        questionFullyMatched(grid, item, where.question, perQuestion))
        revealQuestion(quiz, grid, item, where.question);

    if (!solved) {
        if (where.valid) setControlText(grid, explanationLabelId(where.question), "");
        quiz->allSolvedShown = 0;
    }
    setControlText(grid, verdictLabelId(fieldId), verdict);
    if (quiz->revealMode == RevealAllAtEnd && quiz->allSolvedShown == 0)
        showAllExplanationsWhenSolved(
            quiz, grid,
            answerFieldCount(quiz->kind, quiz->questionCount, quiz->answersPerQuestion));
    if (batch && batch->open)
        batch->scoreOwed = true;
    else
        updateScore(quiz, grid);
}

void beginEvaluationBatch(EvaluationBatch& batch) { batch = EvaluationBatch{true, false}; }

void endEvaluationBatch(EvaluationBatch& batch, Quiz* quiz, HWND grid) {
    const bool owed = batch.scoreOwed;
    batch = EvaluationBatch{};
    if (owed) updateScore(quiz, grid);
}
