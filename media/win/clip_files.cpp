// Clip files: IMG resource bytes written out for the player, and removed again.
#include "media/win/clip_files.h"

#include <windows.h>

#include <vector>

#include "core/win/controls.h"
#include "media/clip_check.h"
#include "quizdata/quiz_types.h"
#include "quizdata/win/quiz.h"

namespace {

constexpr char kMediaTitle[] = "Information";
constexpr char kAudioLoadFailure[] = "Impossible de charger le fichier audio.";
constexpr char kVideoLoadFailure[] = "Impossible de charger le fichier vidéo.";
constexpr wchar_t kTempFolderPrefix[] = L"velto-";

std::wstring withSeparator(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring currentFolder() {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    return length ? withSeparator(std::wstring(buffer.data(), length)) : L"";
}

std::wstring temporaryFolder() {
    wchar_t temp[MAX_PATH + 1] = L"";
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return L"";
    return withSeparator(temp) + kTempFolderPrefix + std::to_wstring(GetCurrentProcessId()) + L"\\";
}

std::wstring folderInUse(const ClipFolder& folder) {
    return folder.temporary ? folder.temporaryPath : currentFolder();
}

std::wstring wideName(const char* name) {
    return std::wstring(name, name + std::char_traits<char>::length(name));  // ASCII by format
}

// All or nothing: a file that cannot be written whole is removed, so that no half clip is left
// behind nor handed to the player. The error of the create, or 0.
DWORD writeClipFile(const std::wstring& path, const void* data, DWORD size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD written = 0;
    BOOL wrote = WriteFile(file, data, size, &written, nullptr);
    BOOL closed = CloseHandle(file);
    if (wrote && closed && written == size) return ERROR_SUCCESS;
    DeleteFileW(path.c_str());
    return ERROR_WRITE_FAULT;
}

// The current directory first; when it takes no new file (read-only, protected), this process's
// own folder under the temporary folder for the rest of the run.
bool placeClip(ClipFolder& folder, const char* name, const void* data, DWORD size) {
    const DWORD error = writeClipFile(folderInUse(folder) + wideName(name), data, size);
    if (error == ERROR_SUCCESS) return true;
    if (folder.temporary || error == ERROR_WRITE_FAULT) return false;
    const std::wstring temp = temporaryFolder();
    if (temp.empty() ||
        (!CreateDirectoryW(temp.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS))
        return false;
    folder = ClipFolder{true, temp};
    return writeClipFile(temp + wideName(name), data, size) == ERROR_SUCCESS;
}

}  // namespace

bool clipFileName(char (&name)[kClipNameCapacity], int question, int type) {
    const Quiz* quiz = currentQuiz();
    return formatClipName(name, sizeof name, quiz ? quiz->mediaDir : "", question, type);
}

std::wstring clipFilePath(int question, int type, const ClipFolder& folder) {
    char name[kClipNameCapacity];
    if (!clipFileName(name, question, type)) return L"";
    return folderInUse(folder) + wideName(name);
}

void deleteClipFile(int question, int type, const ClipFolder& folder, const PlayerHooks& hooks) {
    char name[kClipNameCapacity];
    if (!clipFileName(name, question, type)) return;
    DeleteFileW(clipFilePath(question, type, folder).c_str());
    traceMedia(hooks, "delete", name);
}

void deleteAllClipFiles(int type, ClipFolder& folder, const PlayerHooks& hooks) {
    // The current directory's names first, as earlier runs left them.
    for (int question = 1; question <= kMaxQuestions; ++question)
        deleteClipFile(question, type, ClipFolder{}, hooks);
    if (!folder.temporary) return;
    for (int question = 1; question <= kMaxQuestions; ++question) {
        char name[kClipNameCapacity];
        if (clipFileName(name, question, type))
            DeleteFileW((folder.temporaryPath + wideName(name)).c_str());
    }
    RemoveDirectoryW(folder.temporaryPath.c_str());
    folder = ClipFolder{};
}

int extractClip(int resourceNumber, int type, ClipFolder& folder, const PlayerHooks& hooks) {
    char name[kClipNameCapacity];
    if (resourceNumber <= 0 || resourceNumber > 0xFFFF) return 0;  // not a resource number
    if (!clipFileName(name, resourceNumber - kQuestionMediaBase, type)) return 0;
    const ResourceBytes clip = resourceBytes(nullptr, resourceNumber, kImgType);
    if (!clip.found) return 0;
    // A damaged entry or header would bring the media player, and the quiz, down: refused alike.
    if (!clip.bytes || (clip.size > 0 && !clipHeaderFits(clip.bytes, clip.size, type))) {
        hooks.showMessage(type == kAudioClipType ? kAudioLoadFailure : kVideoLoadFailure,
                          kMediaTitle);
        return 0;
    }
    // An empty clip is no clip: the player would be handed a file it cannot open.
    if (clip.size == 0 || !placeClip(folder, name, clip.bytes, clip.size)) return 0;
    traceMedia(hooks, "write", name);
    return 1;
}
