// Where the main window stands on the desktop and where it puts its two dialogs and version label.
#pragma once

// A window's place in its parent's client area (or on the desktop), in pixels.
struct WindowBox {
    int x, y, width, height;
};

constexpr int kMainWindowWidth = 544;  // outer size at creation
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
