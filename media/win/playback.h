// Audio and video clips played through the media player control (no-ops for other kinds).
#pragma once

#include <windows.h>

#include "core/win/player_hooks.h"

// Each step goes to hooks.traceMedia, each message box to hooks.showMessage.
void initMedia(const PlayerHooks& hooks);
// Creates the player host (control 9900 of the grid) and the player inside it.
void createPlayer(HWND grid, const PlayerHooks& hooks);
// Plays the clip of question 1..96: written to its clip file, then handed to the player. In a video
// quiz the player shows it in the band above that question's answer area.
void playClip(int question, const PlayerHooks& hooks);
// Stops whatever plays and deletes the current clip's file; the video band is hidden again.
void stopClip(const PlayerHooks& hooks);
void shutdownMedia(HWND mainWindow, const PlayerHooks& hooks);
// WM_COMMAND of the grid: play and stop buttons.
void handleMediaCommand(HWND grid, WPARAM wParam, const PlayerHooks& hooks);
// False until createPlayer succeeds; while false the buttons do nothing.
bool playerAvailable();
