// The PATCH payloads of a quiz, written and packed.
#pragma once

#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/quiz_file.h"

// Writes the definition and codes payloads of `quiz` and packs each into a PackedBlock.
// A payload over 65535 bytes or a packed block over 32768 bytes is an error (at line 1: it
// belongs to the quiz as a whole). Returns true when both are packed.
bool packQuiz(const QuizFile& quiz, PackedQuiz& packed, Diagnostics& diags);
