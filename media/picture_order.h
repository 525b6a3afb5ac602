// The order in which the question pictures are decoded once the grid stands: what the person
// sees first, then the rest as the grid runs.
#pragma once

#include <vector>

// A rectangle on the grid's canvas, right and bottom excluded.
struct CanvasRect {
    int left, top, right, bottom;
};

// Indexes into boxes (given in grid order): those that meet the view first, then the others,
// each group in grid order.
std::vector<int> pictureLoadOrder(const std::vector<CanvasRect>& boxes, const CanvasRect& view);
