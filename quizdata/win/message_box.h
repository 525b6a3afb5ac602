// Owner-less OK message boxes, replaceable so that tests can read them without a person.
#pragma once

using MessageBoxHook = void (*)(const char* text, const char* title);

void showMessage(const char* text, const char* title);
// Replaces the message box for every later showMessage; null restores it. Returns the previous
// hook.
MessageBoxHook setMessageBoxHook(MessageBoxHook hook);
