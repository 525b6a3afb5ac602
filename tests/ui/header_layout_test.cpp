#include "ui/header_layout.h"

#include <gtest/gtest.h>

#include "core/ids.h"

namespace {

const HeaderMove* find(const std::array<HeaderMove, kHeaderMoveCount>& moves, int id) {
    for (const HeaderMove& move : moves)
        if (move.id == id) return &move;
    return nullptr;
}

TEST(HeaderLayout, SixHundredPixelPanel) {
    struct Expected {
        int id, x, y, width, height;
        bool repaint;
    };
    const Expected expected[] = {
        {kLinkId, 466, 0, 115, 18, true},
        {kByLabelId, 466, 25, 26, 18, true},
        {kAuthorLabelId, 493, 25, 105, 18, true},
        {kSaveButtonId, 396, 25, 55, 18, true},
        {kDescriptionLabelId, 110, 19, 276, 28, true},
        {kRuleRightId, 455, 0, 1, 50, true},
    };
    const auto moves = headerLayout(600);
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        const HeaderMove* move = find(moves, e.id);
        ASSERT_NE(move, nullptr);
        EXPECT_EQ(move->box.x, e.x);
        EXPECT_EQ(move->box.y, e.y);
        EXPECT_EQ(move->box.width, e.width);
        EXPECT_EQ(move->box.height, e.height);
        EXPECT_EQ(move->repaint, e.repaint);
    }
}

TEST(HeaderLayout, DescriptionWidthNeverNegative) {
    struct Case {
        int panelWidth, descriptionWidth, linkX;
    };
    for (const Case c :
         {Case{325, 1, 191}, Case{324, 0, 190}, Case{200, 0, 66}, Case{0, 0, -134}}) {
        SCOPED_TRACE(c.panelWidth);
        const auto moves = headerLayout(c.panelWidth);
        EXPECT_EQ(find(moves, kDescriptionLabelId)->box.width, c.descriptionWidth);
        EXPECT_EQ(find(moves, kLinkId)->box.x, c.linkX);
    }
}

TEST(HeaderLayout, LinkFontHeightIsThreeQuartersOfTheLink) {
    struct Case {
        int clientHeight, fontHeight;
    };
    for (const Case c : {Case{18, -13}, Case{16, -12}, Case{1, 0}, Case{0, 0}}) {
        EXPECT_EQ(linkFontHeight(c.clientHeight), c.fontHeight) << c.clientHeight;
    }
}

}  // namespace
