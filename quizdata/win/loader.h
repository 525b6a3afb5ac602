// Fills the Quiz from the executable's "PATCH" 104 (definition) and 105 (codes).
#pragma once

#include <windows.h>

#include "quizdata/win/quiz.h"

void loadQuiz(Quiz* quiz);
// The same from any module that carries the resources (null: the executable).
void loadQuizFromModule(Quiz* quiz, HMODULE module);
