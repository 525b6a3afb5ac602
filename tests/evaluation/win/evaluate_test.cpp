// evaluateAnswer: verdicts, explanation reveals and the all-at-end rule, driven on a stand-in grid.
#include "evaluation/win/evaluate.h"

#include <gtest/gtest.h>

#include "tests/evaluation/win/stand_in_grid.h"

namespace {

using standin::Grid;
using standin::Options;
using standin::Question;

const std::vector<Question> kCities = {{"Paris", "France", "capitale"},
                                       {"Rome", "Italie", "ville \xE9ternelle"}};

Options withReveal(int mode, int answers = 1, int kind = KindPicture) {
    Options options;
    options.kind = kind;
    options.answersPerQuestion = answers;
    options.revealMode = mode;
    return options;
}

void answer(const Grid& grid, int k, const char* text, EvaluationBatch* batch = nullptr) {
    grid.type(k, text);
    evaluateAnswer(grid.quiz(), grid.window(), kAnswerFieldBase + k, batch);
}

TEST(EvaluateAnswer, PublishesTheVerdictAndLeavesTheFieldAlone) {
    Grid grid(kCities, withReveal(RevealNone));
    struct {
        const char* typed;
        const char* verdict;
    } const cases[] = {
        {"  paris  ", "BRAVO"},
        {"   ", "?"},
        {"Parsi", "Anagramme"},
        {"Pari", "Quasiment"},
        {"Parisien", "Trop long"},
        {"Londres", "FAUX"},
        {"", "?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        answer(grid, 1, c.typed);
        EXPECT_EQ(grid.verdict(1), c.verdict);
        EXPECT_EQ(grid.fieldText(1), c.typed);
        EXPECT_EQ(grid.explanation(0), "");  // RevealNone never shows one
    }
    answer(grid, 1, "paris");
    EXPECT_EQ(grid.score(), " 1 / 2");
    EXPECT_EQ(grid.code(), "CODE1");
    answer(grid, 2, "rome");
    EXPECT_EQ(grid.score(), " 2 / 2");
    EXPECT_EQ(grid.code(), "CODE2");
    answer(grid, 1, "");
    EXPECT_EQ(grid.score(), " 1 / 2");
}

TEST(EvaluateAnswer, ExplanationNeedsTheAnswerAsTypedAndGoesWithAWrongOne) {
    Grid grid(kCities, withReveal(RevealExplanation));
    answer(grid, 1, " Paris");  // judged right, but the space stops the reveal
    EXPECT_EQ(grid.verdict(1), "BRAVO");
    EXPECT_EQ(grid.explanation(0), "");
    answer(grid, 1, "PARIS");
    EXPECT_EQ(grid.explanation(0), "capitale");
    EXPECT_EQ(grid.explanation(1), "");
    answer(grid, 1, "Pari");
    EXPECT_EQ(grid.verdict(1), "Quasiment");
    EXPECT_EQ(grid.explanation(0), "");
    answer(grid, 1, "Paris");
    answer(grid, 1, "    ");
    EXPECT_EQ(grid.verdict(1), "?");
    EXPECT_EQ(grid.explanation(0), "");
}

TEST(EvaluateAnswer, TwoAnswersRevealOnlyWithBothSlotsRight) {
    Grid grid(kCities, withReveal(RevealBoth, 2));
    answer(grid, 1, "Paris");
    answer(grid, 2, "Espagne");
    EXPECT_EQ(grid.verdict(1), "BRAVO");
    EXPECT_EQ(grid.verdict(2), "FAUX");
    EXPECT_EQ(grid.explanation(0), "");
    answer(grid, 2, "france");
    EXPECT_EQ(grid.verdict(2), "BRAVO");
    EXPECT_EQ(grid.explanation(0), "capitale");
    EXPECT_EQ(grid.score(), " 1 / 2");
    // Slot 1 of question 2 (field 4003) is compared with Rome's answer1, slot 2 with answer2.
    answer(grid, 3, "Italie");
    EXPECT_EQ(grid.verdict(3), "FAUX");
    answer(grid, 3, "Rome");
    answer(grid, 4, "Italie ");  // BRAVO, the trailing space keeps the explanation hidden
    EXPECT_EQ(grid.verdict(4), "BRAVO");
    EXPECT_EQ(grid.explanation(1), "");
    EXPECT_EQ(grid.score(), " 2 / 2");
}

TEST(EvaluateAnswer, AllAtEndShowsEveryExplanationOnceAllAreRight) {
    Grid grid(kCities, withReveal(RevealAllAtEnd, 2));
    answer(grid, 1, "Paris");
    answer(grid, 2, "France");
    answer(grid, 3, "Rome");
    EXPECT_EQ(grid.explanation(0), "");  // a question alone reveals nothing in this mode
    EXPECT_EQ(grid.quiz()->allSolvedShown, 0);
    answer(grid, 4, " italie ");
    EXPECT_EQ(grid.quiz()->allSolvedShown, 1);
    EXPECT_EQ(grid.explanation(0), "capitale");
    EXPECT_EQ(grid.explanation(1), "ville \xE9ternelle");

    answer(grid, 3, "Roma");  // clears its own question's explanation only
    EXPECT_EQ(grid.quiz()->allSolvedShown, 0);
    EXPECT_EQ(grid.explanation(1), "");
    EXPECT_EQ(grid.explanation(0), "capitale");
    answer(grid, 3, "Rome");
    EXPECT_EQ(grid.quiz()->allSolvedShown, 1);
    EXPECT_EQ(grid.explanation(1), "ville \xE9ternelle");
}

TEST(EvaluateAnswer, AnyWrongVerdictClearsAllSolvedShown) {
    Grid grid(kCities, withReveal(RevealExplanation));
    grid.quiz()->allSolvedShown = 1;
    answer(grid, 2, "Paris");
    EXPECT_EQ(grid.quiz()->allSolvedShown, 0);
}

TEST(EvaluateAnswer, TextQuizWithTwoAnswersJudgesOneFieldPerQuestion) {
    Grid grid(kCities, withReveal(RevealNone, 2, KindText));
    answer(grid, 2, "Rome");  // field 4002 is question 2, not slot 2 of question 1
    EXPECT_EQ(grid.verdict(2), "BRAVO");
    answer(grid, 1, "France");
    EXPECT_EQ(grid.verdict(1), "FAUX");
    answer(grid, 1, "Paris");
    EXPECT_EQ(grid.score(), " 2 / 2");
}

TEST(EvaluateAnswer, NoQuestionBehindTheFieldGivesAQuestionMark) {
    {
        Grid grid(kCities, withReveal(RevealExplanation));
        // A definition that promised questions but brought none: the list is empty.
        for (QuizItem* item = grid.quiz()->firstItem; item;) {
            QuizItem* next = item->next;
            std::free(item);
            item = next;
        }
        grid.quiz()->firstItem = grid.quiz()->lastItem = nullptr;
        SetDlgItemTextA(grid.window(), explanationLabelId(0), "ancienne");
        answer(grid, 1, "Paris");
        EXPECT_EQ(grid.verdict(1), "?");
        EXPECT_EQ(grid.explanation(0), "");
        EXPECT_EQ(grid.score(), " 0 / 2");
    }
    {
        Grid grid(kCities, withReveal(RevealExplanation));
        HWND label = standin::child(grid.window(), "STATIC", 0, "BRAVO", kVerdictLabelBase + 7, 0,
                                    0, 10, 10);
        ASSERT_NE(label, nullptr);
        evaluateAnswer(grid.quiz(), grid.window(), kAnswerFieldBase + 7);  // beyond the fields
        EXPECT_EQ(grid.verdict(7), "?");
    }
    {
        Grid grid(kCities, withReveal(RevealExplanation, 1));
        answer(grid, 1, "Paris");
        grid.quiz()->answersPerQuestion = 3;
        evaluateAnswer(grid.quiz(), grid.window(), kAnswerFieldBase + 1);
        EXPECT_EQ(grid.verdict(1), "?");
        EXPECT_EQ(grid.score(), " 0 / 2");
    }
}

TEST(EvaluateAnswer, ABatchPublishesVerdictsAndRecountsTheScoreOnceAtItsEnd) {
    Grid grid(kCities, withReveal(RevealNone));
    EvaluationBatch batch;
    beginEvaluationBatch(batch);
    answer(grid, 1, "paris", &batch);
    answer(grid, 2, "rome", &batch);
    EXPECT_EQ(grid.verdict(2), "BRAVO");
    EXPECT_EQ(grid.score(), "");  // the header waits for the end of the batch
    endEvaluationBatch(batch, grid.quiz(), grid.window());
    EXPECT_EQ(grid.code(), "CODE2");
    answer(grid, 1, "", &batch);  // closed: each evaluation recounts again
    EXPECT_EQ(grid.score(), " 1 / 2");
}

TEST(EvaluateAnswer, MissingLabelsAreSkipped) {
    Grid grid(kCities, withReveal(RevealExplanation));
    DestroyWindow(GetDlgItem(grid.window(), kVerdictLabelBase + 1));
    DestroyWindow(GetDlgItem(grid.window(), explanationLabelId(0)));
    answer(grid, 1, "Paris");
    EXPECT_EQ(grid.verdict(1), "");
    EXPECT_EQ(grid.score(), " 0 / 2");  // the answer does not count before its label exists
}

}  // namespace
