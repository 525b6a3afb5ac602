// The default contacts: the real message box, shell and message queue; no media trace.
#include "core/win/player_hooks.h"

#include <shellapi.h>

#include <cstdio>

namespace {

constexpr size_t kTraceLineCapacity = 600;  // a step and a clip file name

void messageBox(const char* text, const char* title) { MessageBoxA(nullptr, text, title, MB_OK); }

int messageChoice(const char* text, const char* title, unsigned style) {
    return MessageBoxA(nullptr, text, title, style);
}

void shellOpen(const char* address) {
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

const PlayerHooks kDefaultPlayerHooks = {messageBox, shellOpen, nullptr, GetMessageA,
                                         messageChoice};

void traceMedia(const PlayerHooks& hooks, const char* step, const char* detail) {
    if (!hooks.traceMedia) return;
    if (!detail) {
        hooks.traceMedia(step);
        return;
    }
    char line[kTraceLineCapacity];
    std::snprintf(line, sizeof line, "%s %s", step, detail);
    hooks.traceMedia(line);
}
