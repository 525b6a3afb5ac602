// The size a picture takes when scaled into a box with its proportions kept.
#pragma once

// The box a question or answer picture is fitted into; also the size of a missing picture.
constexpr int kPictureBox = 260;

struct FittedSize {
    int width;
    int height;
};

// The side that sets the scale meets the box exactly; the other side is truncated but never below
// 1 pixel. A source or box without area gives 0 x 0.
FittedSize fitSize(int width, int height, int boxWidth, int boxHeight);
