// Audio and video clips played through the media player control (no-ops for other kinds).
#pragma once

#include <windows.h>

#include "core/win/player_hooks.h"
#include "media/win/clip_files.h"

// What one run's playback keeps beyond the player's interfaces: where its clip files go, and
// whether the person was told that the media player is missing. Held by the run's Player.
struct MediaRun {
    ClipFolder clips;
    bool missingPlayerShown = false;
};

// Each step goes to hooks.traceMedia, each message box to hooks.showMessage.
void initMedia(const PlayerHooks& hooks);
// Creates the player host (control 9900 of the grid) and the player inside it.
void createPlayer(HWND grid, const PlayerHooks& hooks);
// Plays the clip of question 1..96: written to its clip file, then handed to the player. In a video
// quiz the player shows it in the band above that question's answer area.
void playClip(int question, MediaRun& run, const PlayerHooks& hooks);
// Stops whatever plays and deletes the current clip's file; the video band is hidden again.
void stopClip(MediaRun& run, const PlayerHooks& hooks);
void shutdownMedia(HWND mainWindow, MediaRun& run, const PlayerHooks& hooks);
// The session ends and the process may be ended at any moment after: the player lets go of its
// clip and every clip file goes now. Nothing plays afterwards.
void releaseClipsForSessionEnd(MediaRun& run, const PlayerHooks& hooks);
// WM_COMMAND of the grid: play and stop buttons.
void handleMediaCommand(HWND grid, WPARAM wParam, MediaRun& run, const PlayerHooks& hooks);
// False until createPlayer succeeds; while false the buttons do nothing.
bool playerAvailable();
