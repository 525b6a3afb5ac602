// Pieces shared by the quiz commands: the one-line quiz summary and the quiz file's messages.
#pragma once

#include <string>
#include <vector>

#include "tools/cli/command_line.h"
#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/quiz_file.h"

// "quiz picture \"Capitales\" : 4 questions, 4 images, 2 images de réponse, 3 codes"
std::string quizSummary(const QuizFile& quiz);

// Prints diagnostics to stderr under the quiz file's name.
void printDiagnostics(const std::string& file, const Diagnostics& diags);
