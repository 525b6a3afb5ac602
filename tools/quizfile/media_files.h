// The media files of a quiz: question pictures and clips, answer pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/quiz_file.h"

enum class MediaFormat { Jpeg, Mp3, Avi, WebVideo };

// The format of a question's media in a quiz of `kind` (picture, audio, video).
MediaFormat questionMediaFormat(int kind);

// Whether `bytes` start as a file of that format does: JPEG FF D8 FF; mp3 an "ID3" tag or an
// MPEG audio frame sync (FF Ex / FF Fx); avi "RIFF" size "AVI ";
// a web video WebM (1A 45 DF A3) or MP4 ("ftyp" at byte 4).
bool hasMediaSignature(MediaFormat format, const std::vector<uint8_t>& bytes);

// "jpg", "mp3", "avi", "webm".
const char* mediaExtension(MediaFormat format);

// Called before each media file is read: 1-based number, total, name as written.
using MediaProgress = std::function<void(int number, int total, const std::string& path)>;

// Reads every media file the quiz names (relative to `baseDir`) into its MediaRef and checks
// its format. Each file that is missing, unreadable, empty or of the wrong format is an error
// at the line that names it.
void loadQuizMedia(QuizFile& quiz, const std::filesystem::path& baseDir, Diagnostics& diags,
                   const MediaProgress& progress = nullptr);
