// The grid's message handlers and its process-wide scroll state, shared by the grid_*.cpp files.
#pragma once

#include <windows.h>

// Set by buildGrid as the canvas grows; read by updateScrollRanges.
void setCanvasSize(int width, int height);

void onGridSize(HWND grid);
// bar is SB_HORZ or SB_VERT; code the low word of wParam.
void onGridScroll(HWND grid, int bar, int code);
// delta is the high word of wParam, as an unsigned 16-bit number.
void onGridWheel(HWND grid, unsigned delta);
INT_PTR onGridCtlColorDlg();
INT_PTR onGridCtlColorStatic(HWND grid, HDC dc, HWND control);
