// Scrolling the grid: bar settings, scroll requests, resizing and the wheel, checked through the
// scroll positions and where the controls actually are in the grid's client area.
#include "tests/ui/win/grid_fixture.h"

namespace {

class GridScroll : public GridFixture {
protected:
    // A picture quiz of 12 questions: a canvas of 910 x 1325.
    void openTall(int width = 500, int height = 400) {
        describe(KindPicture, 12, 1);
        ASSERT_NE(open(width, height), nullptr);
        ASSERT_EQ(canvasWidth(), 910);
        ASSERT_EQ(canvasHeight(), 1325);
        clientWidth_ = gridClient().right;
        clientHeight_ = gridClient().bottom;
        ASSERT_LT(clientWidth_, 910);
        ASSERT_LT(clientHeight_, 1325);
    }

    void vertical(int code) { SendMessageA(grid_, WM_VSCROLL, MAKEWPARAM(code, 0), 0); }
    void horizontal(int code) { SendMessageA(grid_, WM_HSCROLL, MAKEWPARAM(code, 0), 0); }
    void scrollTo(int y) {
        setScrollTarget(y);
        vertical(kScrollToTarget);
    }

    // The position, and the content moved by exactly as much.
    void expectAt(int x, int y) {
        EXPECT_EQ(GetScrollPos(grid_, SB_HORZ), x);
        EXPECT_EQ(GetScrollPos(grid_, SB_VERT), y);
        const RECT field = clientRect(GetDlgItem(grid_, 4001));
        EXPECT_EQ(field.left, 46 - x);
        EXPECT_EQ(field.top, 275 - y);
        const RECT last = clientRect(GetDlgItem(grid_, 5012));
        EXPECT_EQ(last.left, 626 - x);
        EXPECT_EQ(last.top, 1284 - y);
    }

    bool barDisabled(LONG object) const {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        GetScrollBarInfo(grid_, object, &info);
        return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
    }

