// Clip files: written into the current directory when it takes them, otherwise into a folder of
// this process under the user's temporary folder; always handed to the player by full path.
#pragma once

#include <string>

#include "media/clip_names.h"

// The clip file name of a question for a clip type, under the quiz's media folder; false if none.
bool clipFileName(char (&name)[kClipNameCapacity], int question, int type);
// The full path the clip of a question is written to and played from; empty if none.
std::wstring clipFilePath(int question, int type);
// Deletes the clip file of a question; a missing file is no error.
void deleteClipFile(int question, int type);
// Deletes every clip name (1 .. 96) of the type, in the current directory and in this process's
// temporary folder, which then goes too.
void deleteAllClipFiles(int type);
