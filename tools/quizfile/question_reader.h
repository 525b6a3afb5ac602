// One [[questions]] table of a quiz file.
#pragma once

#include "tools/quizfile/toml_include.h"

#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/quiz_file.h"

// What the quiz settings say about every question; -1 (kind, reveal) or 0 (answers) when the
// setting itself is wrong, so that its error is not repeated for each question.
struct QuestionRules {
    int kind = -1;
    int answersPerQuestion = 1;
    int revealMode = -1;
};

// Fills `data` (texts in Windows-1252) and `source` (media names, lines) from question `number`.
void readQuestion(const toml::table& table, int number, const QuestionRules& rules,
                  QuestionData& data, QuestionSource& source, Diagnostics& diags);
