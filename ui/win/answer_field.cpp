// Answer fields: a system edit control that evaluates on leaving and Enter, selects all on entry,
// scrolls the grid on Tab and the page keys, fills unsolved fields on F1 and saves on F2.
#include "ui/win/answer_field.h"

#include "core/ids.h"
#include "core/win/controls.h"
#include "evaluation/answer_slots.h"
#include "evaluation/win/evaluate.h"
#include "quizdata/win/quiz.h"
#include "ui/answer_keys.h"
#include "ui/saved_answers.h"
#include "ui/win/grid.h"
#include "ui/win/player.h"
#include "ui/win/saved_answers_file.h"

namespace {

constexpr int kSelectAllEnd = 260;

// The system edit procedure, the same for every answer field.
WNDPROC gEditProc = nullptr;

LRESULT passOn(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!gEditProc) return DefWindowProcW(field, message, wParam, lParam);
    return CallWindowProcW(gEditProc, field, message, wParam, lParam);
}

// Inside an open batch (the grid's build, the F1 fill) the score waits for its end.
void evaluateField(HWND field) {
    Quiz* quiz = currentQuiz();
    Player* player = playerOfField(field);
    if (quiz)
        evaluateAnswer(quiz, GetParent(field), GetDlgCtrlID(field),
                       player ? &player->evaluation : nullptr);
}

void sendGridRequest(HWND grid, int request) {
    SendMessageA(grid, WM_VSCROLL, MAKEWPARAM(request, 0), 0);
}

void bringIntoView(HWND field) {
    Quiz* quiz = currentQuiz();
    HWND grid = GetParent(field);
    if (!quiz || !grid) return;
    RECT fieldRect;
    RECT gridRect;
    GetWindowRect(field, &fieldRect);
    GetWindowRect(grid, &gridRect);
    const int fields = answerFieldCount(quiz->kind, quiz->questionCount, quiz->answersPerQuestion);
    const TabScroll scroll =
        tabScroll(GetDlgCtrlID(field), fields, {fieldRect.top, fieldRect.bottom},
                  {gridRect.top, gridRect.bottom});
    if (scroll.request == kScrollToTarget) setScrollTarget(scroll.target);
    if (scroll.request != 0) sendGridRequest(grid, scroll.request);
}

// F2 saves as "Sauver" does; a field outside a player's grid saves where the places are found.
void saveAnswers(HWND field) {
    Player* player = playerOfField(field);
    saveAnswersOrTell(GetParent(field), player ? &player->answers : nullptr,
                      player ? player->hooks : kDefaultPlayerHooks);
}

// Returns true when the key is consumed (Enter), false when it goes on to the edit control.
bool handleKey(HWND field, unsigned key) {
    switch (fieldKeyAction(key)) {
    case KeyBringIntoView: bringIntoView(field); return false;
    case KeyEvaluate: evaluateField(field); return true;
    case KeyFillUnsolved: fillUnsolvedFields(field); return false;
    case KeySaveAnswers: saveAnswers(field); return false;
    case KeyPageUp: sendGridRequest(GetParent(field), kRequestPageUp); return false;
    case KeyPageDown: sendGridRequest(GetParent(field), kRequestPageDown); return false;
    case KeyPassOn: return false;
    }
    return false;
}

LRESULT onSetFocus(HWND field, WPARAM wParam, LPARAM lParam) {
    SendMessageA(field, EM_SETSEL, 0, kSelectAllEnd);
    return passOn(field, WM_SETFOCUS, wParam, lParam);
}

LRESULT onKillFocus(HWND field, WPARAM wParam, LPARAM lParam) {
    evaluateField(field);
    return passOn(field, WM_KILLFOCUS, wParam, lParam);
}

LRESULT onKey(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handleKey(field, static_cast<unsigned>(wParam))) return 1;
    return passOn(field, message, wParam, lParam);
}

LRESULT onChar(HWND field, WPARAM wParam, LPARAM lParam) {
    if (isSwallowedChar(static_cast<unsigned>(wParam))) return 0;
    return passOn(field, WM_CHAR, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK answerFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS: return onSetFocus(field, wParam, lParam);
    case WM_KILLFOCUS: return onKillFocus(field, wParam, lParam);
    case WM_KEYUP:
    case WM_SYSKEYDOWN: return onKey(field, message, wParam, lParam);
    case WM_CHAR: return onChar(field, wParam, lParam);
    default: return passOn(field, message, wParam, lParam);
    }
}

void installAnswerFieldProc(HWND field) {
    if (!field) return;
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answerFieldProc)));
    // A second install on the same field must not make the procedure forward to itself.
    if (previous && previous != answerFieldProc) gEditProc = previous;
}

HWND answerFieldAt(HWND grid, int id) {
    HWND control = GetDlgItem(grid, id);
    char className[8] = "";
    if (!control || !GetClassNameA(control, className, sizeof className)) return nullptr;
    return lstrcmpiA(className, "Edit") == 0 ? control : nullptr;
}

void fillUnsolvedFields(HWND field) {
    Quiz* quiz = currentQuiz();
    HWND grid = GetParent(field);
    if (!quiz || !grid) return;
    char text[kTextCapacity] = "";
    readText(field, text, kTextCapacity);
    // Every field a saved line belongs to; a slot without its field is skipped.
    const int fields = savedLineCount(quiz->kind, quiz->questionCount, quiz->answersPerQuestion);
    // Each move of the focus evaluates the field left; the score is counted once, at the end.
    // Outside a player's grid each evaluation counts it, and this batch stays empty.
    Player* player = playerOfField(field);
    EvaluationBatch alone;
    EvaluationBatch& batch = player ? player->evaluation : alone;
    beginEvaluationBatch(batch);
    for (int k = 1; k <= fields; ++k) {
        HWND target = answerFieldAt(grid, kAnswerFieldBase + k);
        if (!target) continue;
        char verdict[kTextCapacity] = "";
        readText(GetDlgItem(grid, kVerdictLabelBase + k), verdict, kTextCapacity);
        if (isSolvedVerdict(verdict)) continue;
        setText(target, text);
        SetFocus(target);
    }
    SetFocus(field);
    endEvaluationBatch(batch, quiz, grid);
}
