// Owner-less message boxes; tests replace them with a recorder.
#include "quizdata/win/message_box.h"

#include <windows.h>

namespace {
MessageBoxHook gHook = nullptr;
MessageChoiceHook gChoiceHook = nullptr;
}  // namespace

void showMessage(const char* text, const char* title) {
    if (gHook) {
        gHook(text, title);
        return;
    }
    MessageBoxA(nullptr, text, title, MB_OK);
}

MessageBoxHook setMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook previous = gHook;
    gHook = hook;
    return previous;
}

int askMessage(const char* text, const char* title, unsigned style) {
    if (gChoiceHook) return gChoiceHook(text, title, style);
    return MessageBoxA(nullptr, text, title, style);
}

MessageChoiceHook setMessageChoiceHook(MessageChoiceHook hook) {
    MessageChoiceHook previous = gChoiceHook;
    gChoiceHook = hook;
    return previous;
}
