// Scroll arithmetic of the question grid.
#include "ui/scroll.h"

#include <algorithm>

#include "core/ids.h"

namespace {

// Standard scroll-bar request codes (the same numbers for both directions).
enum ScrollCode {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,
};

int unclampedPosition(ScrollAxis axis, int code, const ScrollBarState& bar, int target) {
    const bool vertical = axis == ScrollAxis::Vertical;
    const int line = vertical ? kVerticalLineStep : kHorizontalLineStep;
    const int p = bar.pos;
    switch (code) {
    case LineUp: return p - line;
    case LineDown: return p + line;
    case PageUp: return p - bar.page;
    case PageDown: return p + bar.page;
    case ThumbTrack: return bar.trackPos;
    case Top: return vertical ? 0 : p;
    case Bottom: return vertical ? bar.max : p;
    case kScrollDown50: return vertical ? p + kPrivateScrollStep : p;
    case kScrollUp50: return vertical ? p - kPrivateScrollStep : p;
    case kScrollToTarget: return vertical ? target : p;
    case ThumbPosition:
    case EndScroll:
    default: return p;
    }
}

}  // namespace

ScrollBarRange scrollBarRange(int canvas, int clientPixels) {
    const int client = clientPixels / kScrollUnit;
    const bool fits = canvas <= client;
    const int visible = fits ? canvas : client;
    // An empty or one-pixel canvas would give a range below its minimum; keep the range valid
    // and let the page cover it, so the bar is disabled like any canvas that fits.
    const int max = std::max(canvas - 2, 0);
    const int page = std::clamp(visible - 1, 0, max + 1);
    return ScrollBarRange{max, fits ? max + 1 : page, fits};
}

int requestedScrollPosition(ScrollAxis axis, int code, const ScrollBarState& bar, int target) {
    int q = unclampedPosition(axis, code, bar, target);
    if (q > bar.max) q = bar.max;
    if (q < bar.min) q = bar.min;
    return q;
}

int wheelScrollRequest(unsigned wheelDelta16) {
    if (wheelDelta16 == kWheelNotchAway) return kScrollUp50;
    if (wheelDelta16 == kWheelNotchTowards) return kScrollDown50;
    return 0;
}
