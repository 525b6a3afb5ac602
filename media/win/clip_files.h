// Clip files in the current directory: their names, extraction from IMG resources and deletion.
#pragma once

#include "media/clip_names.h"

// The clip file name of a question for a clip type, under the quiz's media folder; false if none.
bool clipFileName(char (&name)[kClipNameCapacity], int question, int type);
// Deletes the clip file of a question; a missing file is no error.
void deleteClipFile(int question, int type);
