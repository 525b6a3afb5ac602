// Where the main window stands on the desktop and where it puts its two dialogs and version label.
#pragma once

#include "ui/grid_layout.h"

// A window's place in its parent's client area (or on the desktop), in pixels.
struct WindowBox {
    int x, y, width, height;
};

constexpr int kMainWindowWidth = 544;  // the smallest first screen, outer size
constexpr int kMainWindowHeight = 375;

struct MainLayout {
    WindowBox grid;
    WindowBox header;
    WindowBox versionLabel;
};

// The layout for a client area of clientWidth x clientHeight; sizes that would be negative are 0.
MainLayout mainLayout(int clientWidth, int clientHeight);

// The version label as WM_CREATE places it: off to the right until the first layout moves it.
WindowBox versionLabelAtCreation(int clientBottom);

// Top-left corner that centres a window of the given outer size on the desktop's outer rectangle
// (halves truncated toward zero, also when the window is the larger).
struct ScreenPoint {
    int x, y;
};
ScreenPoint centredOrigin(const WindowBox& desktop, int windowWidth, int windowHeight);

// What a client area gains in outer size: in the main window (frame and caption) and in the
// grid (its border and its two scroll bars, always shown).
struct WindowChrome {
    int mainWidth, mainHeight;
    int gridWidth, gridHeight;
};

// The main window's first place, outer rectangle on the screen: wide enough for the grid's whole
// canvas, and for a picture, audio or video quiz tall enough for its first row of cells with
// their answer fields and verdicts; never smaller than kMainWindowWidth x kMainWindowHeight (so a
// text quiz keeps its height), capped at the work area of its monitor and centred there.
WindowBox firstScreen(const GridSpec& shape, const WindowChrome& chrome, const WindowBox& workArea);
