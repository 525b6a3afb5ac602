// The player's life: start-up, the message loop and shutdown, in their fixed order.
#pragma once

#include <windows.h>

#include "quizdata/win/quiz.h"

struct PlayerWindows {
    HWND main;
    HWND header;  // also the Quiz's headerWindow
    HWND grid;
    Quiz* quiz;           // the process's one record
    bool comInitialised;  // the GUI thread's apartment, left at shutdown
};

// Everything up to the message loop: the record is loaded, the windows are shown and the grid is
// scrolled to its top. False (and nothing made) when the main window class cannot be registered.
bool startPlayer(HINSTANCE instance, PlayerWindows* player);
// Runs until WM_QUIT and returns the exit code it carries; a failed GetMessageA (-1) ends the loop
// with 0 rather than spinning on it. getMessage is GetMessageW but for tests.
using GetMessageFunction = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
int runMessageLoop(HWND grid, GetMessageFunction getMessage = GetMessageW);
// Ends the grid, destroys the header panel, shuts the media down, releases the brush and record.
void shutdownPlayer(PlayerWindows* player);

// The whole program. Returns the process exit code.
int runPlayer(HINSTANCE instance);
