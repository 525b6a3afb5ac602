// The colour rule of the grid's static controls.
#include "ui/verdict_colors.h"

#include <cstring>

#include "core/ids.h"
#include "evaluation/verdicts.h"

namespace {

bool inRange(int id, int base, long long count) { return id > base && id - base <= count; }

StaticPaint filled(StaticBrush brush, std::uint32_t backColour) {
    return StaticPaint{brush, false, false, 0, true, backColour};
}

StaticPaint verdictPaint(const char* text) {
    if (!text) text = "";
    if (std::strcmp(text, kVerdictAnagram) == 0) return filled(StaticBrush::Anagram, kColourRed);
    if (std::strcmp(text, kVerdictBravo) == 0) return filled(StaticBrush::Right, kColourGreen);
    if (std::strcmp(text, kVerdictWrong) == 0) return filled(StaticBrush::Wrong, kColourRed);
    if (std::strcmp(text, kVerdictEmpty) != 0) return filled(StaticBrush::Hint, kColourRed);
    return StaticPaint{StaticBrush::None, false, false, 0, false, 0};
}

}  // namespace

StaticRole staticRole(int id, long long fieldCount) {
    if (id == kNumberLabelId || id == kCaptionLabelId) return StaticRole::OnBackground;
    if (inRange(id, kExplanationLabelBase, fieldCount)) return StaticRole::OnBackground;
    if (inRange(id, kVerdictLabelBase, fieldCount)) return StaticRole::Verdict;
    if (id == kPromptLabelId) return StaticRole::Prompt;
    return StaticRole::Other;
}

StaticPaint staticPaint(StaticRole role, const char* verdictText, int bgRed, int bgGreen) {
    switch (role) {
    case StaticRole::OnBackground: {
        const bool light = bgRed > kLightComponent || bgGreen > kLightComponent;
        return StaticPaint{
            StaticBrush::Background, true, true, light ? kColourBlack : kColourWhite, false, 0};
    }
    case StaticRole::Verdict: return verdictPaint(verdictText);
    case StaticRole::Prompt: return filled(StaticBrush::Note, kColourLightYellow);
    case StaticRole::Other:
    default: return StaticPaint{StaticBrush::None, false, false, 0, false, 0};
    }
}
