// The grid's dialog procedure: each message goes to its handler.
#include "ui/win/grid.h"

#include "media/win/playback.h"
#include "ui/win/grid_handlers.h"
#include "ui/win/player.h"

namespace {

void onGridCommand(HWND grid, WPARAM wParam) {
    Player* player = playerOfDialog(grid);
    if (player) handleMediaCommand(grid, wParam, player->media, player->hooks);
}

}  // namespace

INT_PTR CALLBACK gridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        keepPlayerOfDialog(grid, lParam);
        buildGrid(grid);
        return TRUE;  // the dialog manager then gives its default focus
    case WM_SIZE: onGridSize(grid); return FALSE;
    case WM_VSCROLL: onGridScroll(grid, SB_VERT, LOWORD(wParam)); return FALSE;
    case WM_HSCROLL: onGridScroll(grid, SB_HORZ, LOWORD(wParam)); return FALSE;
    case WM_MOUSEWHEEL:
        // Left to the dialog manager as well, which hands the wheel on to the main window.
        onGridWheel(grid, HIWORD(wParam));
        return FALSE;
    case WM_CTLCOLORDLG: return onGridCtlColorDlg();
    case WM_CTLCOLORSTATIC:
        return onGridCtlColorStatic(grid, reinterpret_cast<HDC>(wParam),
                                    reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: onGridCommand(grid, wParam); return FALSE;
    default: return FALSE;
    }
}
