#include "evaluation/answer_slots.h"

#include <cstdio>
#include <cstring>

#include "core/ids.h"
#include "evaluation/judge.h"
#include "evaluation/verdicts.h"

namespace {

constexpr char kScoreFormat[] = " %d / %d";

}  // namespace

const char kNoCodeText[] = "      ";

int fieldsPerQuestion(int kind, int answersPerQuestion) {
    if (answersPerQuestion != 1 && answersPerQuestion != 2) return 0;
    return kind == KindText ? 1 : answersPerQuestion;
}

int questionsInGrid(int questionCount) {
    if (questionCount < 0) return 0;
    return questionCount > kMaxQuestions ? kMaxQuestions : questionCount;
}

int answerFieldCount(int kind, int questionCount, int answersPerQuestion) {
    return questionsInGrid(questionCount) * fieldsPerQuestion(kind, answersPerQuestion);
}

FieldSlot slotOfField(int kind, int questionCount, int answersPerQuestion, int fieldId) {
    const int perQuestion = fieldsPerQuestion(kind, answersPerQuestion);
    const int k = fieldId - kAnswerFieldBase;
    if (perQuestion == 0 || k < 1 || k > answerFieldCount(kind, questionCount, answersPerQuestion))
        return {false, 0, 0};
    return {true, (k - 1) / perQuestion, (k - 1) % perQuestion + 1};
}

int answerFieldId(int question, int slot, int perQuestion) {
    return kAnswerFieldBase + question * perQuestion + slot;
}

int verdictLabelId(int fieldId) { return fieldId + kVerdictLabelOffset; }
int explanationLabelId(int question) { return kExplanationLabelBase + 1 + question; }
int questionPictureId(int question) { return kQuestionPictureBase + 1 + question; }
int answerPictureNumber(int question) { return kAnswerPictureBase + 1 + question; }

bool isSolvedVerdict(const char* verdict) {
    return verdict && std::strcmp(verdict, kVerdictBravo) == 0;
}

int countSolved(const std::vector<std::string>& verdicts, int perQuestion) {
    if (perQuestion < 1) return 0;
    int solved = 0;
    const std::size_t group = static_cast<std::size_t>(perQuestion);
    for (std::size_t first = 0; first + group <= verdicts.size(); first += group) {
        std::size_t right = 0;
        for (std::size_t j = 0; j < group; ++j)
            right += isSolvedVerdict(verdicts[first + j].c_str());
        if (right == group) ++solved;
    }
    return solved;
}

std::string scoreText(int solved, int questionCount) {
    char text[32];
    std::snprintf(text, sizeof text, kScoreFormat, solved, questionCount);
    return text;
}

const char* codeText(const char (*codes)[kTextCapacity], int solved) {
    // Scores beyond the 96 codes of the record have no code to show.
    if (!codes || solved < 1 || solved > kCodeCount) return kNoCodeText;
    return codes[solved - 1];
}

bool revealsPerQuestion(int revealMode) {
    return revealMode == RevealPicture || revealMode == RevealExplanation ||
           revealMode == RevealBoth;
}

bool revealsExplanation(int revealMode) {
    return revealMode == RevealExplanation || revealMode == RevealBoth;
}

bool revealsPicture(int revealMode) {
    return revealMode == RevealPicture || revealMode == RevealBoth;
}

bool slotTextMatches(const char* expected, const char* typed) {
    return upperAscii(expected ? expected : "") == upperAscii(typed ? typed : "");
}
