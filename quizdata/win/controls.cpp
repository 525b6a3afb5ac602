#include "quizdata/win/controls.h"

HWND createChild(HWND parent, const ChildSpec& spec, HFONT font, bool redraw) {
    HWND control = CreateWindowExA(
        0, spec.className, spec.text, spec.style, spec.x, spec.y, spec.width, spec.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleA(nullptr), nullptr);
    if (control && font)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    return control;
}

HFONT guiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HFONT createFont(const FontSpec& spec) {
    LOGFONTA font = {};
    font.lfHeight = spec.height;
    font.lfWeight = spec.weight;
    font.lfItalic = spec.italic ? TRUE : FALSE;
    font.lfUnderline = spec.underline ? TRUE : FALSE;
    return CreateFontIndirectA(&font);
}

ResourceBytes resourceBytes(HMODULE module, int number, const char* type) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(number), type);
    if (!info) return {false, nullptr, 0};
    HGLOBAL handle = LoadResource(module, info);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes) return {true, nullptr, 0};
    return {true, static_cast<const uint8_t*>(bytes), SizeofResource(module, info)};
}
