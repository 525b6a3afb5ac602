// The score and the code it unlocks, recounted from the grid's verdict labels.
#include "evaluation/win/score.h"

#include <string>
#include <vector>

#include "core/ids.h"
#include "core/win/controls.h"
#include "evaluation/answer_slots.h"
#include "evaluation/verdicts.h"

namespace {

// Verdict labels 5001 .. 5000 + count; a label that does not exist reads as empty.
std::vector<std::string> readVerdicts(HWND grid, int count) {
    std::vector<std::string> verdicts;
    verdicts.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        char text[kVerdictReadLimit] = "";
        readText(GetDlgItem(grid, kVerdictLabelBase + k), text, kVerdictReadLimit);
        verdicts.emplace_back(text);
    }
    return verdicts;
}

}  // namespace

void updateScore(Quiz* quiz, HWND grid) {
    if (!quiz) return;
    const int perQuestion = fieldsPerQuestion(quiz->kind, quiz->answersPerQuestion);
    const int fields = answerFieldCount(quiz->kind, quiz->questionCount, quiz->answersPerQuestion);
    const int solved = countSolved(readVerdicts(grid, fields), perQuestion);

    const std::string score = scoreText(solved, quiz->questionCount);
    setText(GetDlgItem(quiz->headerWindow, kScoreLabelId), score.c_str());
    setText(GetDlgItem(quiz->headerWindow, kCodeBoxId), codeText(quiz->codes, solved));
}
