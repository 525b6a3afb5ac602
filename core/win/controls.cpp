#include "core/win/controls.h"

#include <vector>

#include "core/cp1252_text.h"
#include "core/win/image_bounds.h"

std::wstring wideText(const char* cp1252) {
    if (!cp1252) return std::wstring();
    const std::u16string units = cp1252ToUtf16(cp1252);
    return std::wstring(units.begin(), units.end());
}

void setText(HWND window, const char* cp1252) { SetWindowTextW(window, wideText(cp1252).c_str()); }

int readText(HWND window, char* out, int capacity) {
    if (capacity <= 0) return 0;
    std::vector<wchar_t> wide(static_cast<size_t>(capacity), L'\0');
    const int length = window ? GetWindowTextW(window, wide.data(), capacity) : 0;
    const std::u16string units(wide.begin(), wide.begin() + (length > 0 ? length : 0));
    return static_cast<int>(utf16ToCp1252(units, out, static_cast<size_t>(capacity)));
}

HWND createChild(HWND parent, const ChildControl& child, HFONT font, bool redraw) {
    const std::wstring className = wideText(child.className);
    const std::wstring text = wideText(child.text);
    HWND control = CreateWindowExW(0, className.c_str(), child.text ? text.c_str() : nullptr,
                                   child.style, child.x, child.y, child.width, child.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (control && font)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    return control;
}

HFONT guiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HFONT createFont(const FontLook& look) {
    LOGFONTA font = {};
    font.lfHeight = look.height;
    font.lfWeight = look.weight;
    font.lfItalic = look.italic ? TRUE : FALSE;
    font.lfUnderline = look.underline ? TRUE : FALSE;
    return CreateFontIndirectA(&font);
}

ResourceBytes resourceBytes(HMODULE module, int number, const char* type) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(number), type);
    if (!info) return {false, nullptr, 0, false};
    HGLOBAL handle = LoadResource(module, info);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes) return {true, nullptr, 0, false};
    const DWORD size = SizeofResource(module, info);
    if (!insideLoadedModule(module, bytes, size)) return {true, nullptr, 0, true};
    return {true, static_cast<const uint8_t*>(bytes), size, false};
}
