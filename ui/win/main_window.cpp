// PLACEHOLDER: replaced by the real implementation.
#include "ui/win/main_window.h"
LRESULT CALLBACK mainWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }
bool registerMainWindowClass(HINSTANCE) { return false; }
void setMainChildren(HWND, HWND) {}
int runPlayer(HINSTANCE) { return 0; }
