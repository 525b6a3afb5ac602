// Scrolling the grid's virtual canvas: bar ranges, scroll requests, wheel notches.
#include "ui/win/grid.h"

#include "ui/scroll.h"
#include "ui/win/grid_handlers.h"

namespace {

int gCanvasWidth = 0;
int gCanvasHeight = 0;
int gScrollTarget = 0;  // `curs`

void setBarRange(HWND grid, int bar, int canvas, int client) {
    const ScrollBarRange range = scrollBarRange(canvas, client);
    if (range.resetPosition) SetScrollPos(grid, bar, 0, FALSE);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = range.max;
    info.nPage = static_cast<UINT>(range.page);
    SetScrollInfo(grid, bar, &info, TRUE);
}

void moveContent(HWND grid, int dx, int dy) {
    if (dx != 0 || dy != 0) ScrollWindow(grid, dx, dy, nullptr, nullptr);
}

}  // namespace

void setCanvasSize(int width, int height) {
    gCanvasWidth = width;
    gCanvasHeight = height;
}

int canvasWidth() { return gCanvasWidth; }
int canvasHeight() { return gCanvasHeight; }
void setScrollTarget(int pixels) { gScrollTarget = pixels; }

void updateScrollRanges(HWND grid) {
    RECT client{};
    GetClientRect(grid, &client);
    setBarRange(grid, SB_HORZ, gCanvasWidth, client.right - client.left);
    setBarRange(grid, SB_VERT, gCanvasHeight, client.bottom - client.top);
}

void onGridSize(HWND grid) {
    const int oldVertical = GetScrollPos(grid, SB_VERT);
    const int oldHorizontal = GetScrollPos(grid, SB_HORZ);
    updateScrollRanges(grid);
    const int newVertical = GetScrollPos(grid, SB_VERT);
    const int newHorizontal = GetScrollPos(grid, SB_HORZ);
    moveContent(grid, scrollPixels(oldHorizontal, newHorizontal),
                scrollPixels(oldVertical, newVertical));
}

void onGridScroll(HWND grid, int bar, int code) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(grid, bar, &info);
    const ScrollBarState state{info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos,
                               info.nTrackPos};
    const ScrollAxis axis = bar == SB_VERT ? ScrollAxis::Vertical : ScrollAxis::Horizontal;
    SetScrollPos(grid, bar, requestedScrollPosition(axis, code, state, gScrollTarget), TRUE);
    // The bar keeps the position within nMax - nPage + 1: move by what actually changed.
    const int moved = scrollPixels(info.nPos, GetScrollPos(grid, bar));
    if (bar == SB_VERT)
        moveContent(grid, 0, moved);
    else
        moveContent(grid, moved, 0);
}

void onGridWheel(HWND grid, unsigned delta) {
    const int request = wheelScrollRequest(delta);
    if (request != 0) PostMessageA(grid, WM_VSCROLL, MAKEWPARAM(request, 0), 0);
}
