// PLACEHOLDER: replaced by the real implementation.
#include "ui/win/saved_answers_file.h"
void writeSavedAnswers(HWND) {}
void openSavedAnswers(SavedAnswersReader*) {}
void nextSavedAnswer(SavedAnswersReader*, char text[kTextCapacity]) { text[0] = 0; }
void closeSavedAnswers(SavedAnswersReader*) {}
