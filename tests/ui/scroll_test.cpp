#include "ui/scroll.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr ScrollAxis V = ScrollAxis::Vertical;
constexpr ScrollAxis H = ScrollAxis::Horizontal;

TEST(ScrollRequests, TableOfCodesForBothDirections) {
    // A bar over 0..998 with a page of 300, at position 400, thumb dragged to 123, target 77.
    const ScrollBarState bar{0, 998, 300, 400, 123};
    struct Case {
        int code, vertical, horizontal;
    } cases[] = {
        {0, 90, 399},  {1, 710, 401},   {2, 100, 100},   {3, 700, 700},
        {4, 400, 400}, {5, 123, 123},   {6, 0, 400},     {7, 998, 400},
        {8, 400, 400}, {500, 450, 400}, {501, 350, 400}, {502, 77, 400},
        {9, 400, 400}, {499, 400, 400}, {503, 400, 400}, {65535, 400, 400},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(requestedScrollPosition(V, c.code, bar, 77), c.vertical) << "code " << c.code;
        EXPECT_EQ(requestedScrollPosition(H, c.code, bar, 77), c.horizontal) << "code " << c.code;
    }
}

TEST(ScrollRequests, ResultsAreClampedToTheRange) {
    struct Case {
        ScrollAxis axis;
        int code, pos, target, expected;
    } cases[] = {
        {V, 0, 100, 0, 0},                          // line up past the top
        {V, 1, 900, 0, 998},                        // line down past nMax
        {V, 501, 20, 0, 0},                         // wheel up near the top
        {V, 500, 990, 0, 998},                      // wheel down near the end
        {V, 502, 500, -360, 0},                     // a negative target scrolls to the top
        {V, 502, 0, 5000, 998}, {H, 2, 10, 0, 0},   // page left past the left edge
        {H, 3, 900, 0, 998},    {V, 5, 0, 0, 998},  // thumb beyond nMax (trackPos 1500)
    };
    for (const Case& c : cases) {
        const ScrollBarState bar{0, 998, 300, c.pos, 1500};
        EXPECT_EQ(requestedScrollPosition(c.axis, c.code, bar, c.target), c.expected)
            << "code " << c.code << " from " << c.pos;
    }
}

TEST(ScrollRanges, CanvasLargerThanClientOrFitting) {
    struct Case {
        int canvas, client, max, page;
        bool reset;
    } cases[] = {
        {910, 500, 908, 499, false},  // last reachable position 908 - 499 + 1 = 410 = 910 - 500
        {825, 300, 823, 299, false}, {501, 500, 499, 499, false},
        {500, 500, 498, 499, true},  // fits exactly: page covers 0..498
        {665, 1000, 663, 664, true}, {20, 400, 18, 19, true},
        {0, 300, 0, 1, true},  // empty grid: a valid range that the page covers
        {1, 300, 0, 1, true},        {80, 0, 78, 0, false},  // no client area at all
    };
    for (const Case& c : cases) {
        ScrollBarRange r = scrollBarRange(c.canvas, c.client);
        EXPECT_EQ(std::make_tuple(r.max, r.page, r.resetPosition),
                  std::make_tuple(c.max, c.page, c.reset))
            << c.canvas << " in " << c.client;
        if (c.reset) {
            EXPECT_EQ(r.page, r.max + 1) << "a fitting canvas must disable its bar";
        } else if (c.client > 0) {
            EXPECT_EQ(r.max - r.page + 1, c.canvas - c.client);
        }
    }
}

TEST(ScrollWheel, OnlyExactNotchesBecomeRequests) {
    struct Case {
        unsigned delta;
        int request;
    } cases[] = {
        {120, 501}, {65416, 500}, {240, 0}, {60, 0}, {0, 0}, {65296, 0}, {65476, 0}, {119, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(wheelScrollRequest(c.delta), c.request) << c.delta;
}

TEST(ScrollWheel, ContentMovesAgainstThePositionChange) {
    EXPECT_EQ(scrollPixels(200, 0), 200);
    EXPECT_EQ(scrollPixels(0, 310), -310);
    EXPECT_EQ(scrollPixels(42, 42), 0);
}

}  // namespace
