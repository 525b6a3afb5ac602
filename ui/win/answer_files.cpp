// Where this run's answers are: paths from the executable, the current directory, the user's
// temporary folder and application data folder.
#include "ui/win/answer_files.h"

#include <shlobj.h>

#include <vector>

#include "core/win/controls.h"
#include "ui/saved_answers.h"
#include "ui/win/main_window.h"

namespace {

constexpr wchar_t kFallbackFolder[] = L"Velto";
constexpr wchar_t kWindowTagProperty[] = L"VeltoAnswersTag";
constexpr unsigned kWindowsCodePage = 1252;
// {3EB685DB-65F9-4CF6-A03A-E3EF65729F3D}
constexpr GUID kRoamingAppData = {
    0x3EB685DB, 0x65F9, 0x4CF6, {0xA0, 0x3A, 0xE3, 0xEF, 0x65, 0x72, 0x9F, 0x3D}};

// A path from an API that says how long it is, however long that is.
template <typename Get>
std::wstring grownPath(Get get) {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = get(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return L"";
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

std::wstring modulePath() {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), buffer.size());
        if (length == 0) return L"";
        if (length < buffer.size() - 1) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

// Short 8.3 parts expanded, so that two spellings of one folder compare equal.
std::wstring longPath(const std::wstring& path) {
    const std::wstring full = grownPath(
        [&](wchar_t* to, DWORD size) { return GetLongPathNameW(path.c_str(), to, size); });
    return full.empty() ? path : full;
}

std::wstring withSeparator(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    return folder;
}

std::wstring appDataFolder() {
    std::wstring folder = grownPath(
        [](wchar_t* to, DWORD size) { return GetEnvironmentVariableW(L"APPDATA", to, size); });
    if (folder.size() > 2 && folder[1] == L':') return folder;
    if (folder.size() > 2 && folder[0] == L'\\' && folder[1] == L'\\') return folder;
    PWSTR known = nullptr;
    folder.clear();
    if (SUCCEEDED(SHGetKnownFolderPath(kRoamingAppData, 0, nullptr, &known)) && known)
        folder = known;
    CoTaskMemFree(known);
    return folder;
}

std::wstring fallbackPath(const std::wstring& executable) {
    const std::wstring folder = appDataFolder();
    if (folder.empty()) return L"";
    const ResourceBytes definition = resourceBytes(nullptr, kDefinitionResource, kPatchType);
    const std::string tag = contentTag(definition.bytes, definition.size);
    const std::size_t slash = executable.find_last_of(L"\\/");
    const std::wstring name = executable.substr(slash == std::wstring::npos ? 0 : slash + 1);
    return withSeparator(folder) + kFallbackFolder + L"\\" + fallbackAnswersName(name, tag);
}

PlaceFacts factsOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {false, 0};
    const std::uint64_t time =
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    return {true, time};
}

std::wstring lowerCase(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

struct Search {
    std::uintptr_t tag;
    HWND found;
};

BOOL CALLBACK findTaggedWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    const std::wstring expected(kMainWindowClass, kMainWindowClass + sizeof kMainWindowClass - 1);
    if (expected != className) return TRUE;
    if (reinterpret_cast<std::uintptr_t>(GetPropW(window, kWindowTagProperty)) != search->tag)
        return TRUE;
    search->found = window;
    return FALSE;
}

void bringForward(std::uintptr_t tag) {
    Search search{tag, nullptr};
    EnumWindows(findTaggedWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return;
    if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
    SetForegroundWindow(search.found);
}

}  // namespace

void findAnswerFiles(AnswerFiles* files, bool standIn) {
    *files = AnswerFiles{};
    files->standIn = standIn;
    if (standIn) return;
    const std::wstring executable = modulePath();
    const std::wstring current =
        longPath(grownPath([](wchar_t* to, DWORD size) { return GetCurrentDirectoryW(size, to); }));
    const std::wstring temp =
        longPath(grownPath([](wchar_t* to, DWORD size) { return GetTempPathW(size, to); }));
    files->localPath = withSeparator(current) + savedAnswersFileName(executable.c_str());
    files->localTemporary = !temp.empty() && isUnderFolder(current, temp);
    files->fallbackPath = fallbackPath(executable);
    files->read = placeToRead(factsOf(files->localPath), factsOf(files->fallbackPath));
}

const std::wstring& placePath(const AnswerFiles& files, AnswerPlace place) {
    static const std::wstring none;
    if (place == AnswerPlace::Local) return files.localPath;
    if (place == AnswerPlace::Fallback) return files.fallbackPath;
    return none;
}

SavePlan savePlanOf(const AnswerFiles& files) {
    if (files.standIn) return {AnswerPlace::None, AnswerPlace::None};
    return savePlan({files.localTemporary, !files.fallbackPath.empty(), files.unreadable});
}

bool claimAnswerFiles(AnswerFiles* files) {
    const std::wstring& target = placePath(*files, savePlanOf(*files).first);
    if (target.empty()) return true;
    const std::wstring key = lowerCase(target);
    files->windowTag = instanceWindowTag(key);
    SetLastError(ERROR_SUCCESS);  // only "it existed" is read back
    HANDLE lock = CreateMutexW(nullptr, FALSE, instanceMutexName(key).c_str());
    if (lock && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(lock);
        bringForward(files->windowTag);
        return false;
    }
    files->instanceLock = lock;
    return true;
}

void markPlayerWindow(const AnswerFiles& files, HWND main) {
    if (files.instanceLock && main)
        SetPropW(main, kWindowTagProperty, reinterpret_cast<HANDLE>(files.windowTag));
}

void releaseAnswerFiles(AnswerFiles* files, HWND main) {
    if (main && IsWindow(main)) RemovePropW(main, kWindowTagProperty);
    if (files->instanceLock) CloseHandle(files->instanceLock);
    files->instanceLock = nullptr;
}

std::string messageText(const std::wstring& text) {
    if (text.empty()) return "";
    const int size =
        WideCharToMultiByte(kWindowsCodePage, 0, text.c_str(), -1, nullptr, 0, "?", nullptr);
    std::string bytes(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(kWindowsCodePage, 0, text.c_str(), -1, &bytes[0], size, "?", nullptr);
    bytes.resize(bytes.find('\0'));
    return bytes;
}
