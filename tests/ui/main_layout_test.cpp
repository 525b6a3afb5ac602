#include "ui/main_layout.h"

#include <gtest/gtest.h>

namespace {

void expectBox(const WindowBox& box, int x, int y, int width, int height) {
    EXPECT_EQ(box.x, x);
    EXPECT_EQ(box.y, y);
    EXPECT_EQ(box.width, width);
    EXPECT_EQ(box.height, height);
}

TEST(MainLayout, DialogsAndLabelFollowTheClientArea) {
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{528, 336}, Case{800, 600}, Case{1000, 70}}) {
        SCOPED_TRACE(c.width);
        const MainLayout layout = mainLayout(c.width, c.height);
        expectBox(layout.grid, 5, 50, c.width - 11, c.height - 68);
        expectBox(layout.header, 5, 2, c.width - 11, 49);
        expectBox(layout.versionLabel, c.width - 175, c.height - 16, 180, 15);
    }
}

TEST(MainLayout, ClientAreaTooLowForTheGridGivesItNoHeight) {
    const MainLayout layout = mainLayout(300, 40);
    expectBox(layout.grid, 5, 50, 289, 0);
    expectBox(layout.versionLabel, 125, 24, 180, 15);
}

TEST(MainLayout, VersionLabelStartsOffToTheRight) {
    expectBox(versionLabelAtCreation(336), 725, 320, 130, 15);
}

TEST(MainLayout, CentringTruncatesTowardZero) {
    struct Case {
        WindowBox desktop;
        int x, y;
    };
    const Case cases[] = {
        {{0, 0, 1280, 1024}, 368, 324},  // (1024 - 375) / 2 = 324.5
        {{0, 0, 800, 600}, 128, 112},
        {{-1280, 100, 1280, 1024}, -912, 424},  // a desktop that does not start at 0
        {{0, 0, 500, 330}, -22, -22},           // window larger: -44 / 2 and -45 / 2 both give -22
        {{0, 0, 499, 375}, -22, 0},             // -45 / 2 rounds toward zero, not down to -23
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop.width);
        const ScreenPoint origin = centredOrigin(c.desktop, kMainWindowWidth, kMainWindowHeight);
        EXPECT_EQ(origin.x, c.x);
        EXPECT_EQ(origin.y, c.y);
    }
}

}  // namespace
