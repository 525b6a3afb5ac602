/* A DLL named atl.dll, planted beside a quiz as a downloaded file would be: when a process loads
   it, it leaves planted-atl-ran.txt beside itself. The player must never load it. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
        while (length > 0 && path[length - 1] != '\\') --length;
        lstrcpyA(path + length, "planted-atl-ran.txt");
        HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
    return TRUE;
}
