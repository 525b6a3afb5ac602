// The main window ("WindowsApp"): it lays out the header panel and the question grid, shows the
// version label, forwards wheel notches to the grid and saves the answers when it is closed.
#pragma once

#include <windows.h>

#include "ui/grid_layout.h"

struct Player;
struct PlayerBrushes;

constexpr char kMainWindowClass[] = "WindowsApp";
constexpr char kVersionLabelText[] = "(BETA) Réalisé avec la version 2.2  ";

bool registerMainWindowClass(HINSTANCE instance);
// Created hidden, 544 x 375 at the default position; the window keeps player, whose windows it
// lays out, whose grid receives its wheel and close handling and whose label brush it paints.
HWND createMainWindow(HINSTANCE instance, const char* caption, Player* player);
// Sizes the window for the first screen of the grid (firstScreen) on the work area of the monitor
// it stands on, and centres it there; z-order kept.
void placeFirstScreen(HWND window, const GridSpec& grid);

// The brush behind the version label: created at start-up, deleted at shutdown.
void createLabelBrush(PlayerBrushes& brushes);
void deleteLabelBrush(PlayerBrushes& brushes);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
