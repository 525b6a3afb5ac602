#include "core/win/controls.h"

#include "core/win/image_bounds.h"

HWND createChild(HWND parent, const ChildControl& child, HFONT font, bool redraw) {
    HWND control = CreateWindowExA(0, child.className, child.text, child.style, child.x, child.y,
                                   child.width, child.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (control && font)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
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
