#include "ui/main_layout.h"

#include <gtest/gtest.h>

#include "quizdata/quiz_types.h"

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

TEST(MainLayout, FirstScreenShowsTheWholeCanvasWidthAndTheFirstRowOfFields) {
    const WindowChrome chrome = {16, 39, 19, 19};  // a Windows 10 frame; border and scroll bars
    const WindowBox screen = {0, 0, 1280, 984};    // 1280 x 1024 above a 40-pixel taskbar
    struct Case {
        GridSpec shape;
        WindowBox work;
        WindowBox expected;
    };
    const Case cases[] = {
        {{KindText, 20, 1, 0}, screen, {192, 304, 896, 375}},    // canvas 850
        {{KindText, 20, 2, 0}, screen, {162, 304, 956, 375}},    // 910
        {{KindPicture, 7, 1, 0}, screen, {162, 269, 956, 445}},  // fields to y 314
        {{KindPicture, 7, 2, 2}, screen, {132, 269, 1016, 445}},
        {{KindAudio, 7, 1, 0}, screen, {162, 304, 956, 375}},          // never below 375
        {{KindVideo, 2, 2, 0}, screen, {132, 299, 1016, 385}},         // fields to y 254
        {{KindPicture, 0, 1, 0}, screen, {368, 304, 544, 375}},        // an empty canvas of 20
        {{KindPicture, 7, 2, 0}, {0, 0, 800, 400}, {0, 0, 800, 400}},  // capped at the work area
        {{KindVideo, 7, 1, 0}, {1280, 40, 1366, 728}, {1485, 211, 956, 385}},  // a second monitor
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << c.shape.kind << ", " << c.shape.answersPerQuestion
                     << " answers, work " << c.work.width);
        const WindowBox box = firstScreen(c.shape, chrome, c.work);
        expectBox(box, c.expected.x, c.expected.y, c.expected.width, c.expected.height);
    }
}

}  // namespace
