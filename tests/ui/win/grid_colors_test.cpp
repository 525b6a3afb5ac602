// Colours of the grid: what its dialog procedure returns for the background and for each
// static control, and what it sets in the device context it is given.
#include "evaluation/verdicts.h"
#include "tests/ui/win/grid_fixture.h"

namespace {

struct DcState {
    COLORREF back, text;
    int mode;
};

class GridColours : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        dc_ = CreateCompatibleDC(nullptr);
        fresh_ = state();
    }
    void TearDown() override {
        DeleteDC(dc_);
        GridFixture::TearDown();
    }

    // The answer of the grid's own procedure, as the dialog manager gets it.
    INT_PTR paint(HWND control) {
        RestoreDC(dc_, -1);
        SaveDC(dc_);
        return gridProc(grid_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc_),
                        reinterpret_cast<LPARAM>(control));
    }
    INT_PTR paint(int id) { return paint(GetDlgItem(grid_, id)); }

    DcState state() const { return DcState{GetBkColor(dc_), GetTextColor(dc_), GetBkMode(dc_)}; }

    static INT_PTR brush(HBRUSH b) { return reinterpret_cast<INT_PTR>(b); }

    HDC dc_ = nullptr;
    DcState fresh_{};
};

TEST_F(GridColours, VerdictLabelsArePaintedByTheirVerdict) {
    describe(KindPicture, 2, 2);
    ASSERT_NE(open(), nullptr);
    ASSERT_EQ(fresh_.mode, OPAQUE);
    struct Case {
        const char* text;
        HBRUSH brush;
        COLORREF back;
    } cases[] = {
        {kVerdictAnagram, quiz().anagramBrush, RGB(255, 0, 0)},
        {kVerdictBravo, quiz().rightBrush, RGB(0, 255, 0)},
        {kVerdictWrong, quiz().wrongBrush, RGB(255, 0, 0)},
        {kVerdictAlmost, quiz().hintBrush, RGB(255, 0, 0)},
        {kVerdictNearly, quiz().hintBrush, RGB(255, 0, 0)},
        {kVerdictTooLong, quiz().hintBrush, RGB(255, 0, 0)},
        {kVerdictTooShort, quiz().hintBrush, RGB(255, 0, 0)},
        {kVerdictClose, quiz().hintBrush, RGB(255, 0, 0)},
        {kVerdictIdea, quiz().hintBrush, RGB(255, 0, 0)},
    };
    for (int id : {5001, 5004}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(id));
            SetWindowTextA(GetDlgItem(grid_, id), c.text);
            EXPECT_EQ(paint(id), brush(c.brush));
            const DcState s = state();
            EXPECT_EQ(s.back, c.back);
            EXPECT_EQ(s.text, fresh_.text);
            EXPECT_EQ(s.mode, OPAQUE);
        }
    }
}

TEST_F(GridColours, AnUnjudgedVerdictKeepsTheSystemColours) {
    describe(KindText, 2, 1);
    ASSERT_NE(open(), nullptr);
    ASSERT_EQ(text(5002), "?");
    EXPECT_EQ(paint(5002), FALSE);
    const DcState s = state();
    EXPECT_EQ(s.back, fresh_.back);
    EXPECT_EQ(s.text, fresh_.text);
    EXPECT_EQ(s.mode, fresh_.mode);
}

TEST_F(GridColours, LabelsOnTheBackgroundAreTransparentWithTextByRedAndGreen) {
    describe(KindAudio, 4, 2, RevealExplanation);
    ASSERT_NE(open(), nullptr);
    struct Case {
        unsigned char red, green, blue;
        COLORREF text;
    } cases[] = {
        {59, 59, 255, RGB(255, 255, 255)},
        {60, 0, 0, RGB(0, 0, 0)},
        {0, 60, 0, RGB(0, 0, 0)},
        {90, 95, 150, RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        quiz().bgRed = c.red;
        quiz().bgGreen = c.green;
        quiz().bgBlue = c.blue;
        for (int id : {kNumberLabelId, kCaptionLabelId, 8001, 8004}) {
            SCOPED_TRACE("id " + std::to_string(id) + " red " + std::to_string(c.red));
            ASSERT_NE(GetDlgItem(grid_, id), nullptr);
            EXPECT_EQ(paint(id), brush(quiz().bgBrush));
            const DcState s = state();
            EXPECT_EQ(s.mode, TRANSPARENT);
            EXPECT_EQ(s.text, c.text);
            EXPECT_EQ(s.back, fresh_.back);
        }
    }
}

TEST_F(GridColours, EveryPromptIsOnLightYellow) {
    describe(KindText, 3, 1);
    ASSERT_NE(open(), nullptr);
    int prompts = 0;
    for (const GridChild& c : children()) {
        if (c.id != kPromptLabelId) continue;
        ++prompts;
        EXPECT_EQ(paint(c.hwnd), brush(quiz().noteBrush));
        EXPECT_EQ(state().back, RGB(255, 255, 192));
        EXPECT_EQ(state().mode, OPAQUE);
    }
    EXPECT_EQ(prompts, 3);
}

TEST_F(GridColours, OtherStaticsAndTheBackground) {
    describe(KindPicture, 2, 1);
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(paint(9901), FALSE);  // a question picture
    EXPECT_EQ(state().back, fresh_.back);
    EXPECT_EQ(state().mode, fresh_.mode);
    // A static whose identifier is past the verdict labels of this quiz.
    HWND stray =
        CreateWindowExA(0, "STATIC", "BRAVO", WS_CHILD, 0, 0, 10, 10, grid_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(5003)), nullptr, nullptr);
    EXPECT_EQ(paint(stray), FALSE);
    EXPECT_EQ(gridProc(grid_, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc_),
                       reinterpret_cast<LPARAM>(grid_)),
              brush(quiz().bgBrush));
}

}  // namespace
