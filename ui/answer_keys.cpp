#include "ui/answer_keys.h"

#include "core/ids.h"

namespace {

constexpr unsigned kKeyTab = 9;
constexpr unsigned kKeyReturn = 13;
constexpr unsigned kKeyPageUp = 33;
constexpr unsigned kKeyPageDown = 34;
constexpr unsigned kKeyUp = 38;
constexpr unsigned kKeyDown = 40;
constexpr unsigned kKeyF1 = 112;
constexpr unsigned kKeyF2 = 113;

}  // namespace

FieldKeyAction fieldKeyAction(unsigned virtualKey) {
    switch (virtualKey) {
    case kKeyTab: return KeyBringIntoView;
    case kKeyReturn: return KeyEvaluate;
    case kKeyF1: return KeyFillUnsolved;
    case kKeyF2: return KeySaveAnswers;
    case kKeyPageUp:
    case kKeyUp: return KeyPageUp;
    case kKeyPageDown:
    case kKeyDown: return KeyPageDown;
    default: return KeyPassOn;
    }
}

bool isSwallowedChar(unsigned character) { return character == kKeyReturn || character == kKeyTab; }

TabScroll tabScroll(int fieldId, int fieldCount, ScreenSpan field, ScreenSpan grid) {
    const int k = fieldId - kAnswerFieldBase;
    if (fieldCount > 0 && k == 1) return {kRequestTop, 0};
    if (fieldCount > 0 && k == fieldCount) return {kRequestBottom, 0};
    if (field.bottom > grid.bottom || field.top < grid.top)
        return {kScrollToTarget, field.top - kTabTargetLift};
    return {0, 0};
}
