#include "ui/grid_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "quizdata/quiz_types.h"

namespace {

GridLayout layout(int kind, int count, int answers, int reveal = RevealNone) {
    return layoutGrid(GridSpec{kind, count, answers, reveal}, nullptr);
}

const ControlPlacement* find(const GridLayout& l, GridControl control, int id, int slot = -1) {
    for (const auto& p : l.placements)
        if (p.control == control && p.id == id && (slot < 0 || p.slot == slot)) return &p;
    return nullptr;
}

struct Rect {
    int x, y, w, h;
};

void expectAt(const GridLayout& l, GridControl control, int id, Rect r, int slot = -1) {
    const ControlPlacement* p = find(l, control, id, slot);
    ASSERT_NE(p, nullptr) << "id " << id;
    EXPECT_EQ(std::make_tuple(p->x, p->y, p->width, p->height), std::make_tuple(r.x, r.y, r.w, r.h))
        << "id " << id;
}

int countOf(const GridLayout& l, GridControl control) {
    int n = 0;
    for (const auto& p : l.placements) n += p.control == control;
    return n;
}

TEST(GridLayout, EmptyAndUnknownKindsGiveMarginOnlyCanvas) {
    struct Case {
        int kind, count, answers, width;
    } cases[] = {
        {KindText, 0, 1, 20}, {KindPicture, 0, 1, 20}, {KindAudio, 0, 1, 20}, {KindVideo, 0, 1, 20},
        {KindText, 0, 2, 80}, {KindPicture, 0, 2, 80}, {KindAudio, 0, 2, 80}, {KindVideo, 0, 2, 80},
        {4, 5, 1, 20},        {-1, 5, 2, 80},          {99, 96, 1, 20},
    };
    for (const Case& c : cases) {
        GridLayout l = layout(c.kind, c.count, c.answers, RevealExplanation);
        EXPECT_TRUE(l.placements.empty()) << c.kind << "/" << c.count;
        EXPECT_EQ(l.canvasWidth, c.width) << c.kind << "/" << c.count;
        EXPECT_EQ(l.canvasHeight, 0) << c.kind << "/" << c.count;
    }
}

TEST(GridLayout, TextRowsStackEvery25PixelsWithOneFieldPerQuestion) {
    for (int answers : {1, 2}) {
        GridLayout l = layout(KindText, 3, answers, RevealBoth);
        EXPECT_EQ(l.canvasWidth, answers == 2 ? 910 : 850);
        EXPECT_EQ(l.canvasHeight, 80);
        EXPECT_EQ(countOf(l, GridControl::AnswerField), 3);
        EXPECT_EQ(countOf(l, GridControl::ExplanationLabel), 0);
        for (int i = 1; i <= 3; ++i) {
            const int y = 5 + 25 * (i - 1);
            const ControlPlacement* field = find(l, GridControl::AnswerField, 4000 + i);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(std::make_tuple(field->x, field->y, field->width, field->height),
                      std::make_tuple(610, y, 100, 20));
            EXPECT_TRUE(field->evaluateBeforeSubclass);
            EXPECT_EQ(field->font, GridFont::Answer);
            const ControlPlacement* verdict = find(l, GridControl::VerdictLabel, 5000 + i);
            ASSERT_NE(verdict, nullptr);
            EXPECT_EQ(std::make_tuple(verdict->x, verdict->y, verdict->width, verdict->height),
                      std::make_tuple(720, y, 100, 20));
            EXPECT_EQ(verdict->font, GridFont::None);
        }
        // Prompts and numbers share one identifier each: check them by question.
        for (const auto& p : l.placements) {
            const int y = 5 + 25 * (p.question - 1);
            if (p.control == GridControl::PromptLabel) {
                EXPECT_EQ(std::make_tuple(p.id, p.x, p.y, p.width, p.height, p.font),
                          std::make_tuple(3000, 50, y, 550, 20, GridFont::DefaultGui));
            }
            if (p.control == GridControl::NumberLabel) {
                EXPECT_EQ(std::make_tuple(p.id, p.x, p.y, p.width, p.height),
                          std::make_tuple(153, 26, y + 2, 19, 17));
            }
        }
    }
}

TEST(GridLayout, CreationOrderPerKind) {
    using C = GridControl;
    struct Case {
        GridSpec shape;
        std::vector<C> firstQuestion;
    } cases[] = {
        {{KindText, 2, 2, RevealNone},
         {C::NumberLabel, C::PromptLabel, C::AnswerField, C::VerdictLabel}},
        {{KindPicture, 2, 1, RevealBoth},
         {C::QuestionPicture, C::NumberLabel, C::AnswerField, C::VerdictLabel,
          C::ExplanationLabel}},
        {{KindPicture, 2, 2, RevealPicture},
         {C::QuestionPicture, C::CaptionLabel, C::CaptionLabel, C::NumberLabel, C::AnswerField,
          C::VerdictLabel, C::AnswerField, C::VerdictLabel}},
        {{KindAudio, 2, 1, RevealNone},
         {C::NumberLabel, C::PlayButton, C::StopButton, C::AnswerField, C::VerdictLabel}},
        {{KindVideo, 2, 2, RevealAllAtEnd},
         {C::CaptionLabel, C::CaptionLabel, C::NumberLabel, C::PlayButton, C::StopButton,
          C::AnswerField, C::VerdictLabel, C::AnswerField, C::VerdictLabel, C::ExplanationLabel}},
        {{KindAudio, 2, 3, RevealNone},
         {C::NumberLabel, C::PlayButton, C::StopButton, C::UnusedSavedLine, C::UnusedSavedLine,
          C::UnusedSavedLine}},
        {{KindPicture, 2, 0, RevealNone}, {C::QuestionPicture, C::NumberLabel}},
    };
    for (const Case& c : cases) {
        GridLayout l = layoutGrid(c.shape, nullptr);
        std::vector<C> first;
        for (const auto& p : l.placements)
            if (p.question == 1) first.push_back(p.control);
        EXPECT_EQ(first, c.firstQuestion)
            << "kind " << c.shape.kind << " answers " << c.shape.answersPerQuestion;
        // Question 2's controls all come after question 1's.
        bool seenSecond = false;
        for (const auto& p : l.placements) {
            if (p.question == 2)
                seenSecond = true;
            else
                EXPECT_FALSE(seenSecond) << "question 1 control after question 2";
        }
        EXPECT_TRUE(seenSecond);
    }
}

TEST(GridLayout, SavedLinesAreTakenOncePerSlotInIdentifierOrder) {
    struct Case {
        GridSpec shape;
        int lines;
    } cases[] = {
        {{KindText, 4, 2, RevealNone}, 4},  {{KindPicture, 4, 2, RevealNone}, 8},
        {{KindAudio, 5, 1, RevealNone}, 5}, {{KindVideo, 3, 3, RevealNone}, 9},
        {{KindAudio, 3, 0, RevealNone}, 0}, {{7, 3, 1, RevealNone}, 0},
    };
    for (const Case& c : cases) {
        GridLayout l = layoutGrid(c.shape, nullptr);
        int lines = 0, lastField = 4000;
        for (const auto& p : l.placements) {
            if (!takesSavedLine(p.control)) continue;
            ++lines;
            if (p.control != GridControl::AnswerField) continue;
            EXPECT_EQ(p.id, lastField + 1) << "fields out of order";
            lastField = p.id;
            EXPECT_EQ(p.evaluateBeforeSubclass, c.shape.kind == KindText);
        }
        EXPECT_EQ(lines, c.lines) << "kind " << c.shape.kind;
    }
}

TEST(GridLayout, PictureQuizFourQuestionsWithoutExplanations) {
    GridLayout l = layout(KindPicture, 4, 1, RevealNone);
    EXPECT_EQ(l.canvasWidth, 910);
    EXPECT_EQ(l.canvasHeight, 665);
    expectAt(l, GridControl::AnswerField, 4001, {46, 275, 260, 20});
    expectAt(l, GridControl::AnswerField, 4002, {336, 275, 260, 20});
    expectAt(l, GridControl::AnswerField, 4003, {626, 275, 260, 20});
    expectAt(l, GridControl::AnswerField, 4004, {46, 605, 260, 20});
    expectAt(l, GridControl::VerdictLabel, 5002, {336, 294, 260, 20});
    expectAt(l, GridControl::QuestionPicture, 9901, {46, 5, 260, 260});
    expectAt(l, GridControl::QuestionPicture, 9904, {46, 335, 260, 260});
    EXPECT_EQ(countOf(l, GridControl::ExplanationLabel), 0);
    EXPECT_EQ(countOf(l, GridControl::CaptionLabel), 0);
    EXPECT_EQ(countOf(l, GridControl::PlayButton), 0);
}

TEST(GridLayout, PictureQuizWithExplanationsLeavesRoomUnderEachCell) {
    for (int mode : {RevealExplanation, RevealBoth, RevealAllAtEnd}) {
        GridLayout l = layout(KindPicture, 4, 1, mode);
        EXPECT_EQ(l.canvasWidth, 910);
        EXPECT_EQ(l.canvasHeight, 825);
        expectAt(l, GridControl::ExplanationLabel, 8001, {46, 321, 260, 65});
        expectAt(l, GridControl::ExplanationLabel, 8003, {626, 321, 260, 65});
        expectAt(l, GridControl::QuestionPicture, 9904, {46, 415, 260, 260});
        expectAt(l, GridControl::AnswerField, 4004, {46, 685, 260, 20});
        expectAt(l, GridControl::ExplanationLabel, 8004, {46, 731, 260, 65});
    }
    EXPECT_EQ(countOf(layout(KindPicture, 4, 1, RevealPicture), GridControl::ExplanationLabel), 0);
}

TEST(GridLayout, FittedPicturesAreCentredInTheirBox) {
    std::map<int, PictureSize> sizes = {
        {1, {260, 195}}, {2, {195, 260}}, {3, {131, 77}}, {4, {0, 260}}};
    GridLayout l =
        layoutGrid(GridSpec{KindPicture, 4, 2, RevealNone}, [&](int i) { return sizes.at(i); });
    expectAt(l, GridControl::QuestionPicture, 9901, {106, 37, 260, 195});
    expectAt(l, GridControl::QuestionPicture, 9902, {428, 5, 195, 260});
    expectAt(l, GridControl::QuestionPicture, 9903, {686 + 64, 5 + 91, 131, 77});
    expectAt(l, GridControl::QuestionPicture, 9904, {106 + 130, 335, 0, 260});
    // The answer area does not depend on the picture.
    expectAt(l, GridControl::AnswerField, 4001, {106, 275, 201, 20});
    expectAt(l, GridControl::VerdictLabel, 5002, {306, 294, 60, 20});
    EXPECT_EQ(l.canvasWidth, 970);
}

TEST(GridLayout, AudioTwoAnswers) {
    GridLayout l = layout(KindAudio, 4, 2, RevealNone);
    expectAt(l, GridControl::PlayButton, 6001, {106, 5, 20, 20});
    expectAt(l, GridControl::StopButton, 7001, {106, 25, 20, 19});
    expectAt(l, GridControl::AnswerField, 4001, {126, 5, 181, 20});
    expectAt(l, GridControl::AnswerField, 4002, {126, 24, 181, 20});
    expectAt(l, GridControl::VerdictLabel, 5001, {306, 5, 60, 20});
    expectAt(l, GridControl::VerdictLabel, 5002, {306, 24, 60, 20});
    expectAt(l, GridControl::CaptionLabel, 156, {3, 7, 95, 20}, 1);
    expectAt(l, GridControl::CaptionLabel, 156, {3, 27, 95, 20}, 2);
    expectAt(l, GridControl::AnswerField, 4008, {126, 84, 181, 20});
    expectAt(l, GridControl::PlayButton, 6003, {686, 5, 20, 20});
    EXPECT_EQ(find(l, GridControl::VerdictLabel, 5001)->font, GridFont::DefaultGui);
    // Captions only in column 0: rows 1 and 2.
    EXPECT_EQ(countOf(l, GridControl::CaptionLabel), 4);
    EXPECT_EQ(l.canvasWidth, 970);
    EXPECT_EQ(l.canvasHeight, 125);
}

TEST(GridLayout, VideoCellsKeepABandAboveTheAnswers) {
    GridLayout l = layout(KindVideo, 7, 1, RevealExplanation);
    expectAt(l, GridControl::PlayButton, 6001, {46, 215, 20, 20});
    expectAt(l, GridControl::StopButton, 7002, {336, 235, 20, 19});
    expectAt(l, GridControl::AnswerField, 4001, {66, 215, 240, 20});
    expectAt(l, GridControl::VerdictLabel, 5003, {646, 234, 240, 20});
    expectAt(l, GridControl::ExplanationLabel, 8001, {46, 261, 260, 65});
    // Rows of 350: question 7 starts the third row at y 705.
    expectAt(l, GridControl::AnswerField, 4007, {66, 915, 240, 20});
    EXPECT_EQ(l.canvasHeight, 1055);
    EXPECT_EQ(l.canvasWidth, 910);
    EXPECT_EQ(find(l, GridControl::VerdictLabel, 5001)->font, GridFont::None);
}

TEST(GridLayout, NumberLabelsSitLeftOfEachCell) {
    GridLayout l = layout(KindAudio, 3, 1, RevealNone);
    std::set<std::tuple<int, int, int, int, int>> numbers;
    for (const auto& p : l.placements)
        if (p.control == GridControl::NumberLabel)
            numbers.insert({p.question, p.x, p.y, p.width, p.height});
    EXPECT_EQ(numbers, (std::set<std::tuple<int, int, int, int, int>>{
                           {1, 18, 7, 27, 17}, {2, 308, 7, 27, 17}, {3, 598, 7, 27, 17}}));
    EXPECT_EQ(l.canvasHeight, 65);
}

TEST(GridLayout, StepwiseBuildMatchesWholeGrid) {
    GridSpec shape{KindPicture, 5, 1, RevealBoth};
    const auto sizes = [](int i) { return PictureSize{100 + i, 200 - i}; };
    GridCursor cursor;
    std::vector<ControlPlacement> all;
    const GridLayout stepwise =
        layoutGrid(shape, sizes, [&](const std::vector<ControlPlacement>& q, const GridCursor& at) {
            all.insert(all.end(), q.begin(), q.end());
            cursor = at;
        });
    cursor.canvasWidth += 20;  // the final margin, which only the whole grid carries
    GridLayout whole = layoutGrid(shape, sizes);
    EXPECT_EQ(stepwise.placements.size(), whole.placements.size());
    ASSERT_EQ(all.size(), whole.placements.size());
    for (size_t k = 0; k < all.size(); ++k) {
        EXPECT_EQ(all[k].id, whole.placements[k].id);
        EXPECT_EQ(all[k].x, whole.placements[k].x);
        EXPECT_EQ(all[k].y, whole.placements[k].y);
    }
    EXPECT_EQ(cursor.canvasWidth, whole.canvasWidth);
    EXPECT_EQ(cursor.canvasHeight, whole.canvasHeight);
    expectAt(whole, GridControl::QuestionPicture, 9901, {46 + 79, 5 + 30, 101, 199});
}

}  // namespace
