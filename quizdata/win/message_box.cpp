// Owner-less message boxes with one OK button; tests replace them with a recorder.
#include "quizdata/win/message_box.h"

#include "quizdata/win/controls.h"

namespace {
MessageBoxHook gHook = nullptr;
}

void showMessage(const char* text, const char* title) {
    if (gHook) {
        gHook(text, title);
        return;
    }
    MessageBoxW(nullptr, wideText(text).c_str(), wideText(title).c_str(), MB_OK);
}

MessageBoxHook setMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook previous = gHook;
    gHook = hook;
    return previous;
}
