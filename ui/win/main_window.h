#pragma once

#include <windows.h>

constexpr char kMainWindowClass[] = "WindowsApp";

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool registerMainWindowClass(HINSTANCE instance);
// The grid and header the main window lays out; set by start-up once they exist.
void setMainChildren(HWND header, HWND grid);
// Runs the whole program: start-up, message loop, shutdown. Returns the exit code.
int runPlayer(HINSTANCE instance);
