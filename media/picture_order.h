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

// Decoding threads for a loading: one per processor, never more than kMaxPictureWorkers (each
// holds a full-size picture, and a 32-bit process has 2 GB of address space), never more than
// there are pictures. processors below 1 counts as 1.
constexpr int kMaxPictureWorkers = 4;
int pictureWorkerCount(int processors, int pictures);
