// A quiz file from disk to packed resources: read, check, load media, pack.
#pragma once

#include <filesystem>

#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/media_files.h"
#include "tools/quizfile/quiz_file.h"

// Everything `velto check` and `velto build` need. Every problem goes to `diags`; media are
// read even when the text has errors (so that all problems show at once), packing happens
// only when nothing else is wrong. Returns true when there is no error.
bool loadQuiz(const std::filesystem::path& path, QuizFile& quiz, PackedQuiz& packed,
              Diagnostics& diags, const MediaProgress& progress = nullptr);
