#pragma once

#include <windows.h>

// The maker's web page, opened by the header panel's link.
constexpr char kMakerAddress[] = "https://velto.example.org";

INT_PTR CALLBACK headerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
