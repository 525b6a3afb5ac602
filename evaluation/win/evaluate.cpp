// PLACEHOLDER: replaced by the real implementation.
#include "evaluation/win/evaluate.h"
void evaluateAnswer(Quiz*, HWND, int) {}
