// PLACEHOLDER: replaced by the real implementation.
#include "ui/win/answer_field.h"
LRESULT CALLBACK answerFieldProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
void installAnswerFieldProc(HWND) {}
void fillUnsolvedFields(HWND) {}
