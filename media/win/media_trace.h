// The player and clip-file steps as they happen, for tests to read back in order.
#pragma once

// Receives one step at a time: "stop", "play", "put_URL velto5.mp3", "delete velto3.mp3", ...
using MediaTrace = void (*)(const char* step);

// Installs a recorder (null removes it); returns the previous one. Without one, tracing costs
// nothing.
MediaTrace setMediaTrace(MediaTrace trace);
void traceMedia(const char* step, const char* detail = nullptr);