    int clientWidth_ = 0, clientHeight_ = 0;
};

TEST_F(GridScroll, BarsSpanTheCanvasWithAPageOfTheClientArea) {
    openTall();
    const SCROLLINFO h = scrollInfo(SB_HORZ), v = scrollInfo(SB_VERT);
    EXPECT_EQ(std::vector<int>({h.nMin, h.nMax, static_cast<int>(h.nPage), h.nPos}),
              std::vector<int>({0, 908, clientWidth_ - 1, 0}));
    EXPECT_EQ(std::vector<int>({v.nMin, v.nMax, static_cast<int>(v.nPage), v.nPos}),
              std::vector<int>({0, 1323, clientHeight_ - 1, 0}));
    EXPECT_FALSE(barDisabled(OBJID_VSCROLL));
    EXPECT_FALSE(barDisabled(OBJID_HSCROLL));
}

TEST_F(GridScroll, VerticalRequests) {
    openTall();
    const int end = 1325 - clientHeight_;  // the last position the bar allows
    const int page = clientHeight_ - 1;
    struct Case {
        int from, code, target, expected;
    } cases[] = {
        {0, SB_LINEDOWN, 0, 310},
        {400, SB_LINEUP, 0, 90},
        {100, SB_LINEUP, 0, 0},
        {end - 100, SB_LINEDOWN, 0, end},
        {0, SB_PAGEDOWN, 0, page},
        {500, SB_PAGEUP, 0, 500 - page},
        {500, SB_TOP, 0, 0},
        {0, SB_BOTTOM, 0, end},
        {500, SB_THUMBPOSITION, 0, 500},
        {500, SB_THUMBTRACK, 0, 500},
        {500, SB_ENDSCROLL, 0, 500},
        {200, kScrollDown50, 0, 250},
        {200, kScrollUp50, 0, 150},
        {20, kScrollUp50, 0, 0},
        {end - 10, kScrollDown50, 0, end},
        {500, kScrollToTarget, -360, 0},
        {0, kScrollToTarget, 600, 600},
        {0, kScrollToTarget, 5000, end},
        {500, 9, 0, 500},
        {500, 503, 0, 500},
        {500, 499, 0, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("code " + std::to_string(c.code) + " from " + std::to_string(c.from));
        scrollTo(c.from);
        ASSERT_EQ(GetScrollPos(grid_, SB_VERT), c.from);
        setScrollTarget(c.target);
        vertical(c.code);
        expectAt(0, c.expected);
    }
}

TEST_F(GridScroll, HorizontalRequestsStepOnePixelAndIgnoreTheVerticalOnes) {
    openTall();
    const int end = 910 - clientWidth_;
    struct Case {
        std::vector<int> codes;
        int expected;
    } cases[] = {
        {{SB_LINERIGHT}, 1},
        {{SB_LINERIGHT, SB_LINERIGHT, SB_LINELEFT}, 1},
        {{SB_LINELEFT}, 0},
        {{SB_PAGERIGHT}, clientWidth_ - 1 < end ? clientWidth_ - 1 : end},
        {{SB_PAGERIGHT, SB_PAGERIGHT, SB_PAGERIGHT}, end},
        {{SB_PAGERIGHT, SB_PAGERIGHT, SB_PAGERIGHT, SB_PAGELEFT},
         end - (clientWidth_ - 1) > 0 ? end - (clientWidth_ - 1) : 0},
        {{SB_LINERIGHT, SB_LINERIGHT, SB_LEFT}, 2},
        {{SB_LINERIGHT, SB_RIGHT}, 1},
        {{SB_LINERIGHT, kScrollDown50, kScrollUp50, kScrollToTarget, 9}, 1},
    };
    setScrollTarget(300);
    for (const Case& c : cases) {
        SCOPED_TRACE("expected " + std::to_string(c.expected));
        while (GetScrollPos(grid_, SB_HORZ) > 0) horizontal(SB_PAGELEFT);
        for (int code : c.codes) horizontal(code);
        expectAt(c.expected, 0);
    }
}

TEST_F(GridScroll, AFittingCanvasDisablesItsBarAndStaysAtZero) {
    describe(KindText, 3, 1);  // 850 x 80
    ASSERT_NE(open(1000, 300), nullptr);
    ASSERT_GE(gridClient().right, 850);
    const SCROLLINFO h = scrollInfo(SB_HORZ), v = scrollInfo(SB_VERT);
    EXPECT_EQ(std::vector<int>({h.nMax, static_cast<int>(h.nPage)}), std::vector<int>({848, 849}));
    EXPECT_EQ(std::vector<int>({v.nMax, static_cast<int>(v.nPage)}), std::vector<int>({78, 79}));
    EXPECT_TRUE(barDisabled(OBJID_VSCROLL));
    EXPECT_TRUE(barDisabled(OBJID_HSCROLL));
    setScrollTarget(60);
    for (int code : {SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM, kScrollDown50, kScrollToTarget})
        vertical(code);
    for (int code : {SB_LINERIGHT, SB_PAGERIGHT}) horizontal(code);
    EXPECT_EQ(GetScrollPos(grid_, SB_VERT), 0);
    EXPECT_EQ(GetScrollPos(grid_, SB_HORZ), 0);
    EXPECT_EQ(clientRect(GetDlgItem(grid_, 4003)).top, 55);
    EXPECT_EQ(clientRect(GetDlgItem(grid_, 4003)).left, 610);
}

TEST_F(GridScroll, AnEmptyGridHasDisabledBars) {
    describe(KindPicture, 0, 1);
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(barDisabled(OBJID_VSCROLL));
    EXPECT_TRUE(barDisabled(OBJID_HSCROLL));
    vertical(SB_BOTTOM);
    horizontal(SB_PAGERIGHT);
    EXPECT_EQ(GetScrollPos(grid_, SB_VERT), 0);
    EXPECT_EQ(GetScrollPos(grid_, SB_HORZ), 0);
}

TEST_F(GridScroll, GrowingUntilTheCanvasFitsBringsTheContentBack) {
    openTall();
    scrollTo(200);
    horizontal(SB_LINERIGHT);
    horizontal(SB_LINERIGHT);
    expectAt(2, 200);
    MoveWindow(grid_, 0, 0, 1000, 1400, TRUE);
    ASSERT_GE(gridClient().bottom, 1325);
    expectAt(0, 0);
    EXPECT_TRUE(barDisabled(OBJID_VSCROLL));
}

TEST_F(GridScroll, GrowingAtTheEndKeepsTheLastRowAtTheBottomEdge) {
    openTall();
    vertical(SB_BOTTOM);
    expectAt(0, 1325 - clientHeight_);
    MoveWindow(grid_, 0, 0, 500, 450, TRUE);  // 50 pixels taller
    const int client = gridClient().bottom;
    EXPECT_EQ(client, clientHeight_ + 50);
    expectAt(0, 1325 - client);
    EXPECT_EQ(static_cast<int>(scrollInfo(SB_VERT).nPage), client - 1);
    MoveWindow(grid_, 0, 0, 500, 300, TRUE);  // shrinking keeps the position
    expectAt(0, 1325 - client);
}

TEST_F(GridScroll, OnlyWholeWheelNotchesArePostedAsRequests) {
    openTall();
    struct Case {
        unsigned delta;
        int expected;
    } cases[] = {{120, 150}, {65416, 250}, {240, 200}, {60, 200}, {65296, 200}, {0, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE("delta " + std::to_string(c.delta));
        scrollTo(200);
        SendMessageA(grid_, WM_MOUSEWHEEL, MAKEWPARAM(0, c.delta), MAKELPARAM(10, 10));
        EXPECT_EQ(GetScrollPos(grid_, SB_VERT), 200) << "requests are posted, not sent";
        pumpMessages();
        expectAt(0, c.expected);
    }
}

}  // namespace
