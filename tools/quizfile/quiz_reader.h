// Reading a quiz file (TOML, UTF-8) into a QuizFile.
#pragma once

#include <string>
#include <string_view>

#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/quiz_file.h"

// Reads and checks the text of a quiz file; `sourceName` is only for toml++'s bookkeeping.
// Every problem goes to `diags` at its line; media files are named, not read (loadQuizMedia
// reads them). Returns true when there is no error.
bool readQuizText(std::string_view text, const std::string& sourceName, QuizFile& quiz,
                  Diagnostics& diags);
