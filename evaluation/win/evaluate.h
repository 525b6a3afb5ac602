#pragma once

#include <windows.h>

#include "quizdata/win/quiz.h"

// Between beginEvaluationBatch and endEvaluationBatch (the grid's build, the F1 fill),
// evaluations publish their verdicts and reveals as usual but leave the score to the end, which
// recounts it once if any evaluation was made: the header ends as it would, with one recount of
// every verdict label instead of one per field.
struct EvaluationBatch {
    bool open = false;
    bool scoreOwed = false;  // an evaluation in the open batch left the recount to its end
};

// Judges answer field fieldId of the grid, publishes the verdict and its reveals, recounts the
// score (at the end of batch, when one is given and open).
void evaluateAnswer(Quiz* quiz, HWND grid, int fieldId, EvaluationBatch* batch = nullptr);

void beginEvaluationBatch(EvaluationBatch& batch);
void endEvaluationBatch(EvaluationBatch& batch, Quiz* quiz, HWND grid);
