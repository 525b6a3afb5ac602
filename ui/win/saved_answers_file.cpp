// The saved answers file on disk: written whole beside the old one, then swapped in; read mapped.
#include "ui/win/saved_answers_file.h"

#include <string>
#include <vector>

#include "core/ids.h"
#include "core/win/controls.h"
#include "quizdata/win/quiz.h"
#include "ui/saved_answers.h"
#include "ui/win/answer_field.h"
#include "ui/win/answer_files.h"
#include "ui/win/answer_writer.h"

namespace {

constexpr char kSaveTitle[] = "Velto";
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 50;

std::vector<std::string> fieldTexts(HWND grid, int count) {
    std::vector<std::string> lines;
    for (int n = 1; n <= count; ++n) {
        char text[kTextCapacity] = "";
        readText(answerFieldAt(grid, kAnswerFieldBase + n), text, kTextCapacity);
        lines.emplace_back(text);
    }
    return lines;
}

// Outside a run (a grid of its own) the places are found afresh for each use.
AnswerFiles* filesInUse(AnswerFiles* files, AnswerFiles* own) {
    if (files) return files;
    findAnswerFiles(own, false);
    return own;
}

int ask(const PlayerHooks& hooks, const std::string& text, unsigned style) {
    auto ask = hooks.askMessage ? hooks.askMessage : kDefaultPlayerHooks.askMessage;
    return ask(text.c_str(), kSaveTitle, style);
}

FailedPlace failedAt(const AnswerFiles& files, AnswerPlace place, SaveFailure failure) {
    return {messageText(placePath(files, place)), failure};
}

SaveOutcome saveContent(const AnswerFiles& files, const std::string& content) {
    const SavePlan plan = savePlanOf(files);
    if (plan.first == AnswerPlace::None)
        return {false, failedAt(files, AnswerPlace::Local, SaveFailure::Unread), {}};
    SaveOutcome outcome{false, {}, {}};
    AnswerPlace inPlace = AnswerPlace::None;
    for (AnswerPlace place : {plan.first, plan.second}) {
        if (place == AnswerPlace::None) continue;
        const WriteResult result = replaceFileContent(placePath(files, place), content);
        if (result.failure == SaveFailure::None) return {true, {}, {}};
        if (result.noTempFile && inPlace == AnswerPlace::None) inPlace = place;
        FailedPlace& slot = place == plan.first ? outcome.first : outcome.second;
        slot = failedAt(files, place, result.failure);
    }
    // No place took a new file: the old file itself is the only way left.
    if (inPlace != AnswerPlace::None &&
        GetFileAttributesW(placePath(files, inPlace).c_str()) != INVALID_FILE_ATTRIBUTES &&
        rewriteInPlace(placePath(files, inPlace), content) == SaveFailure::None)
        return {true, {}, {}};
    return outcome;
}

void resetReader(SavedAnswersReader* reader) {
    reader->file = INVALID_HANDLE_VALUE;
    reader->mapping = nullptr;
    reader->view = nullptr;
    reader->size = 0;
    reader->position = 0;
}

HANDLE openForReading(const std::wstring& path, DWORD* error) {
    for (int attempt = 1;; ++attempt) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        *error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (file != INVALID_HANDLE_VALUE || attempt == kOpenAttempts) return file;
        if (*error != ERROR_SHARING_VIOLATION && *error != ERROR_LOCK_VIOLATION) return file;
        Sleep(kOpenRetryMs);
    }
}

bool mapReader(SavedAnswersReader* reader) {
    const DWORD size = GetFileSize(reader->file, nullptr);
    if (size == 0) return true;
    if (size == INVALID_FILE_SIZE) return false;
    reader->mapping = CreateFileMappingW(reader->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!reader->mapping) return false;
    reader->view =
        static_cast<const unsigned char*>(MapViewOfFile(reader->mapping, FILE_MAP_READ, 0, 0, 0));
    if (!reader->view) return false;
    reader->size = size;
    return true;
}

}  // namespace

SaveOutcome writeSavedAnswers(HWND grid, AnswerFiles* files) {
    Quiz* quiz = currentQuiz();
    if (!quiz) return {true, {}, {}};
    AnswerFiles own;
    const AnswerFiles* inUse = filesInUse(files, &own);
    if (inUse->standIn) return {true, {}, {}};
    const int lines = savedLineCount(quiz->kind, quiz->questionCount, quiz->answersPerQuestion);
    return saveContent(*inUse, savedAnswersContent(fieldTexts(grid, lines)));
}

void saveAnswersOrTell(HWND grid, AnswerFiles* files, const PlayerHooks& hooks) {
    const SaveOutcome outcome = writeSavedAnswers(grid, files);
    if (outcome.saved) return;
    ask(hooks, saveFailureMessage(outcome.first, outcome.second, false), MB_OK | MB_ICONWARNING);
}

void saveAnswersBeforeClosing(HWND grid, AnswerFiles* files, const PlayerHooks& hooks) {
    for (;;) {
        const SaveOutcome outcome = writeSavedAnswers(grid, files);
        if (outcome.saved) return;
        const std::string text = saveFailureMessage(outcome.first, outcome.second, true);
        if (ask(hooks, text, MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY) return;
    }
}

void openSavedAnswers(SavedAnswersReader* reader, AnswerFiles* inUse) {
    resetReader(reader);
    AnswerFiles own;
    AnswerFiles* files = filesInUse(inUse, &own);
    if (files->standIn || files->read == AnswerPlace::None) return;
    DWORD error = ERROR_SUCCESS;
    reader->file = openForReading(placePath(*files, files->read), &error);
    const bool gone = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    if ((reader->file == INVALID_HANDLE_VALUE && !gone) ||
        (reader->file != INVALID_HANDLE_VALUE && !mapReader(reader))) {
        files->unreadable = files->read;
        closeSavedAnswers(reader);
    }
}

void nextSavedAnswer(SavedAnswersReader* reader, char text[kTextCapacity]) {
    std::size_t position = reader->position;
    readSavedLine(reader->view, reader->size, &position, text);
    reader->position = static_cast<DWORD>(position);
}

void closeSavedAnswers(SavedAnswersReader* reader) {
    if (reader->view) UnmapViewOfFile(reader->view);
    if (reader->mapping) CloseHandle(reader->mapping);
    if (reader->file != INVALID_HANDLE_VALUE && reader->file) CloseHandle(reader->file);
    resetReader(reader);
}
