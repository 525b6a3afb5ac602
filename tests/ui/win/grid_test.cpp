// Building the question grid: every control of every kind, its creation arguments, font, image,
// focus and tab order, checked against the portable layout and the control table.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "ui/grid_layout.h"
#include "ui/win/saved_answers_file.h"
#include "tests/ui/win/grid_fixture.h"

namespace {

struct ControlClass {
    const char* className;
    DWORD style;
};

// The classes and styles every grid control is created with.
const std::map<GridControl, ControlClass>& controlClasses() {
    static const std::map<GridControl, ControlClass> classes = {
        {GridControl::NumberLabel, {"STATIC", WS_CHILD | WS_VISIBLE | SS_RIGHT}},
        {GridControl::PromptLabel,
         {"STATIC", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER | SS_CENTERIMAGE}},
        {GridControl::AnswerField,
         {"EDIT", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL}},
        {GridControl::VerdictLabel,
         {"STATIC", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER | SS_CENTERIMAGE}},
        {GridControl::QuestionPicture,
         {"STATIC", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE}},
        {GridControl::CaptionLabel, {"STATIC", WS_CHILD | WS_VISIBLE}},
        {GridControl::PlayButton,
         {"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON}},
        {GridControl::StopButton,
         {"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON}},
        {GridControl::ExplanationLabel, {"STATIC", WS_CHILD | WS_VISIBLE | SS_CENTER}},
    };
    return classes;
}

std::string expectedText(const Quiz& quiz, const ControlPlacement& p) {
    const std::string n = std::to_string(p.question);
    switch (p.control) {
    case GridControl::NumberLabel: return n + ".";
    case GridControl::PromptLabel: return "q" + n;
    case GridControl::VerdictLabel: return "?";
    case GridControl::CaptionLabel: return p.slot == 1 ? "Artiste" : "Titre";
    case GridControl::ExplanationLabel: return quiz.revealMode == RevealAllAtEnd ? "" : "expl " + n;
    default: return "";  // fields without a saved file, buttons
    }
}

std::vector<ControlPlacement> expectedControls(const GridSpec& shape) {
    std::vector<ControlPlacement> out;
    for (const ControlPlacement& p : layoutGrid(shape, nullptr).placements)
        if (p.control != GridControl::UnusedSavedLine) out.push_back(p);
    return out;
}

bool isPlayerHost(const Quiz& quiz, const GridEvent& e) {
    return (quiz.kind == KindAudio || quiz.kind == KindVideo) && e.id == kPlayerHostId;
}

class GridBuild : public GridFixture, public ::testing::WithParamInterface<GridSpec> {
protected:
    void build() {
        const GridSpec shape = GetParam();
        describe(shape.kind, shape.questionCount, shape.answersPerQuestion, shape.revealMode);
        ASSERT_NE(open(), nullptr);
        for (const GridEvent& e : controlEvents()) {
            if (e.type == GridEvent::Created && isPlayerHost(quiz(), e)) continue;
            if (e.type == GridEvent::Created)
                index_[e.hwnd] = controls_.size(), controls_.push_back(e);
            else if (index_.count(e.hwnd))
                sent_.push_back(e);
        }
        expected_ = expectedControls(shape);
    }

    // The messages of one kind sent to a control, in order.
    std::vector<GridEvent> sentTo(HWND control, GridEvent::Type type) const {
        std::vector<GridEvent> out;
        for (const GridEvent& e : sent_)
            if (e.hwnd == control && e.type == type) out.push_back(e);
        return out;
    }

    std::vector<GridEvent> controls_;
    std::vector<GridEvent> sent_;
    std::map<HWND, size_t> index_;
    std::vector<ControlPlacement> expected_;
};

TEST_P(GridBuild, CreatesEveryControlAsLaidOutWithItsClassStyleAndText) {
    build();
    ASSERT_EQ(controls_.size(), expected_.size());
    for (size_t k = 0; k < controls_.size(); ++k) {
        const GridEvent& got = controls_[k];
        const ControlPlacement& want = expected_[k];
        const ControlClass& cls = controlClasses().at(want.control);
        SCOPED_TRACE("control " + std::to_string(k) + " id " + std::to_string(want.id));
        EXPECT_EQ(got.id, want.id);
        EXPECT_STRCASEEQ(got.className.c_str(), cls.className);
        EXPECT_EQ(got.style, cls.style);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(got.instance, GetModuleHandleA(nullptr));
        EXPECT_EQ(std::vector<int>({got.x, got.y, got.width, got.height}),
                  std::vector<int>({want.x, want.y, want.width, want.height}));
        EXPECT_EQ(got.text, expectedText(quiz(), want));
        EXPECT_EQ(got.nullText, want.control == GridControl::QuestionPicture);
    }
    const GridLayout layout = layoutGrid(GetParam(), nullptr);
    EXPECT_EQ(canvasWidth(), layout.canvasWidth);
    EXPECT_EQ(canvasHeight(), layout.canvasHeight);
}

TEST_P(GridBuild, ControlsStayAtTheirCanvasPositionsInCreationOrder) {
    build();
    std::vector<GridChild> children;
    for (const GridChild& c : GridFixture::children())
        if (!((quiz().kind == KindAudio || quiz().kind == KindVideo) && c.id == kPlayerHostId))
            children.push_back(c);
    ASSERT_EQ(children.size(), controls_.size());
    for (size_t k = 0; k < children.size(); ++k) {
        SCOPED_TRACE("id " + std::to_string(expected_[k].id));
        EXPECT_EQ(children[k].hwnd, controls_[k].hwnd) << "tab order differs from creation order";
        const RECT& r = children[k].canvas;
        EXPECT_EQ(std::vector<long>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  std::vector<long>(
                      {expected_[k].x, expected_[k].y, expected_[k].width, expected_[k].height}));
    }
}

TEST_P(GridBuild, FontsImagesAndFocusFollowEachControl) {
    build();
    ASSERT_EQ(controls_.size(), expected_.size());
    ASSERT_NE(quiz().answerFont, nullptr);
    LOGFONTA font{};
    ASSERT_TRUE(GetObjectA(quiz().answerFont, sizeof font, &font));
    EXPECT_EQ(font.lfHeight, 15);
    EXPECT_EQ(font.lfWeight, FW_THIN);
    EXPECT_FALSE(font.lfItalic);
    const WPARAM gui = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (size_t k = 0; k < controls_.size(); ++k) {
        const ControlPlacement& want = expected_[k];
        SCOPED_TRACE("id " + std::to_string(want.id));
        const auto fonts = sentTo(controls_[k].hwnd, GridEvent::Font);
        if (want.control == GridControl::AnswerField) {
            ASSERT_EQ(fonts.size(), 1u);
            EXPECT_EQ(fonts[0].wParam, reinterpret_cast<WPARAM>(quiz().answerFont));
            EXPECT_EQ(fonts[0].lParam, FALSE);
        } else if (want.font == GridFont::DefaultGui) {
            ASSERT_EQ(fonts.size(), 1u);
            EXPECT_EQ(fonts[0].wParam, gui);
            EXPECT_EQ(fonts[0].lParam, TRUE);
        } else {
            EXPECT_TRUE(fonts.empty());
        }
        const auto images = sentTo(controls_[k].hwnd, GridEvent::Image);
        HINSTANCE self = GetModuleHandleA(nullptr);
        if (want.control == GridControl::QuestionPicture) {
            ASSERT_EQ(images.size(), 1u);
            EXPECT_EQ(images[0].message, static_cast<UINT>(STM_SETIMAGE));
            EXPECT_EQ(images[0].wParam, static_cast<WPARAM>(IMAGE_BITMAP));
        } else if (want.control == GridControl::PlayButton ||
                   want.control == GridControl::StopButton) {
            const int icon = want.control == GridControl::PlayButton ? kPlayIconId : kStopIconId;
            ASSERT_EQ(images.size(), 1u);
            EXPECT_EQ(images[0].message, static_cast<UINT>(BM_SETIMAGE));
            EXPECT_EQ(images[0].wParam, static_cast<WPARAM>(IMAGE_ICON));
            EXPECT_EQ(images[0].lParam,
                      reinterpret_cast<LPARAM>(LoadIconA(self, MAKEINTRESOURCEA(icon))));
        } else {
            EXPECT_TRUE(images.empty());
        }
    }
}

TEST_P(GridBuild, EachFieldTakesTheFocusBeforeItsVerdictLabelExists) {
    build();
    const std::vector<GridEvent> events = controlEvents();
    for (size_t k = 0; k < controls_.size(); ++k) {
        if (expected_[k].control != GridControl::AnswerField) continue;
        SCOPED_TRACE("field " + std::to_string(expected_[k].id));
        // Between the field's creation and the next creation there is a focus change to it.
        auto created = std::find_if(events.begin(), events.end(), [&](const GridEvent& e) {
            return e.type == GridEvent::Created && e.hwnd == controls_[k].hwnd;
        });
        ASSERT_NE(created, events.end());
        auto next = std::find_if(created + 1, events.end(),
                                 [](const GridEvent& e) { return e.type == GridEvent::Created; });
        EXPECT_TRUE(std::any_of(created + 1, next, [&](const GridEvent& e) {
            return e.type == GridEvent::Focus && e.hwnd == controls_[k].hwnd;
        }));
        ASSERT_LT(k + 1, controls_.size());
        EXPECT_EQ(controls_[k + 1].id, expected_[k].id + kVerdictLabelOffset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, GridBuild,
    ::testing::Values(
        GridSpec{KindText, 3, 1, RevealNone}, GridSpec{KindText, 2, 2, RevealBoth},
        GridSpec{KindPicture, 4, 1, RevealNone}, GridSpec{KindPicture, 4, 1, RevealExplanation},
        GridSpec{KindPicture, 5, 2, RevealBoth}, GridSpec{KindAudio, 4, 2, RevealNone},
        GridSpec{KindAudio, 3, 1, RevealAllAtEnd}, GridSpec{KindVideo, 4, 1, RevealExplanation},
        GridSpec{KindVideo, 2, 2, RevealPicture}, GridSpec{KindAudio, 2, 3, RevealNone},
        GridSpec{KindText, 0, 1, RevealNone}, GridSpec{KindPicture, 0, 2, RevealNone},
        GridSpec{KindVideo, 0, 1, RevealNone}, GridSpec{4, 3, 1, RevealNone},
        GridSpec{-1, 2, 2, RevealExplanation}),
    [](const ::testing::TestParamInfo<GridSpec>& info) {
        const GridSpec& s = info.param;
        return "kind" + std::string(s.kind < 0 ? "Minus" : "") +
               std::to_string(s.kind < 0 ? -s.kind : s.kind) + "_questions" +
               std::to_string(s.questionCount) + "_answers" + std::to_string(s.answersPerQuestion) +
               "_reveal" + std::to_string(s.revealMode);
    });

using GridSaved = GridFixture;

void writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary);
    out << bytes;
}

TEST_F(GridSaved, FieldsStartWithTheirSavedLinesInIdentifierOrder) {
    writeFile(savedAnswersName(), "un\r\ndeux\r\ntrois\r\n");
    describe(KindPicture, 2, 2);
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(text(4001), "un");
    EXPECT_EQ(text(4002), "deux");
    EXPECT_EQ(text(4003), "trois");
    EXPECT_EQ(text(4004), "");  // a shorter file leaves the rest empty
}

TEST_F(GridSaved, TextQuizTakesOneLinePerQuestionWhateverTheAnswerCount) {
    writeFile(savedAnswersName(), "un\r\ndeux\r\ntrois\r\nquatre\r\n");
    describe(KindText, 2, 2);
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(text(4001), "un");
    EXPECT_EQ(text(4002), "deux");
    EXPECT_EQ(GetDlgItem(grid_, 4003), nullptr);
}

TEST_F(GridSaved, ThreeAnswersPerQuestionWriteAndRestoreTheirFields) {
    describe(KindText, 2, 3);  // a damaged count: the text grid keeps one field per question
    ASSERT_NE(open(), nullptr);
    SetWindowTextA(GetDlgItem(grid_, 4001), "un");
    SetWindowTextA(GetDlgItem(grid_, 4002), "deux");
    writeSavedAnswers(grid_);
    {
        std::ifstream in(savedAnswersName(), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
                  "un\r\ndeux\r\n\r\n\r\n\r\n\r\n");
    }
    DestroyWindow(grid_);
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(text(4001), "un");
    EXPECT_EQ(text(4002), "deux");
}

TEST_F(GridSaved, ARestoredAnswerShowsItsVerdictOnceItsFieldHasLostTheFocus) {
    // The only field keeps the focus after the build: it was judged before its label existed.
    writeFile(savedAnswersName(), "A1\r\n");
    describe(KindText, 1, 1);
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(text(4001), "A1");
    EXPECT_EQ(text(5001), "?");
    SetFocus(grid_);
    EXPECT_EQ(text(5001), "BRAVO");
}

TEST_F(GridSaved, EachFieldIsJudgedWhenTheNextOneTakesTheFocus) {
    writeFile(savedAnswersName(), "A1\r\nB1\r\nfaux\r\n");
    describe(KindPicture, 2, 2, RevealExplanation);
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(text(5001), "BRAVO");
    EXPECT_EQ(text(5002), "BRAVO");
    EXPECT_EQ(text(8001), "expl 1");  // set by the evaluation made after its label existed
    EXPECT_EQ(text(5003), "FAUX");
}

}  // namespace
