// Clip files of audio and video quizzes, the play/stop button commands and the video band.
#pragma once

#include <cstddef>
#include <cstdint>

// Clip types: the quiz kind minus 1.
constexpr int kAudioClipType = 1;
constexpr int kVideoClipType = 2;
// Longest clip file name, terminating zero included (the player's URL buffer holds as many).
constexpr std::size_t kClipNameCapacity = 512;

// Where a video clip is shown: the empty band above its question's answer area.
constexpr int kVideoBandWidth = 260;
constexpr int kVideoBandHeight = 210;

bool isMediaKind(int kind);
// kAudioClipType or kVideoClipType for a media kind, 0 otherwise.
int clipTypeOfKind(int kind);

// "%svelto%d.mp3" (audio) or "%svelto%d.avi" (video). False, with an empty name, for any other
// type or when the name does not fit.
bool formatClipName(char* name, std::size_t capacity, const char* mediaDir, int question, int type);

enum MediaAction { MediaIgnore, MediaPlay, MediaStop };

struct MediaCommand {
    MediaAction action;
    int question;  // 1 .. 96 for MediaPlay and MediaStop
};

// The whole WM_COMMAND wParam is compared, so only a click (notification 0) on a play button
// 6001..6096 or a stop button 7001..7096 counts.
MediaCommand mediaCommandFor(std::uint64_t wParam);

struct BandRect {
    int x;
    int y;
    int width;
    int height;
};

// The video band of a question, from its play button's top-left corner (the answer area's).
BandRect videoBandRect(int playButtonX, int playButtonY);
