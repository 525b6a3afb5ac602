// Writing a quiz back as a quiz file (what `velto inspect` prints).
#pragma once

#include <string>

#include "tools/quizfile/quiz_file.h"

// A TOML basic string, quotes included, holding the Windows-1252 `text` as UTF-8; quotes,
// backslashes and control characters are escaped.
std::string tomlText(const std::string& text);

// The quiz file that readQuizText reads back into the same definition, codes and media names.
// Explanations are written only for the reveal modes that store them, `prompt` always in a
// text quiz and elsewhere when not empty, trailing empty codes are left out. `comment` (UTF-8,
// one line) heads the file when not empty.
std::string writeQuizText(const QuizFile& quiz, const std::string& comment);
