// PLACEHOLDER: replaced by the real implementation.
#include "quizdata/win/message_box.h"
void showMessage(const char*, const char*) {}
MessageBoxHook setMessageBoxHook(MessageBoxHook) { return nullptr; }
