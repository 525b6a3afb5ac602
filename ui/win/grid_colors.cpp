// Colours of the grid: its background and its static controls (verdict labels by their verdict).
#include "core/win/controls.h"
#include "quizdata/win/quiz.h"
#include "ui/verdict_colors.h"
#include "ui/win/grid_handlers.h"

namespace {

HBRUSH quizBrush(const Quiz* quiz, StaticBrush brush) {
    switch (brush) {
    case StaticBrush::Background: return quiz->bgBrush;
    case StaticBrush::Wrong: return quiz->wrongBrush;
    case StaticBrush::Right: return quiz->rightBrush;
    case StaticBrush::Anagram: return quiz->anagramBrush;
    case StaticBrush::Hint: return quiz->hintBrush;
    case StaticBrush::Note: return quiz->noteBrush;
    case StaticBrush::None:
    default: return nullptr;
    }
}

}  // namespace

INT_PTR onGridCtlColorDlg() {
    const Quiz* quiz = currentQuiz();
    return quiz ? reinterpret_cast<INT_PTR>(quiz->bgBrush) : FALSE;
}

INT_PTR onGridCtlColorStatic(HWND grid, HDC dc, HWND control) {
    const Quiz* quiz = currentQuiz();
    if (!quiz) return FALSE;
    const int id = GetDlgCtrlID(control);
    const StaticRole role =
        staticRole(id, static_cast<long long>(quiz->questionCount) * quiz->answersPerQuestion);
    char text[kTextCapacity] = "";
    if (role == StaticRole::Verdict) readText(GetDlgItem(grid, id), text, sizeof text);
    const StaticPaint paint = staticPaint(role, text, quiz->bgRed, quiz->bgGreen);
    if (paint.transparent) SetBkMode(dc, TRANSPARENT);
    if (paint.setTextColour) SetTextColor(dc, paint.textColour);
    if (paint.setBackColour) SetBkColor(dc, paint.backColour);
    return reinterpret_cast<INT_PTR>(quizBrush(quiz, paint.brush));
}
