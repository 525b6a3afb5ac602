// The header panel created from the player's template 1002 under a plain parent window.
#include "ui/win/header_panel.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/ids.h"
#include "quizdata/win/quiz.h"
#include "tests/win/support.h"
#include "ui/win/player.h"

namespace {

constexpr char kAddress[] = "https://www.exemple.fr/quiz?n=1";
constexpr char kLinkText[] = "exemple.fr";  // what the link shows of kAddress

std::vector<std::string> gOpened;
void recordOpen(const char* address) { gOpened.emplace_back(address); }

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

class HeaderPanel : public ::testing::Test {
protected:
    void SetUp() override {
        previousQuiz_ = currentQuiz();
        player_.hooks.openAddress = recordOpen;
        gOpened.clear();
        quiz_ = static_cast<Quiz*>(std::calloc(1, sizeof(Quiz)));
        applyDefaults(quiz_);
        lstrcpyA(quiz_->title, "Le titre");
        lstrcpyA(quiz_->author, "Une autrice");
        lstrcpyA(quiz_->description, "Ce que le quiz demande");
        quiz_->questionCount = 7;
        lstrcpyA(quiz_->link, link());
        publishQuiz(quiz_);
        parent_ = CreateWindowExA(0, "Static", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 800, 200,
                                  nullptr, nullptr, nullptr, nullptr);
        panel_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kHeaderDialogId),
                                    parent_, headerPanelProc, reinterpret_cast<LPARAM>(&player_));
        ASSERT_NE(panel_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        releaseQuiz(quiz_);
        std::free(quiz_);
        publishQuiz(previousQuiz_);
    }
    // Sizes the panel (which has a border) so that its client area is clientWidth wide.
    void resizeClient(int clientWidth) {
        RECT outer, client;
        GetWindowRect(panel_, &outer);
        GetClientRect(panel_, &client);
        const int frame = (outer.right - outer.left) - client.right;
        SetWindowPos(panel_, nullptr, 5, 2, clientWidth + frame, 49, SWP_NOZORDER);
    }
    HWND item(int id) { return GetDlgItem(panel_, id); }
    virtual const char* link() const { return kAddress; }
    void expectAt(int id, int x, int y, int width, int height) {
        SCOPED_TRACE(id);
        const RECT box = childBox(item(id));
        EXPECT_EQ(box.left, x);
        EXPECT_EQ(box.top, y);
        EXPECT_EQ(box.right - box.left, width);
        EXPECT_EQ(box.bottom - box.top, height);
    }
    // What the panel answers for one control's WM_CTLCOLORSTATIC, with the text colour it leaves.
    struct Painted {
        INT_PTR brush;
        COLORREF text;
        int mode;
    };
    Painted paint(int id) {
        HWND control = item(id);
        HDC dc = GetDC(control);
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkMode(dc, OPAQUE);
        Painted result;
        result.brush = SendMessageA(panel_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(control));
        result.text = GetTextColor(dc);
        result.mode = GetBkMode(dc);
        ReleaseDC(control, dc);
        return result;
    }
    HBRUSH panelBrush() {
        return reinterpret_cast<HBRUSH>(SendMessageA(panel_, WM_CTLCOLORDLG, 0, 0));
    }

    Quiz* quiz_ = nullptr;
    Quiz* previousQuiz_ = nullptr;
    Player player_;
    HWND parent_ = nullptr;
    HWND panel_ = nullptr;
};

struct Expected {
    int id;
    const char* className;
    LONG style;
    const char* text;
    int x, y, width, height;
};

