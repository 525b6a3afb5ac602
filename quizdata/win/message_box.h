// Owner-less OK message boxes, replaceable so that tests can read them without a person.
#pragma once

using MessageBoxHook = void (*)(const char* text, const char* title);

void showMessage(const char* text, const char* title);
// Replaces MessageBoxA for every later showMessage; null restores it. Returns the previous hook.
MessageBoxHook setMessageBoxHook(MessageBoxHook hook);

// A question with its buttons and icon (MB_ flags); returns the button pressed (IDRETRY...).
using MessageChoiceHook = int (*)(const char* text, const char* title, unsigned style);
int askMessage(const char* text, const char* title, unsigned style);
MessageChoiceHook setMessageChoiceHook(MessageChoiceHook hook);
