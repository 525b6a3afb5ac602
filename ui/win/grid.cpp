// PLACEHOLDER: replaced by the real implementation.
#include "ui/win/grid.h"
INT_PTR CALLBACK gridProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
void buildGrid(HWND) {}
void updateScrollRanges(HWND) {}
void setScrollTarget(int) {}
int canvasWidth() { return 0; }
int canvasHeight() { return 0; }
