// The saved answers file on disk: written whole beside the old one, then swapped in; read mapped.
#include "ui/win/saved_answers_file.h"

#include <string>
#include <vector>

#include "media/control_ids.h"
#include "quizdata/win/quiz.h"
#include "ui/saved_answers.h"

namespace {

std::string fileName() {
    char path[MAX_PATH + 1] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    path[length <= MAX_PATH ? length : MAX_PATH] = '\0';
    return savedAnswersFileName(path);
}

std::vector<std::string> fieldTexts(HWND grid, int count) {
    std::vector<std::string> lines;
    for (int n = 1; n <= count; ++n) {
        char text[kTextCapacity] = "";
        HWND field = GetDlgItem(grid, kAnswerFieldBase + n);
        if (field) GetWindowTextA(field, text, kTextCapacity);
        lines.emplace_back(text);
    }
    return lines;
}

bool writeWholeFile(const std::string& name, const std::string& content) {
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(content.size());
    bool done = size == 0 || (WriteFile(file, content.data(), size, &written, nullptr) && written == size);
    done = done && FlushFileBuffers(file);
    done = CloseHandle(file) && done;
    return done;
}

void resetReader(SavedAnswersReader* reader) {
    reader->file = INVALID_HANDLE_VALUE;
    reader->mapping = nullptr;
    reader->view = nullptr;
    reader->size = 0;
    reader->position = 0;
}

}  // namespace

// The old file is replaced only by a complete new one: a save that fails anywhere leaves it as it
// was and removes its own temporary file.
void writeSavedAnswers(HWND grid) {
    Quiz* quiz = currentQuiz();
    if (!quiz) return;
    const int lines = savedLineCount(quiz->kind, quiz->questionCount, quiz->answersPerQuestion);
    const std::string content = savedAnswersContent(fieldTexts(grid, lines));
    const std::string name = fileName();
    const std::string temp = savedAnswersTempName(name);
    if (!writeWholeFile(temp, content) ||
        !MoveFileExA(temp.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileA(temp.c_str());
}

void openSavedAnswers(SavedAnswersReader* reader) {
    resetReader(reader);
    const std::string name = fileName();
    reader->file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (reader->file == INVALID_HANDLE_VALUE) return;
    const DWORD size = GetFileSize(reader->file, nullptr);
    if (size == 0 || size == INVALID_FILE_SIZE) return;
    reader->mapping = CreateFileMappingA(reader->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!reader->mapping) return;
    reader->view = static_cast<const unsigned char*>(MapViewOfFile(reader->mapping, FILE_MAP_READ, 0, 0, 0));
    if (reader->view) reader->size = size;
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
