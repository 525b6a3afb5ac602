#pragma once

#include <windows.h>

#include "quizdata/win/quiz.h"

// Recounts solved questions from the grid's verdict labels; writes score and code into the header.
void updateScore(Quiz* quiz, HWND grid);
