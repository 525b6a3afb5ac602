// Texts the player shows in boxes of fixed size, measured as it draws them: a warning names each
// text it will cut, and what of it shows.
#pragma once

#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/quiz_file.h"
#include "tools/quizfile/toml_include.h"

// `quiz` as read from `root`; the lines of the warnings come from `root`'s nodes.
void warnCutTexts(const toml::table& root, const QuizFile& quiz, Diagnostics& diags);
