#include "media/fit_size.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    int width, height, boxWidth, boxHeight;
    int fittedWidth, fittedHeight;
};

TEST(FitSize, ScalesIntoTheBoxKeepingProportions) {
    const FitCase cases[] = {
        {520, 390, 260, 260, 260, 195},
        {640, 480, 260, 260, 260, 195},
        {800, 600, 260, 260, 260, 195},
        {1024, 768, 260, 260, 260, 195},
        {300, 400, 260, 260, 195, 260},
        {100, 50, 260, 260, 260, 130},
        {50, 100, 260, 260, 130, 260},
        {260, 260, 260, 260, 260, 260},
        {1, 1, 260, 260, 260, 260},
        {300, 200, 260, 100, 150, 100},
        // Exact products stay whole where floating point gives 51.999... or 259.999...
        {45, 225, 260, 260, 52, 260},
        {60, 57, 260, 260, 260, 247},
        {4105, 1000, 260, 260, 260, 63},
        {1000, 4105, 260, 260, 63, 260},
    };
    for (const FitCase& c : cases) {
        FittedSize size = fitSize(c.width, c.height, c.boxWidth, c.boxHeight);
        EXPECT_EQ(size.width, c.fittedWidth) << c.width << "x" << c.height;
        EXPECT_EQ(size.height, c.fittedHeight) << c.width << "x" << c.height;
    }
}

TEST(FitSize, ExtremeProportionsKeepAtLeastOnePixel) {
    const FitCase cases[] = {
        {1000, 1, 260, 260, 260, 1},       {1, 1000, 260, 260, 1, 260},
        {261, 1, 260, 260, 260, 1},        {2147483647, 1, 260, 260, 260, 1},
        {1, 2147483647, 260, 260, 1, 260},
    };
    for (const FitCase& c : cases) {
        FittedSize size = fitSize(c.width, c.height, c.boxWidth, c.boxHeight);
        EXPECT_EQ(size.width, c.fittedWidth) << c.width << "x" << c.height;
        EXPECT_EQ(size.height, c.fittedHeight) << c.width << "x" << c.height;
    }
}

TEST(FitSize, TheLimitingSideMeetsTheBoxAndNothingOverflowsIt) {
    for (int width = 1; width <= 1200; width += 7) {
        for (int height = 1; height <= 1200; height += 11) {
            FittedSize size = fitSize(width, height, 260, 260);
            ASSERT_TRUE(size.width == 260 || size.height == 260) << width << "x" << height;
            ASSERT_LE(size.width, 260);
            ASSERT_LE(size.height, 260);
            ASSERT_GE(size.width, 1);
            ASSERT_GE(size.height, 1);
        }
    }
}

TEST(FitSize, NoAreaGivesNothing) {
    const FitCase cases[] = {
        {0, 100, 260, 260, 0, 0}, {100, 0, 260, 260, 0, 0},  {-5, 100, 260, 260, 0, 0},
        {100, 100, 0, 260, 0, 0}, {100, 100, 260, -1, 0, 0},
    };
    for (const FitCase& c : cases) {
        FittedSize size = fitSize(c.width, c.height, c.boxWidth, c.boxHeight);
        EXPECT_EQ(size.width, 0);
        EXPECT_EQ(size.height, 0);
    }
}

}  // namespace
