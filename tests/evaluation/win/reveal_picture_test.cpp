// Answer pictures: "IMG" 10401 and 10403 of this executable (a 64 x 32 JPEG), none for 10402.
#include "evaluation/win/evaluate.h"

#include <gtest/gtest.h>

#include "media/win/picture.h"
#include "tests/evaluation/win/stand_in_grid.h"

namespace {

using standin::Grid;
using standin::Options;
using standin::Question;

const std::vector<Question> kQuestions = {
    {"Paris", "", "capitale"}, {"Rome", "", "ville"}, {"Oslo", "", "nord"}};

Options pictureGrid(int mode) {
    Options options;
    options.kind = KindPicture;
    options.revealMode = mode;
    options.pictures = true;
    return options;
}

void answer(const Grid& grid, int k, const char* text) {
    grid.type(k, text);
    evaluateAnswer(grid.quiz(), grid.window(), kAnswerFieldBase + k);
}

bool alive(HBITMAP bitmap) { return GetObjectType(bitmap) == OBJ_BITMAP; }

class AnswerPictureReveal : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(answerPictureNumber(0)), kImgType),
                  nullptr);
        ASSERT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(answerPictureNumber(1)), kImgType),
                  nullptr);
        HBITMAP probe = loadFittedPicture(GetModuleHandleA(nullptr), answerPictureNumber(0),
                                          kImgType, 260, 260);
        if (!probe) GTEST_SKIP() << "loadFittedPicture gives no bitmap for IMG 10401";
        DeleteObject(probe);
    }
};

TEST_F(AnswerPictureReveal, AnswerPictureReplacesTheQuestionPictureAndStays) {
    Grid grid(kQuestions, pictureGrid(RevealPicture));
    HBITMAP before = grid.picture(0);
    ASSERT_TRUE(alive(before));

    answer(grid, 1, " Paris");  // BRAVO with a space: no reveal
    EXPECT_EQ(grid.picture(0), before);

    answer(grid, 1, "paris");
    HBITMAP revealed = grid.picture(0);
    ASSERT_NE(revealed, before);
    EXPECT_TRUE(alive(revealed));
    EXPECT_FALSE(alive(before));  // the question picture's bitmap is released
    BITMAP info = {};
    GetObjectA(revealed, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 260);
    EXPECT_EQ(info.bmHeight, 130);
    EXPECT_EQ(grid.explanation(0), "");  // a picture-only reveal

    answer(grid, 1, "");  // "?" leaves the answer picture in place
    EXPECT_EQ(grid.verdict(1), "?");
    EXPECT_EQ(grid.picture(0), revealed);
}

TEST_F(AnswerPictureReveal, MissingAnswerPictureKeepsTheQuestionPicture) {
    Grid grid(kQuestions, pictureGrid(RevealBoth));
    HBITMAP before = grid.picture(1);
    answer(grid, 2, "Rome");
    EXPECT_EQ(grid.verdict(2), "BRAVO");
    EXPECT_EQ(grid.explanation(1), "ville");
    EXPECT_EQ(grid.picture(1), before);
    EXPECT_TRUE(alive(before));

    answer(grid, 3, "Oslo");
    EXPECT_EQ(grid.explanation(2), "nord");
    EXPECT_NE(grid.picture(2), nullptr);
    EXPECT_NE(grid.picture(2), grid.picture(1));
}

TEST_F(AnswerPictureReveal, RepeatedRevealsReleaseEveryReplacedBitmap) {
    Grid grid(kQuestions, pictureGrid(RevealPicture));
    answer(grid, 1, "Paris");
    const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::vector<HBITMAP> shown = {grid.picture(0)};
    for (int round = 0; round < 25; ++round) {
        answer(grid, 1, "Paris");
        shown.push_back(grid.picture(0));
    }
    // Wine does not count GDI objects (it answers 0); there the handle checks below carry the test.
    if (objects != 0) {
        EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects);
    }
    for (std::size_t n = 0; n + 1 < shown.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_NE(shown[n], shown[n + 1]);  // loaded again at every reveal
        EXPECT_FALSE(alive(shown[n]));
    }
    EXPECT_TRUE(alive(shown.back()));
}

}  // namespace
