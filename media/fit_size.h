// The size a picture takes when scaled into a box with its proportions kept.
#pragma once

struct FittedSize {
    int width;
    int height;
};

// The side that sets the scale meets the box exactly; the other side is truncated but never below
// 1 pixel. A source or box without area gives 0 x 0.
FittedSize fitSize(int width, int height, int boxWidth, int boxHeight);
