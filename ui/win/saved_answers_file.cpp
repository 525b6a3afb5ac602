// The saved answers file on disk: written whole beside the old one, then swapped in; read mapped.
#include "ui/win/saved_answers_file.h"

#include <string>
#include <vector>

#include "core/ids.h"
#include "core/win/controls.h"
#include "quizdata/win/quiz.h"
#include "ui/saved_answers.h"
#include "ui/win/answer_field.h"

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
        readText(answerFieldAt(grid, kAnswerFieldBase + n), text, kTextCapacity);
        lines.emplace_back(text);
    }
    return lines;
}

// CREATE_NEW never touches an existing file; CREATE_ALWAYS replaces one, which then needs its own
// hidden and system attributes asked for again.
bool writeWholeFile(const std::string& name, const std::string& content, DWORD disposition,
                    DWORD attributes) {
    HANDLE file =
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, disposition, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(content.size());
    bool done =
        size == 0 || (WriteFile(file, content.data(), size, &written, nullptr) && written == size);
    done = done && FlushFileBuffers(file);
    done = CloseHandle(file) && done;
    return done;
}

// Attributes a rewritten file keeps from the old one; a read-only file is never replaced.
DWORD keptAttributes(const std::string& name) {
    const DWORD old = GetFileAttributesA(name.c_str());
    if (old == INVALID_FILE_ATTRIBUTES || (old & FILE_ATTRIBUTE_DIRECTORY))
        return FILE_ATTRIBUTE_NORMAL;
    const DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return kept ? kept : FILE_ATTRIBUTE_NORMAL;
}

// The old file is replaced only by a complete new one: a save that fails once its temporary file
// exists leaves the old file as it was and removes the temporary file. The temporary file is new
// (nothing of the user's is overwritten); when none can be made beside the answers file (a folder
// where only that file is writable), the file is rewritten in place.
void saveContent(const std::string& name, const std::string& content) {
    const DWORD attributes = keptAttributes(name);
    const std::string temp = savedAnswersTempName(name, GetCurrentProcessId());
    HANDLE probe = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        writeWholeFile(name, content, CREATE_ALWAYS, attributes);
        return;
    }
    CloseHandle(probe);
    const DWORD replace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!writeWholeFile(temp, content, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL) ||
        !MoveFileExA(temp.c_str(), name.c_str(), replace)) {
        DeleteFileA(temp.c_str());
        return;
    }
    if (attributes != FILE_ATTRIBUTE_NORMAL) SetFileAttributesA(name.c_str(), attributes);
}

void resetReader(SavedAnswersReader* reader) {
    reader->file = INVALID_HANDLE_VALUE;
    reader->mapping = nullptr;
    reader->view = nullptr;
    reader->size = 0;
    reader->position = 0;
}

}  // namespace

// In the grid, the edit controls are the answer fields; any other control is not one.
void writeSavedAnswers(HWND grid) {
    Quiz* quiz = currentQuiz();
    if (!quiz) return;
    const int lines = savedLineCount(quiz->kind, quiz->questionCount, quiz->answersPerQuestion);
    saveContent(fileName(), savedAnswersContent(fieldTexts(grid, lines)));
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
    reader->view =
        static_cast<const unsigned char*>(MapViewOfFile(reader->mapping, FILE_MAP_READ, 0, 0, 0));
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
