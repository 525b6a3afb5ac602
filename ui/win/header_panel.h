// The header panel: title, author, description, the maker's link, "Sauver", score and code box.
#pragma once

#include <windows.h>

// The maker's web page, opened by the header panel's link.
constexpr char kMakerAddress[] = "https://velto.test";

INT_PTR CALLBACK headerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// What a click on the link does with the address (by default ShellExecuteA "open"); tests replace
// it so that nothing is opened. Null restores the shell. Returns the previous hook.
using OpenAddressHook = void (*)(const char* address);
OpenAddressHook setOpenAddressHook(OpenAddressHook hook);
