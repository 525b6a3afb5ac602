#include "ui/win/answer_writer.h"

#include "ui/saved_answers.h"

namespace {

// Antivirus scanners, indexers and sync clients hold a file for moments: retry the replace for
// well under a second before giving up on this place.
constexpr int kReplaceAttempts = 8;
constexpr DWORD kReplaceRetryMs = 50;

std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
}

std::wstring nameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Only one player writes a file (the instance lock), so any temporary file of its name is a
// killed run's.
void removeStaleTemps(const std::wstring& path) {
    const std::wstring folder = folderOf(path), name = nameOf(path);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L".*.new").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            isSaveTempName(found.cFileName, name))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool writeAll(HANDLE file, const std::string& content) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(content.size());
    return size == 0 ||
           (WriteFile(file, content.data(), size, &written, nullptr) && written == size);
}

// Attributes a rewritten file keeps from the old one; a read-only file is never replaced.
DWORD keptAttributes(const std::wstring& path) {
    const DWORD old = GetFileAttributesW(path.c_str());
    if (old == INVALID_FILE_ATTRIBUTES || (old & FILE_ATTRIBUTE_DIRECTORY))
        return FILE_ATTRIBUTE_NORMAL;
    const DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return kept ? kept : FILE_ATTRIBUTE_NORMAL;
}

bool isPassingHold(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

DWORD replaceWithRetries(const std::wstring& temp, const std::wstring& path) {
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temp.c_str(), path.c_str(), flags)) return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        if (!isPassingHold(error) || attempt == kReplaceAttempts) return error;
        Sleep(kReplaceRetryMs);
    }
}

}  // namespace

SaveFailure failureOfError(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS: return SaveFailure::None;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NOT_READY: return SaveFailure::Refused;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE: return SaveFailure::InUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return SaveFailure::DiskFull;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: return SaveFailure::NoFolder;
    default: return SaveFailure::Other;
    }
}

WriteResult replaceFileContent(const std::wstring& path, const std::string& content) {
    const std::wstring folder = folderOf(path);
    if (!folder.empty()) CreateDirectoryW(folder.c_str(), nullptr);
    removeStaleTemps(path);
    const DWORD attributes = keptAttributes(path);
    const std::wstring temp = savedAnswersTempName(path, GetCurrentProcessId());
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return {error == ERROR_FILE_EXISTS ? SaveFailure::Refused : failureOfError(error), true};
    }
    bool written = writeAll(file, content) && FlushFileBuffers(file);
    DWORD error = written ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(file) && written) error = GetLastError();
    if (error == ERROR_SUCCESS) error = replaceWithRetries(temp, path);
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temp.c_str());
        return {failureOfError(error), false};
    }
    if (attributes != FILE_ATTRIBUTE_NORMAL) SetFileAttributesW(path.c_str(), attributes);
    return {SaveFailure::None, false};
}

SaveFailure rewriteInPlace(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return failureOfError(GetLastError());
    const DWORD oldSize = GetFileSize(file, nullptr);
    std::string old(oldSize == INVALID_FILE_SIZE ? 0 : oldSize, '\0');
    DWORD read = 0;
    if (oldSize == INVALID_FILE_SIZE ||
        (!old.empty() && (!ReadFile(file, &old[0], oldSize, &read, nullptr) || read != oldSize))) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        return failureOfError(error ? error : ERROR_READ_FAULT);
    }
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    if (writeAll(file, content) && SetEndOfFile(file) && FlushFileBuffers(file)) {
        CloseHandle(file);
        return SaveFailure::None;
    }
    const DWORD error = GetLastError();
    // The old bytes fit where they were: putting them back needs no new room on the disk.
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    writeAll(file, old);
    SetEndOfFile(file);
    CloseHandle(file);
    return failureOfError(error);
}
