// The few Win32 steps every layer repeats: a child control with its id and font, a window's text,
// a font from a description, and the bytes of a resource of the module.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct ChildControl {
    const char* className;
    const char* text;
    DWORD style;
    int x, y, width, height;
    int id;
};

// Texts stay Windows-1252 inside the player and cross into Windows as UTF-16 (the W functions),
// so they show, and read back, the same whatever the system's ANSI code page.
std::wstring wideText(const char* cp1252);  // null gives ""
void setText(HWND window, const char* cp1252);
// The window's text in out (at most capacity - 1 bytes and a NUL); what Windows-1252 cannot hold
// becomes '?', as an ANSI edit control gives it. Returns the bytes written; "" without a window.
int readText(HWND window, char* out, int capacity);

// The control, created in the executable's instance (class name and text as UTF-16); font (when not
// null) is sent with WM_SETFONT and the given redraw flag. Null when creation fails.
HWND createChild(HWND parent, const ChildControl& child, HFONT font = nullptr, bool redraw = true);

// The system's dialog font (DEFAULT_GUI_FONT); shared, never deleted.
HFONT guiFont();

struct FontLook {
    LONG height;
    LONG weight;
    bool italic;
    bool underline;
};
// Every other LOGFONT field zero: the default face and character set. Caller owns it.
HFONT createFont(const FontLook& look);

struct ResourceBytes {
    bool found;            // the module holds the resource
    const uint8_t* bytes;  // null when it could not be loaded
    DWORD size;            // 0 when bytes is null
    bool damaged;          // its entry points outside the module: bytes is null, nothing is read
};
// number must be a resource number (1 .. 0xFFFF); a null module is the executable. The data is
// checked to lie inside the loaded module before anyone reads it.
ResourceBytes resourceBytes(HMODULE module, int number, const char* type);
