// What the keys of an answer field do, and where Tab scrolls the grid.
// Pure functions over key codes and screen spans; ui/win/answer_field applies them.
#pragma once

// What a key released (or pressed with Alt) in an answer field does.
enum FieldKeyAction {
    KeyPassOn,
    KeyBringIntoView,  // Tab
    KeyEvaluate,       // Enter: not passed on
    KeyFillUnsolved,   // F1
    KeySaveAnswers,    // F2
    KeyPageUp,         // Page Up, Up: the grid pages up
    KeyPageDown,       // Page Down, Down
};
FieldKeyAction fieldKeyAction(unsigned virtualKey);
// Characters an answer field never receives (Enter and Tab typed as characters).
bool isSwallowedChar(unsigned character);

// Scroll requests of the grid's WM_VSCROLL, as numbers (same values as the scroll-bar codes).
constexpr int kRequestPageUp = 2;
constexpr int kRequestPageDown = 3;
constexpr int kRequestTop = 6;
constexpr int kRequestBottom = 7;
constexpr int kTabTargetLift = 360;  // the target leaves this many pixels above the field

struct ScreenSpan {
    int top;
    int bottom;
};

struct TabScroll {
    int request;  // 0: none; kRequestTop, kRequestBottom or kScrollToTarget
    int target;   // `curs` for kScrollToTarget
};

// Tab entered field fieldId: the first field shows the grid's top, the last its bottom,
// another one is scrolled to when it reaches out of the grid window (screen coordinates).
TabScroll tabScroll(int fieldId, int fieldCount, ScreenSpan field, ScreenSpan grid);
