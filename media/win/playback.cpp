// PLACEHOLDER: replaced by the real implementation.
#include "media/win/playback.h"
void initMedia() {}
void createPlayer(HWND) {}
void playClip(int) {}
void stopClip() {}
int extractClip(int, int) { return 0; }
void shutdownMedia(HWND) {}
void handleMediaCommand(HWND, WPARAM) {}
