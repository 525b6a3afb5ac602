// The saved answers file: one CR LF line per answer field, in the current directory when that
// place works, otherwise in the user's fallback place (see answer_files.h).
#pragma once

#include <windows.h>

#include "core/win/player_hooks.h"
#include "quizdata/quiz_types.h"
#include "ui/answer_places.h"
#include "ui/win/answer_files.h"

// The file mapped for reading while the grid is built; no data (size 0) when it cannot be read.
struct SavedAnswersReader {
    HANDLE file;
    HANDLE mapping;
    const unsigned char* view;
    DWORD size;
    DWORD position;
};

struct SaveOutcome {
    bool saved;         // some place holds the answers now (or nothing was to be written)
    FailedPlace first;  // each place tried without success
    FailedPlace second;
};

// Writes the text of every answer field of the grid to the first place of files that takes it
// (files null: the places found afresh); no old file is ever damaged. Silent: the callers below
// tell the person.
SaveOutcome writeSavedAnswers(HWND grid, AnswerFiles* files = nullptr);
// F2 and "Sauver": a message says so when the answers could not be saved.
void saveAnswersOrTell(HWND grid, AnswerFiles* files, const PlayerHooks& hooks);
// Closing: until they are saved, the person may try again or quit without them.
void saveAnswersBeforeClosing(HWND grid, AnswerFiles* files, const PlayerHooks& hooks);

// Opens the file of files to read (retried a moment when another program holds it). A file that
// exists but cannot be read is marked in files so that this run never overwrites it.
void openSavedAnswers(SavedAnswersReader* reader, AnswerFiles* files = nullptr);
// Copies the next line (at most 259 characters) into text; empty past the end of the file.
void nextSavedAnswer(SavedAnswersReader* reader, char text[kTextCapacity]);
void closeSavedAnswers(SavedAnswersReader* reader);
