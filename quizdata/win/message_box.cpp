// Owner-less message boxes with one OK button; tests replace them with a recorder.
#include "quizdata/win/message_box.h"

#include <windows.h>

namespace {
MessageBoxHook gHook = nullptr;
}

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
