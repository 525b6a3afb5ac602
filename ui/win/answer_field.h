#pragma once

#include <windows.h>

LRESULT CALLBACK answerFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
// Subclasses an answer field with answerFieldProc (the system edit procedure is kept once for all).
void installAnswerFieldProc(HWND field);
void fillUnsolvedFields(HWND field);
// The grid's answer field with this identifier, or null when the control is missing or is not an
// answer field (with many answers per question, 4000 + n can name another control).
HWND answerFieldAt(HWND grid, int id);
