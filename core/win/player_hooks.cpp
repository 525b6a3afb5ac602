// The default contacts: the real message box, shell and message queue; no media trace.
#include "core/win/player_hooks.h"

#include <shellapi.h>

#include <cstdio>

#include "core/win/controls.h"

namespace {

constexpr size_t kTraceLineCapacity = 600;  // a step and a clip file name

void messageBox(const char* text, const char* title) {
    MessageBoxW(nullptr, wideText(text).c_str(), wideText(title).c_str(), MB_OK);
}

int messageChoice(const char* text, const char* title, unsigned style) {
    return MessageBoxW(nullptr, wideText(text).c_str(), wideText(title).c_str(), style);
}

void shellOpen(const char* address) {
    ShellExecuteW(nullptr, L"open", wideText(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

const PlayerHooks kDefaultPlayerHooks = {messageBox, shellOpen, nullptr, GetMessageW,
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
