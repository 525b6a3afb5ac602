// Clip files: IMG resource bytes written out for the player, and removed again.
#include "media/win/clip_files.h"

#include <windows.h>

#include "core/win/controls.h"
#include "quizdata/quiz_types.h"
#include "quizdata/win/quiz.h"

namespace {

constexpr char kMediaTitle[] = "Information";
constexpr char kAudioLoadFailure[] = "Impossible de charger le fichier audio.";
constexpr char kVideoLoadFailure[] = "Impossible de charger le fichier vidéo.";

// All or nothing: a file that cannot be written whole is removed, so that no half clip is left
// behind nor handed to the player.
bool writeClipFile(const char* name, const void* data, DWORD size) {
    HANDLE file =
        CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, data, size, &written, nullptr);
    BOOL closed = CloseHandle(file);
    if (wrote && closed && written == size) return true;
    DeleteFileA(name);
    return false;
}

}  // namespace

bool clipFileName(char (&name)[kClipNameCapacity], int question, int type) {
    const Quiz* quiz = currentQuiz();
    return formatClipName(name, sizeof name, quiz ? quiz->mediaDir : "", question, type);
}

void deleteClipFile(int question, int type, const PlayerHooks& hooks) {
    char name[kClipNameCapacity];
    if (!clipFileName(name, question, type)) return;
    DeleteFileA(name);
    traceMedia(hooks, "delete", name);
}

int extractClip(int resourceNumber, int type, const PlayerHooks& hooks) {
    char name[kClipNameCapacity];
    if (resourceNumber <= 0 || resourceNumber > 0xFFFF) return 0;  // not a resource number
    if (!clipFileName(name, resourceNumber - kQuestionMediaBase, type)) return 0;
    const ResourceBytes clip = resourceBytes(nullptr, resourceNumber, kImgType);
    if (!clip.found) return 0;
    if (!clip.bytes) {
        hooks.showMessage(type == kAudioClipType ? kAudioLoadFailure : kVideoLoadFailure,
                          kMediaTitle);
        return 0;
    }
    // An empty clip is no clip: the player would be handed a file it cannot open.
    if (clip.size == 0 || !writeClipFile(name, clip.bytes, clip.size)) return 0;
    traceMedia(hooks, "write", name);
    return 1;
}
