// The saved answers file: one CR LF line per answer field, beside the current directory.
#pragma once

#include <windows.h>

#include "quizdata/quiz_types.h"

struct SavedAnswersReader {
    HANDLE file;
    HANDLE mapping;
    const unsigned char* view;
    DWORD size;
    DWORD position;
};

void writeSavedAnswers(HWND grid);
void openSavedAnswers(SavedAnswersReader* reader);
// Copies the next line (at most 259 characters) into text.
void nextSavedAnswer(SavedAnswersReader* reader, char text[kTextCapacity]);
void closeSavedAnswers(SavedAnswersReader* reader);
