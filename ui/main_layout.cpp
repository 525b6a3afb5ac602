#include "ui/main_layout.h"

namespace {

constexpr int kMargin = 5;  // left edge of both dialogs
constexpr int kHeaderTop = 2;
constexpr int kHeaderHeight = 49;
constexpr int kGridTop = 50;
constexpr int kDialogWidthLoss = 11;  // client width minus this is both dialogs' width
constexpr int kGridHeightLoss = 68;   // client height minus this is the grid's height
constexpr int kLabelWidth = 180;
constexpr int kLabelHeight = 15;
constexpr int kLabelFromRight = 175;
constexpr int kLabelFromBottom = 16;
constexpr int kLabelCreationX = 725;
constexpr int kLabelCreationWidth = 130;

int atLeastZero(int value) { return value < 0 ? 0 : value; }

}  // namespace

MainLayout mainLayout(int clientWidth, int clientHeight) {
    const int dialogWidth = atLeastZero(clientWidth - kDialogWidthLoss);
    MainLayout layout;
    layout.grid = {kMargin, kGridTop, dialogWidth, atLeastZero(clientHeight - kGridHeightLoss)};
    layout.header = {kMargin, kHeaderTop, dialogWidth, kHeaderHeight};
    layout.versionLabel = {clientWidth - kLabelFromRight, clientHeight - kLabelFromBottom,
                           kLabelWidth, kLabelHeight};
    return layout;
}

WindowBox versionLabelAtCreation(int clientBottom) {
    return {kLabelCreationX, clientBottom - kLabelFromBottom, kLabelCreationWidth, kLabelHeight};
}

ScreenPoint centredOrigin(const WindowBox& desktop, int windowWidth, int windowHeight) {
    // Integer division in C++ truncates toward zero, as the placement requires.
    return {desktop.x + (desktop.width - windowWidth) / 2,
            desktop.y + (desktop.height - windowHeight) / 2};
}
