#pragma once

#include <windows.h>

#include "quizdata/win/quiz.h"

// Judges answer field fieldId of the grid, publishes the verdict and its reveals, recounts the
// score.
void evaluateAnswer(Quiz* quiz, HWND grid, int fieldId);

// Between these two (the grid's build), evaluations publish their verdicts and reveals as usual
// but leave the score to the end, which recounts it once if any evaluation was made: the header
// ends as it would, with one recount of every verdict label instead of one per field.
void beginEvaluationBatch();
void endEvaluationBatch(Quiz* quiz, HWND grid);
