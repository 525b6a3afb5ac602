// Clip files in the current directory: their names, extraction from IMG resources and deletion.
#pragma once

#include "core/win/player_hooks.h"
#include "media/clip_names.h"

// The clip file name of a question for a clip type, under the quiz's media folder; false if none.
bool clipFileName(char (&name)[kClipNameCapacity], int question, int type);
// Deletes the clip file of a question; a missing file is no error.
void deleteClipFile(int question, int type, const PlayerHooks& hooks);
// Writes IMG resourceNumber to the clip file of question resourceNumber - 400 for type 1 (audio)
// or 2 (video). 1 when the whole clip is in its file; 0 when there is no file to play.
int extractClip(int resourceNumber, int type, const PlayerHooks& hooks);
