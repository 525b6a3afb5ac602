// The question grid dialog: building, scrolling and colours.
#pragma once

#include <windows.h>

INT_PTR CALLBACK gridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam);
void buildGrid(HWND grid);
void updateScrollRanges(HWND grid);
// `curs`: the stored vertical target of scroll request 502.
void setScrollTarget(int pixels);
int canvasWidth();
int canvasHeight();
