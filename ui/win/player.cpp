// Where each window of the run keeps its Player.
#include "ui/win/player.h"

Player* playerOfMainWindow(HWND main) {
    return reinterpret_cast<Player*>(GetWindowLongPtrA(main, GWLP_USERDATA));
}

Player* playerOfDialog(HWND dialog) {
    return reinterpret_cast<Player*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

Player* playerOfField(HWND field) {
    HWND grid = GetParent(field);
    return grid ? playerOfDialog(grid) : nullptr;
}

void keepPlayerOfMainWindow(HWND main, const CREATESTRUCTA* create) {
    SetWindowLongPtrA(main, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

void keepPlayerOfDialog(HWND dialog, LPARAM initParam) {
    SetWindowLongPtrA(dialog, DWLP_USER, initParam);
}
