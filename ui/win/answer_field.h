#pragma once

#include <windows.h>

LRESULT CALLBACK answerFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
// Subclasses an answer field with answerFieldProc (the system edit procedure is kept once for all).
void installAnswerFieldProc(HWND field);
void fillUnsolvedFields(HWND field);
