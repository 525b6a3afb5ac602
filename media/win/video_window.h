// The window a media player control may render video into on its own, laid over the video band.
#pragma once

#include <windows.h>

// Some platforms' media control does not draw inside its host but opens a top-level window of its
// own for the picture. Each such window of this process is stripped of its frame, owned by the
// host's top-level window (above it, minimised with it) and placed over the host's screen
// rectangle. Does nothing where the control draws inside its host.
void overlayVideoWindows(HWND host);
