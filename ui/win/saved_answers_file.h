// The saved answers file: one CR LF line per answer field, in the current directory.
#pragma once

#include <windows.h>

#include "quizdata/quiz_types.h"

// The file mapped for reading while the grid is built; no data (size 0) when it cannot be read.
struct SavedAnswersReader {
    HANDLE file;
    HANDLE mapping;
    const unsigned char* view;
    DWORD size;
    DWORD position;
};

// Writes the text of every answer field of the grid; the old file stays whole if this fails.
void writeSavedAnswers(HWND grid);
void openSavedAnswers(SavedAnswersReader* reader);
// Copies the next line (at most 259 characters) into text; empty past the end of the file.
void nextSavedAnswer(SavedAnswersReader* reader, char text[kTextCapacity]);
void closeSavedAnswers(SavedAnswersReader* reader);
