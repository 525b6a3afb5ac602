#pragma once

#include <windows.h>

#include "quizdata/win/quiz.h"

// Judges answer field fieldId of the grid, publishes the verdict and its reveals, recounts the score.
void evaluateAnswer(Quiz* quiz, HWND grid, int fieldId);
