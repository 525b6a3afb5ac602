#include "core/win/system_library.h"

#include <string>

#include "core/win/controls.h"

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Looked up rather than imported: a Windows 7 without its 2011 loader update has neither this
// function nor the LOAD_LIBRARY_SEARCH flags, and the player must still start there.
SetDefaultDllDirectoriesFunction setDefaultDllDirectories() {
    FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    return reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

void keepDllSearchToSystemFolder() {
    SetDllDirectoryW(L"");  // at least the current directory is out, on any system
    if (SetDefaultDllDirectoriesFunction set = setDefaultDllDirectories())
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE loadSystemLibrary(const char* name) {
    HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // The flag is unknown to this system: the full path, which is never searched.
    wchar_t folder[MAX_PATH] = L"";
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + wideText(name);
    return LoadLibraryW(path.c_str());
}