TEST_F(HeaderPanel, CreatesEveryControlInOrder) {
    const LONG shown = WS_CHILD | WS_VISIBLE;
    const Expected expected[] = {
        {kLinkId, "Static", shown | SS_NOTIFY, kLinkText, 736, 5, 115, 18},
        {kByLabelId, "Static", shown, "Par :", 736, 25, 27, 18},
        {kAuthorLabelId, "Static", shown, "Une autrice", 763, 25, 85, 18},
        {kSaveButtonId, "Button", shown, "Sauver", 666, 25, 55, 18},
        {kDescriptionLabelId, "Static", shown, "Ce que le quiz demande", 110, 19, 490, 27},
        {kTitleLabelId, "Static", shown, "Le titre", 110, 3, 220, 18},
        {kCodeLabelId, "Static", shown, " Code :", 7, 29, 36, 15},
        {kScoreLabelId, "Static", shown | SS_CENTER, " 0 / 7", 10, 1, 80, 20},
        {kCodeBoxId, "Edit", shown | ES_READONLY, "", 44, 29, 53, 16},
        {kRuleLeftId, "Static", shown | WS_BORDER, "", 0, 26, 100, 1},
        {kRuleMiddleId, "Static", shown | WS_BORDER, "", 100, 0, 1, 50},
        {kRuleRightId, "Static", shown | WS_BORDER, "", 730, 0, 1, 50},
    };
    HWND control = GetWindow(panel_, GW_CHILD);
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetDlgCtrlID(control), e.id);
        EXPECT_STRCASEEQ(className(control).c_str(), e.className);
        // Only the styles of the table: the system may add its own (an edit's ES_ behaviour bits).
        EXPECT_EQ(
            GetWindowLongA(control, GWL_STYLE) & (e.style | WS_BORDER | SS_NOTIFY | SS_CENTER),
            e.style);
        EXPECT_EQ(GetWindowLongA(control, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
        EXPECT_EQ(windowText(control), e.text);
        expectAt(e.id, e.x, e.y, e.width, e.height);
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr);
}

TEST_F(HeaderPanel, FontsOfTheTexts) {
    const LRESULT gui = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int id :
         {kByLabelId, kAuthorLabelId, kSaveButtonId, kDescriptionLabelId, kCodeLabelId, kCodeBoxId})
        EXPECT_EQ(SendMessageA(item(id), WM_GETFONT, 0, 0), gui) << id;
    EXPECT_EQ(SendMessageA(item(kTitleLabelId), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(quiz_->titleFont));
    EXPECT_EQ(SendMessageA(item(kScoreLabelId), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(quiz_->scoreFont));

    LOGFONTA link = {};
    ASSERT_NE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(item(kLinkId), WM_GETFONT, 0, 0)),
                         sizeof link, &link),
              0);
    EXPECT_EQ(link.lfHeight, -13);  // three quarters of the link's 18 pixels
    EXPECT_EQ(link.lfWeight, FW_NORMAL);
    EXPECT_TRUE(link.lfUnderline);
    EXPECT_FALSE(link.lfItalic);
}

TEST_F(HeaderPanel, RightBlockFollowsTheWidth) {
    resizeClient(600);
    expectAt(kLinkId, 466, 0, 115, 18);
    expectAt(kByLabelId, 466, 25, 26, 18);
    expectAt(kAuthorLabelId, 493, 25, 105, 18);
    expectAt(kSaveButtonId, 396, 25, 55, 18);
    expectAt(kDescriptionLabelId, 110, 19, 276, 28);
    expectAt(kRuleRightId, 455, 0, 1, 50);
    // The left block and the title stay where they were created.
    expectAt(kTitleLabelId, 110, 3, 220, 18);
    expectAt(kScoreLabelId, 10, 1, 80, 20);
    expectAt(kCodeBoxId, 44, 29, 53, 16);
    expectAt(kRuleMiddleId, 100, 0, 1, 50);

    resizeClient(250);  // narrower than the fixed parts: the description shrinks to nothing
    expectAt(kDescriptionLabelId, 110, 19, 0, 28);
    expectAt(kLinkId, 116, 0, 115, 18);
}

