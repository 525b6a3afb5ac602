#include "media/picture_order.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureLoadOrder, ViewFirstThenGridOrder) {
    // Two rows of three 260-pixel cells, 290 apart across, 330 down, under a 533 x 307 view.
    std::vector<CanvasRect> cells;
    for (int k = 0; k < 6; ++k) {
        const int x = 46 + 290 * (k % 3), y = 5 + 330 * (k / 3);
        cells.push_back({x, y, x + 260, y + 260});
    }
    struct Case {
        CanvasRect view;
        std::vector<int> order;
    } cases[] = {
        {{0, 0, 533, 307}, {0, 1, 2, 3, 4, 5}},  // the player's first view: cells 0 and 1
        {{0, 0, 533, 400}, {0, 1, 3, 4, 2, 5}},
        {{0, 0, 100, 500}, {0, 3, 1, 2, 4, 5}},
        {{310, 400, 700, 700}, {4, 5, 0, 1, 2, 3}},
        {{306, 265, 336, 335}, {0, 1, 2, 3, 4, 5}},  // touching edges only: nothing in view
        {{0, 0, 0, 0}, {0, 1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pictureLoadOrder(cells, c.view), c.order) << c.view.left << "," << c.view.top;
    EXPECT_TRUE(pictureLoadOrder({}, {0, 0, 10, 10}).empty());
}

TEST(PictureWorkerCount, OnePerProcessorUpToFourAndThePictures) {
    const struct {
        int processors, pictures, workers;
    } cases[] = {{1, 96, 1}, {2, 96, 2}, {4, 96, 4}, {64, 96, 4}, {0, 96, 1},
                 {8, 3, 3},  {8, 0, 0},  {-1, 5, 1}, {8, -2, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(pictureWorkerCount(c.processors, c.pictures), c.workers)
            << c.processors << " processors, " << c.pictures << " pictures";
}

}  // namespace
