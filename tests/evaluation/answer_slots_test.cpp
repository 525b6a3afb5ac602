// Which question and slot an answer field judges, and the rules read back from the verdicts.
#include "evaluation/answer_slots.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct SlotCase {
    int kind;
    int questions;
    int answers;
    int fieldId;
    bool valid;
    int question;
    int slot;
};

TEST(AnswerSlots, FieldIdentifierGivesQuestionAndSlot) {
    const SlotCase cases[] = {
        {KindPicture, 3, 1, 4001, true, 0, 1},
        {KindPicture, 3, 1, 4003, true, 2, 1},
        {KindPicture, 3, 1, 4004, false, 0, 0},  // no fourth field
        {KindPicture, 3, 1, 4000, false, 0, 0},
        {KindAudio, 3, 2, 4001, true, 0, 1},
        {KindAudio, 3, 2, 4002, true, 0, 2},
        {KindAudio, 3, 2, 4003, true, 1, 1},
        {KindAudio, 3, 2, 4006, true, 2, 2},
        {KindAudio, 3, 2, 4007, false, 0, 0},
        // A text quiz has one field per question whatever answersPerQuestion holds.
        {KindText, 3, 2, 4002, true, 1, 1},
        {KindText, 3, 2, 4003, true, 2, 1},
        {KindText, 3, 2, 4004, false, 0, 0},
        // No layout for other answer counts: no field belongs to a question.
        {KindText, 3, 3, 4001, false, 0, 0},
        {KindPicture, 3, 0, 4001, false, 0, 0},
        {KindVideo, 3, -1, 4001, false, 0, 0},
        {KindPicture, 0, 1, 4001, false, 0, 0},
        {KindPicture, 200, 1, 4097, false, 0, 0},  // beyond the record's 96 questions
        {KindPicture, 200, 1, 4096, true, 95, 1},
    };
    for (const SlotCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << c.kind << " A " << c.answers << " id " << c.fieldId);
        const FieldSlot where = slotOfField(c.kind, c.questions, c.answers, c.fieldId);
        EXPECT_EQ(where.valid, c.valid);
        if (!c.valid) continue;
        EXPECT_EQ(where.question, c.question);
        EXPECT_EQ(where.slot, c.slot);
        EXPECT_EQ(answerFieldId(where.question, where.slot, fieldsPerQuestion(c.kind, c.answers)),
                  c.fieldId);
    }
}

TEST(AnswerSlots, IdentifiersAroundAQuestion) {
    EXPECT_EQ(verdictLabelId(4005), 5005);
    EXPECT_EQ(explanationLabelId(0), 8001);
    EXPECT_EQ(questionPictureId(2), 9903);
    EXPECT_EQ(answerPictureNumber(0), 10401);
    EXPECT_EQ(answerFieldId(1, 2, 2), 4004);
    EXPECT_EQ(answerFieldCount(KindText, 5, 2), 5);
    EXPECT_EQ(answerFieldCount(KindVideo, 5, 2), 10);
    EXPECT_EQ(answerFieldCount(KindVideo, 5, 3), 0);
    EXPECT_EQ(answerFieldCount(KindPicture, -4, 1), 0);
}

struct SolvedCase {
    const char* name;
    std::vector<std::string> verdicts;
    int perQuestion;
    int solved;
};

TEST(AnswerSlots, SolvedCountNeedsEverySlotRight) {
    const SolvedCase cases[] = {
        {"none", {"?", "FAUX", "Quasiment"}, 1, 0},
        {"some", {"BRAVO", "FAUX", "BRAVO"}, 1, 2},
        {"all", {"BRAVO", "BRAVO", "BRAVO"}, 1, 3},
        {"two answers, second question half right", {"BRAVO", "BRAVO", "BRAVO", "Presque"}, 2, 1},
        {"two answers, second slot only", {"FAUX", "BRAVO"}, 2, 0},
        {"hints never count", {"Anagramme", "Quasiment", "Presque", "Trop long", "pas loin"}, 1, 0},
        {"exact text only", {"bravo", "BRAVO ", " BRAVO", ""}, 1, 0},
        {"no labels", {}, 1, 0},
        {"no layout", {"BRAVO", "BRAVO"}, 0, 0},
    };
    for (const SolvedCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(countSolved(c.verdicts, c.perQuestion), c.solved);
    }
}

TEST(AnswerSlots, ScoreAndCodeTexts) {
    EXPECT_EQ(scoreText(0, 12), " 0 / 12");
    EXPECT_EQ(scoreText(3, 3), " 3 / 3");

    static char codes[kCodeCount][kTextCapacity] = {};
    std::strcpy(codes[0], "PREMIER");
    std::strcpy(codes[2], "TROIS");
    std::strcpy(codes[kCodeCount - 1], "DERNIER");
    EXPECT_STREQ(codeText(codes, 0), "      ");
    EXPECT_STREQ(codeText(codes, 1), "PREMIER");
    EXPECT_STREQ(codeText(codes, 3), "TROIS");
    EXPECT_STREQ(codeText(codes, 2), "");  // a score without a code shows the empty entry
    EXPECT_STREQ(codeText(codes, kCodeCount), "DERNIER");
    EXPECT_STREQ(codeText(codes, kCodeCount + 1), "      ");
    EXPECT_STREQ(codeText(codes, -1), "      ");
}

TEST(AnswerSlots, RevealNeedsTheAnswerAsTyped) {
    struct {
        const char* expected;
        const char* typed;
        bool matches;
    } const cases[] = {
        {"Paris", "paris", true},
        {"Paris", " Paris", false},  // judged BRAVO, but the space stops the reveal
        {"Paris", "Paris ", false},
        {"Orl\xE9"
         "ans",
         "ORL\xE9"
         "ANS",
         true},
        {"Orl\xE9"
         "ans",
         "ORL\xC9"
         "ANS",
         false},  // only a..z are folded
        {"\x8C"
         "dipe",
         "OEdipe", false},  // equal to a locale's comparison, not to the reveal
        {"", "", true},
        {"Paris", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "(null)");
        EXPECT_EQ(slotTextMatches(c.expected, c.typed), c.matches);
    }
}

}  // namespace
