// The header panel: title, author, description, the maker's link, "Sauver", score and code box.
#pragma once

#include <windows.h>

// Created with the run's Player as its parameter: a click on the link hands the address to its
// hooks.openAddress, and the panel's brush is kept in its brushes.panel.
INT_PTR CALLBACK headerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
