// Step recorder of the media subsystem.
#include "media/win/media_trace.h"

#include <cstdio>

#include "media/clip_names.h"

namespace {
MediaTrace gTrace = nullptr;
}

MediaTrace setMediaTrace(MediaTrace trace) {
    MediaTrace previous = gTrace;
    gTrace = trace;
    return previous;
}

void traceMedia(const char* step, const char* detail) {
    if (!gTrace) return;
    if (!detail) {
        gTrace(step);
        return;
    }
    char line[kClipNameCapacity + 32];
    std::snprintf(line, sizeof line, "%s %s", step, detail);
    gTrace(line);
}
