// Audio and video clips played through the media player control (no-ops for other kinds).
#pragma once

#include <windows.h>

void initMedia();
// Creates the player host (control 9900 of the grid) and the player inside it.
void createPlayer(HWND grid);
// Plays the clip of question 1..96: written to its clip file, then handed to the player. In a video
// quiz the player shows it in the band above that question's answer area.
void playClip(int question);
// Stops whatever plays and deletes the current clip's file; the video band is hidden again.
void stopClip();
// Writes IMG resourceNumber to the clip file of question resourceNumber - 400 for type 1 (audio)
// or 2 (video). 1 when the whole clip is in its file; 0 when there is no file to play.
int extractClip(int resourceNumber, int type);
void shutdownMedia(HWND mainWindow);
// The session ends and the process may be ended at any moment after: the player lets go of its
// clip and every clip file goes now. Nothing plays afterwards.
void releaseClipsForSessionEnd();
// WM_COMMAND of the grid: play and stop buttons.
void handleMediaCommand(HWND grid, WPARAM wParam);
// False until createPlayer succeeds; while false the buttons do nothing.
bool playerAvailable();
