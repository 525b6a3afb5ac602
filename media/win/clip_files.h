// Clip files: written into the current directory when it takes them, otherwise into a folder of
// this process under the user's temporary folder; always handed to the player by full path.
#pragma once

#include <string>

#include "core/win/player_hooks.h"
#include "media/clip_names.h"

// Where this run's clips go once the current directory refused one: part of the media state.
struct ClipFolder {
    bool temporary = false;
    std::wstring temporaryPath;  // with its trailing backslash, once made
};

// The clip file name of a question for a clip type, under the quiz's media folder; false if none.
bool clipFileName(char (&name)[kClipNameCapacity], int question, int type);
// The full path the clip of a question is written to and played from; empty if none.
std::wstring clipFilePath(int question, int type, const ClipFolder& folder);
// Deletes the clip file of a question; a missing file is no error.
void deleteClipFile(int question, int type, const ClipFolder& folder, const PlayerHooks& hooks);
// Deletes every clip name (1 .. 96) of the type, in the current directory and in this process's
// temporary folder, which then goes too.
void deleteAllClipFiles(int type, ClipFolder& folder, const PlayerHooks& hooks);
// Writes IMG resourceNumber to the clip file of question resourceNumber - 400 for type 1 (audio)
// or 2 (video). 1 when the whole clip is in its file; 0 when there is no file to play. A clip
// whose entry or header is damaged is refused with the load-failure message.
int extractClip(int resourceNumber, int type, ClipFolder& folder, const PlayerHooks& hooks);
