// Fitted size: scale = min(boxWidth / width, boxHeight / height), each side truncated.
#include "media/fit_size.h"

namespace {

// Exact rational arithmetic: 45 x (260 / 225.0) is 51.999... in floating point, and the picture
// would lose a column that the scale gives it.
int scaledSide(long long side, long long numerator, long long denominator) {
    long long scaled = side * numerator / denominator;
    return scaled < 1 ? 1 : static_cast<int>(scaled);
}

}  // namespace

FittedSize fitSize(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {0, 0};
    // boxWidth / width <= boxHeight / height, cross-multiplied.
    if (static_cast<long long>(boxWidth) * height <= static_cast<long long>(boxHeight) * width) {
        return {boxWidth, scaledSide(height, boxWidth, width)};
    }
    return {scaledSide(width, boxHeight, height), boxHeight};
}