TEST_F(HeaderPanel, ColoursOfThePanelAndItsTexts) {
    const HBRUSH brush = panelBrush();
    EXPECT_EQ(brushColour(brush), RGB(128, 128, 255));

    const Painted link = paint(kLinkId);
    EXPECT_EQ(link.brush, reinterpret_cast<INT_PTR>(brush));
    EXPECT_EQ(link.text, RGB(50, 50, 255));
    EXPECT_EQ(link.mode, TRANSPARENT);

    for (int id : {kByLabelId, kAuthorLabelId, kDescriptionLabelId, kTitleLabelId, kCodeLabelId,
                   kScoreLabelId, kCodeBoxId}) {
        SCOPED_TRACE(id);
        const Painted text = paint(id);
        EXPECT_EQ(text.brush, reinterpret_cast<INT_PTR>(brush));
        EXPECT_EQ(text.text, RGB(1, 2, 3)) << "text colour unchanged";
        EXPECT_EQ(text.mode, TRANSPARENT);
    }
    for (int id : {kRuleLeftId, kRuleMiddleId, kRuleRightId}) {
        SCOPED_TRACE(id);
        // Left to the dialog manager, which answers with the system's colours.
        const Painted rule = paint(id);
        EXPECT_NE(rule.brush, reinterpret_cast<INT_PTR>(brush));
        EXPECT_EQ(rule.mode, OPAQUE);
    }
}

TEST_F(HeaderPanel, LinkClickOpensTheMakerPageOnce) {
    HWND link = item(kLinkId);
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(gOpened.size(), 1u);
    EXPECT_EQ(gOpened[0], kAddress);

    // A double click and the "Sauver" button open nothing.
    SendMessageA(panel_, WM_COMMAND, MAKEWPARAM(kLinkId, STN_DBLCLK),
                 reinterpret_cast<LPARAM>(link));
    SendMessageA(item(kSaveButtonId), BM_CLICK, 0, 0);
    SendMessageA(panel_, WM_COMMAND, MAKEWPARAM(kSaveButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(item(kSaveButtonId)));
    EXPECT_EQ(gOpened.size(), 1u);
}

TEST_F(HeaderPanel, LinkShowsTheWholeAddressOnOneLine) {
    HWND link = item(kLinkId);
    HDC dc = GetDC(link);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(link, WM_GETFONT, 0, 0)));
    SIZE text = {};
    GetTextExtentPoint32A(dc, kLinkText, lstrlenA(kLinkText), &text);
    SelectObject(dc, old);
    ReleaseDC(link, dc);
    RECT client;
    GetClientRect(link, &client);
    EXPECT_LE(text.cx, client.right) << "a wider address wraps and shows only its start";
}

TEST_F(HeaderPanel, LinkShowsTheHandCursor) {
    const auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(item(kLinkId), GCLP_HCURSOR));
    EXPECT_EQ(cursor, LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kLinkCursorId)));
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 6u);
    EXPECT_EQ(info.yHotspot, 0u);
    EXPECT_EQ(info.hbmColor, nullptr) << "monochrome";
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64);  // AND and XOR masks stacked
    DeleteObject(info.hbmMask);
}

TEST_F(HeaderPanel, DestroyingDeletesTheBrushAndTheLinkFont) {
    const HBRUSH brush = panelBrush();
    const auto linkFont = reinterpret_cast<HGDIOBJ>(SendMessageA(item(kLinkId), WM_GETFONT, 0, 0));
    ASSERT_NE(GetObjectType(brush), 0u);
    ASSERT_EQ(GetObjectType(linkFont), static_cast<DWORD>(OBJ_FONT));
    DestroyWindow(panel_);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetObjectType(linkFont), 0u);
}

}  // namespace

// The link runs the shell: a quiz without an http(s) address (none, or a hand-edited one) shows
// no link, and the link's command opens nothing.
class HeaderPanelWithoutWebLink : public HeaderPanel,
                                  public ::testing::WithParamInterface<const char*> {
protected:
    const char* link() const override { return GetParam(); }
};

TEST_P(HeaderPanelWithoutWebLink, ShowsNoLinkAndOpensNothing) {
    EXPECT_EQ(item(kLinkId), nullptr);
    EXPECT_NE(item(kByLabelId), nullptr);
    SendMessageA(panel_, WM_COMMAND, MAKEWPARAM(kLinkId, STN_CLICKED), 0);
    EXPECT_TRUE(gOpened.empty());
}

INSTANTIATE_TEST_SUITE_P(Addresses, HeaderPanelWithoutWebLink,
                         ::testing::Values("", "file:///C:/Windows/System32/calc.exe",
                                           "C:\\Windows\\notepad.exe", "https://a.fr/\"calc"));
