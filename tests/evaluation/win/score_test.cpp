// updateScore: the header's score label and code box, recounted from the grid's verdict labels.
#include "evaluation/win/score.h"

#include <gtest/gtest.h>

#include "tests/evaluation/win/stand_in_grid.h"

namespace {

using standin::Grid;
using standin::Options;
using standin::Question;

struct ScoreCase {
    const char* name;
    int kind;
    int answersPerQuestion;
    std::vector<const char*> verdicts;  // labels 5001 upwards
    const char* score;
    const char* code;
};

TEST(UpdateScore, CountsSolvedQuestionsAndShowsTheirCode) {
    const std::vector<Question> three = {{"a", "b", ""}, {"c", "d", ""}, {"e", "f", ""}};
    const ScoreCase cases[] = {
        {"none solved", KindPicture, 1, {"?", "FAUX", "Quasiment"}, " 0 / 3", "      "},
        {"some solved", KindPicture, 1, {"BRAVO", "FAUX", "BRAVO"}, " 2 / 3", "CODE2"},
        {"all solved", KindPicture, 1, {"BRAVO", "BRAVO", "BRAVO"}, " 3 / 3", "CODE3"},
        {"hints never count",
         KindAudio,
         1,
         {"Anagramme", "Presque",
          "y a de l'id\xE9"
          "e"},
         " 0 / 3",
         "      "},
        {"two answers: both slots needed",
         KindPicture,
         2,
         {"BRAVO", "BRAVO", "BRAVO", "Quasiment", "?", "BRAVO"},
         " 1 / 3",
         "CODE1"},
        {"two answers: all",
         KindVideo,
         2,
         {"BRAVO", "BRAVO", "BRAVO", "BRAVO", "BRAVO", "BRAVO"},
         " 3 / 3",
         "CODE3"},
        {"text quiz, two answers: one field per question",
         KindText,
         2,
         {"BRAVO", "BRAVO", "FAUX"},
         " 2 / 3",
         "CODE2"},
        {"no layout for three answers", KindPicture, 3, {}, " 0 / 3", "      "},
    };
    for (const ScoreCase& c : cases) {
        SCOPED_TRACE(c.name);
        Options options;
        options.kind = c.kind;
        options.answersPerQuestion = c.answersPerQuestion;
        Grid grid(three, options);
        for (std::size_t k = 0; k < c.verdicts.size(); ++k)
            SetDlgItemTextA(grid.window(), kVerdictLabelBase + 1 + static_cast<int>(k),
                            c.verdicts[k]);
        updateScore(grid.quiz(), grid.window());
        EXPECT_EQ(grid.score(), c.score);
        EXPECT_EQ(grid.code(), c.code);
    }
}

TEST(UpdateScore, FollowsTheLabelsDownAgainAndSkipsMissingOnes) {
    Grid grid({{"a", "", ""}, {"b", "", ""}, {"c", "", ""}}, Options{});
    for (int k = 1; k <= 3; ++k) SetDlgItemTextA(grid.window(), kVerdictLabelBase + k, "BRAVO");
    updateScore(grid.quiz(), grid.window());
    EXPECT_EQ(grid.score(), " 3 / 3");

    SetDlgItemTextA(grid.window(), kVerdictLabelBase + 2, "FAUX");
    updateScore(grid.quiz(), grid.window());
    EXPECT_EQ(grid.score(), " 2 / 3");
    EXPECT_EQ(grid.code(), "CODE2");

    DestroyWindow(GetDlgItem(grid.window(), kVerdictLabelBase + 1));  // reads as not solved
    updateScore(grid.quiz(), grid.window());
    EXPECT_EQ(grid.score(), " 1 / 3");
    EXPECT_EQ(grid.code(), "CODE1");

    grid.quiz()->codes[0][0] = '\0';  // a score without a code shows the empty entry
    updateScore(grid.quiz(), grid.window());
    EXPECT_EQ(grid.code(), "");
}

}  // namespace
