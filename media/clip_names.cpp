// Clip file names, button commands and the video band.
#include "media/clip_names.h"

#include <cstdio>

#include "core/ids.h"
#include "quizdata/quiz_types.h"

bool isMediaKind(int kind) { return kind == KindAudio || kind == KindVideo; }

int clipTypeOfKind(int kind) { return isMediaKind(kind) ? kind - 1 : 0; }

bool formatClipName(char* name, std::size_t capacity, const char* mediaDir, int question,
                    int type) {
    if (capacity == 0) return false;
    name[0] = '\0';
    const char* format = nullptr;
    if (type == kAudioClipType) format = "%svelto%d.mp3";
    if (type == kVideoClipType) format = "%svelto%d.avi";
    if (!format) return false;
    int length = std::snprintf(name, capacity, format, mediaDir ? mediaDir : "", question);
    // A truncated name would address some other file: use none.
    if (length < 0 || static_cast<std::size_t>(length) >= capacity) {
        name[0] = '\0';
        return false;
    }
    return true;
}

MediaCommand mediaCommandFor(std::uint64_t wParam) {
    if (wParam > kPlayButtonBase &&
        wParam <= kPlayButtonBase + static_cast<unsigned>(kMaxQuestions)) {
        return {MediaPlay, static_cast<int>(wParam - kPlayButtonBase)};
    }
    if (wParam > kStopButtonBase &&
        wParam <= kStopButtonBase + static_cast<unsigned>(kMaxQuestions)) {
        return {MediaStop, static_cast<int>(wParam - kStopButtonBase)};
    }
    return {MediaIgnore, 0};
}

BandRect videoBandRect(int playButtonX, int playButtonY) {
    return {playButtonX, playButtonY - kVideoBandHeight, kVideoBandWidth, kVideoBandHeight};
}
