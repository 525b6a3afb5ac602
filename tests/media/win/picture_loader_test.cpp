// A picture quiz's grid stands at once, its JPEG pictures sized from their headers, and each
// picture arrives later with the very pixels of loadFittedPicture; closing meanwhile is clean.
#include "media/win/picture_loader.h"

#include "media/win/picture.h"
#include "quizdata/quiz_types.h"
#include "tests/ui/win/grid_fixture.h"
#include "tests/win/support.h"
#include "ui/grid_layout.h"

namespace {

// IMG 401..406 of this test: four JPEGs of four shapes and, at 403 and 405, an audio clip that
// has no frame header (decoded in place, to nothing).
constexpr int kQuestions = 6;
constexpr DWORD kArrivalWaitMs = 20000;

HBITMAP expectedPicture(int question) {
    return loadFittedPicture(nullptr, kQuestionMediaBase + question, kImgType, kPictureBox,
                             kPictureBox);
}

// Width, height and top-down 32-bit pixels; empty for no bitmap.
std::vector<DWORD> pixelsOf(HBITMAP bitmap) {
    SIZE size{};
    std::vector<DWORD> pixels = bitmapPixels(bitmap, &size);
    if (!pixels.empty()) pixels.insert(pixels.begin(), {DWORD(size.cx), DWORD(size.cy)});
    return pixels;
}

HBITMAP shownBy(HWND control) {
    return reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

class PictureLoading : public GridFixture {
protected:
    void TearDown() override {
        stopPictureLoading(player_.pictures);
        GridFixture::TearDown();
    }

    // Every control's canvas rectangle, in tab order.
    std::vector<RECT> rectangles() const {
        std::vector<RECT> out;
        for (const GridChild& c : children()) out.push_back(c.canvas);
        return out;
    }
};

TEST_F(PictureLoading, GridStandsAtOnceAndPicturesArriveAsLoadFittedPictureMakesThem) {
    describe(KindPicture, kQuestions, 1, RevealBoth);
    // The layout of today's build, which measured each decoded picture.
    std::vector<RECT> expected;
    const GridLayout layout = layoutGrid({KindPicture, kQuestions, 1, RevealBoth}, [](int q) {
        HBITMAP bitmap = expectedPicture(q);
        BITMAP shape{};
        PictureSize size{kPictureBox, kPictureBox};
        if (bitmap && GetObjectA(bitmap, sizeof shape, &shape))
            size = {shape.bmWidth, shape.bmHeight};
        if (bitmap) DeleteObject(bitmap);
        return size;
    });
    for (const ControlPlacement& p : layout.placements)
        expected.push_back({p.x, p.y, p.x + p.width, p.y + p.height});

    ASSERT_NE(open(), nullptr);
    // No message dispatched yet: no JPEG has reached its control, yet all stand where they end.
    EXPECT_EQ(player_.pictures.pending, 4);
    for (int q = 1; q <= kQuestions; ++q)
        EXPECT_EQ(shownBy(GetDlgItem(grid_, kQuestionPictureBase + q)), nullptr) << q;
    const std::vector<RECT> before = rectangles();
    ASSERT_EQ(before.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k)
        EXPECT_TRUE(EqualRect(&before[k], &expected[k])) << "control " << k;

    ASSERT_TRUE(pumpUntil([this] { return player_.pictures.pending == 0; }, kArrivalWaitMs));
    for (int q = 1; q <= kQuestions; ++q) {
        HBITMAP want = expectedPicture(q);
        EXPECT_EQ(pixelsOf(shownBy(GetDlgItem(grid_, kQuestionPictureBase + q))), pixelsOf(want))
            << "question " << q;
        if (want) DeleteObject(want);
    }
    const std::vector<RECT> after = rectangles();
    for (size_t k = 0; k < expected.size(); ++k)
        EXPECT_TRUE(EqualRect(&after[k], &expected[k])) << "control " << k << " after";
}

TEST_F(PictureLoading, ClosingWhileDecodingLeavesNothingBehind) {
    describe(KindPicture, kQuestions, 1, RevealNone);
    auto closeEarly = [this](int messagesFirst) {
        ASSERT_NE(open(), nullptr);
        pumpUntil([&] { return player_.pictures.pending <= 4 - messagesFirst; }, kArrivalWaitMs);
        // What the grid already shows, and its font, are the test's to delete, as before.
        std::vector<HGDIOBJ> shown{quiz().answerFont};
        for (int q = 1; q <= kQuestions; ++q)
            shown.push_back(shownBy(GetDlgItem(grid_, kQuestionPictureBase + q)));
        DestroyWindow(grid_);  // arrivals now find no control
        grid_ = nullptr;
        for (HGDIOBJ object : shown)
            if (object) DeleteObject(object);
        pumpUntil([] { return false; }, 20);
        stopPictureLoading(player_.pictures);
        EXPECT_EQ(player_.pictures.pending, 0);
    };
    for (int round = 0; round < 3; ++round) closeEarly(round % 3);  // the decoder's one-time state
    const int before = freeGdiSlots();
    ASSERT_GT(before, 1000);
    for (int round = 0; round < 30; ++round) closeEarly(round % 3);
    const int after = freeGdiSlots();
    // 30 closings with up to four bitmaps each in flight: a lost one per round shows as 30.
    EXPECT_LE(before - after, 8) << before << " free before, " << after << " after";
}

}  // namespace
