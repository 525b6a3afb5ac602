// Scroll arithmetic of the question grid: bar ranges, request codes, wheel notches.
// Positions are canvas pixels (one pixel per scroll position).
#pragma once

constexpr int kScrollUnit = 1;
constexpr int kVerticalLineStep = 310;
constexpr int kHorizontalLineStep = 1;
constexpr int kPrivateScrollStep = 50;
// High word of a wheel message's wParam: one notch away from / towards the user.
constexpr unsigned kWheelNotchAway = 120;
constexpr unsigned kWheelNotchTowards = 0xFF88;  // -120 as 16 bits

enum class ScrollAxis { Horizontal, Vertical };

// A scroll bar's settings as the request handler reads them.
struct ScrollBarState {
    int min, max, page, pos, trackPos;
};

// The settings one bar gets from the canvas and the client size (both in pixels).
struct ScrollBarRange {
    int max;
    int page;
    bool resetPosition;  // the canvas fits: the bar goes back to 0 (and is shown disabled)
};

ScrollBarRange scrollBarRange(int canvas, int clientPixels);

// The position asked for by request code (the low word of wParam), clamped to min..max.
// target is the stored vertical target of request 502.
int requestedScrollPosition(ScrollAxis axis, int code, const ScrollBarState& bar, int target);

// The private vertical request a wheel message turns into, or 0 for none.
int wheelScrollRequest(unsigned wheelDelta16);

// Pixels to move the content when the position changes from oldPos to newPos.
inline int scrollPixels(int oldPos, int newPos) { return (oldPos - newPos) * kScrollUnit; }
