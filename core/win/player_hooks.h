// The player's few contacts with the world beyond its windows, gathered so that tests can stand in
// for them: message boxes, the shell, the media steps and the message queue.
#pragma once

#include <windows.h>

struct PlayerHooks {
    // An owner-less message box with one OK button.
    void (*showMessage)(const char* text, const char* title);
    // Opens a web address in the default browser.
    void (*openAddress)(const char* address);
    // Receives each media step as it happens ("stop", "put_URL velto5.mp3", ...); null: none.
    void (*traceMedia)(const char* step);
    // GetMessageW or a stand-in for it.
    BOOL(WINAPI* getMessage)(LPMSG message, HWND window, UINT first, UINT last);
    // An owner-less message box with the buttons and icon of style (MB_ flags); the button
    // pressed (IDOK, IDRETRY, IDCANCEL...).
    int (*askMessage)(const char* text, const char* title, unsigned style);
};

// MessageBoxW, ShellExecuteW "open", no tracing, GetMessageW, MessageBoxW (texts as UTF-16).
extern const PlayerHooks kDefaultPlayerHooks;

// "step" or "step detail" to hooks.traceMedia, when there is one; costs nothing otherwise.
void traceMedia(const PlayerHooks& hooks, const char* step, const char* detail = nullptr);
