// The player's life: start-up, the message loop and shutdown, in their fixed order.
#pragma once

#include <windows.h>

#include "quizdata/win/quiz.h"
#include "ui/win/answer_files.h"

struct PlayerWindows {
    HWND main;
    HWND header;  // also the Quiz's headerWindow
    HWND grid;
    Quiz* quiz;  // the process's one record
    AnswerFiles answers;
};

// Everything up to the message loop: the record is loaded, the windows are shown and the grid is
// scrolled to its top. False (and nothing made) when the main window class cannot be registered,
// or when another player already runs on the same answers file (brought to the front instead).
bool startPlayer(HINSTANCE instance, PlayerWindows* player);
// Runs until WM_QUIT and returns the exit code it carries; a failed GetMessageA (-1) ends the loop
// with 0 rather than spinning on it. getMessage is GetMessageA but for tests.
using GetMessageFunction = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
int runMessageLoop(HWND grid, GetMessageFunction getMessage = GetMessageA);
// Ends the grid, destroys the header panel, shuts the media down, releases the brush and record.
void shutdownPlayer(PlayerWindows* player);

// The whole program. Returns the process exit code.
int runPlayer(HINSTANCE instance);
