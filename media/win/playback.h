// Audio and video clips played through the media player control (no-ops for other kinds).
#pragma once

#include <windows.h>

void initMedia();
void createPlayer(HWND grid);
void playClip(int question);
void stopClip();
int extractClip(int resourceNumber, int type);
void shutdownMedia(HWND mainWindow);
// WM_COMMAND of the grid: play and stop buttons.
void handleMediaCommand(HWND grid, WPARAM wParam);
