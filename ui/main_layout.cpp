#include "ui/main_layout.h"

#include "media/fit_size.h"
#include "quizdata/quiz_types.h"

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

constexpr int kFirstRowMargin = 5;  // below the first row, as above it
constexpr int kCellsPerRow = 3;

int atLeastZero(int value) { return value < 0 ? 0 : value; }
int larger(int a, int b) { return a > b ? a : b; }
int smaller(int a, int b) { return a < b ? a : b; }

// Bottom of the answer fields and verdicts of the first row of cells; 0 for a text quiz.
int firstRowBottom(const GridLayout& grid, int kind) {
    int bottom = 0;
    if (kind == KindText) return bottom;  // rows 25 pixels apart: any height shows some fields
    for (const ControlPlacement& p : grid.placements) {
        const bool answerArea =
            p.control == GridControl::AnswerField || p.control == GridControl::VerdictLabel;
        if (answerArea && p.question <= kCellsPerRow) bottom = larger(bottom, p.y + p.height);
    }
    return bottom;
}

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

WindowBox firstScreen(const GridSpec& shape, const WindowChrome& chrome,
                      const WindowBox& workArea) {
    const GridLayout grid = layoutGrid(shape, [](int) {
        return PictureSize{kPictureBox, kPictureBox};
    });
    const int width = grid.canvasWidth + chrome.gridWidth + kDialogWidthLoss + chrome.mainWidth;
    const int rowBottom = firstRowBottom(grid, shape.kind);
    const int height =
        rowBottom + kFirstRowMargin + chrome.gridHeight + kGridHeightLoss + chrome.mainHeight;
    const int outerWidth = smaller(larger(width, kMainWindowWidth), workArea.width);
    const int outerHeight =
        smaller(rowBottom ? larger(height, kMainWindowHeight) : kMainWindowHeight, workArea.height);
    const ScreenPoint origin = centredOrigin(workArea, outerWidth, outerHeight);
    return {origin.x, origin.y, outerWidth, outerHeight};
}
