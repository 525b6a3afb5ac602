#include "ui/header_layout.h"

#include "core/ids.h"

namespace {

constexpr int kRightBlockFromRight = 134;  // link and "Par :"
constexpr int kAuthorFromRight = 107;
constexpr int kSaveFromRight = 204;
constexpr int kRuleFromRight = 145;
constexpr int kDescriptionLeft = 110;
constexpr int kDescriptionWidthLoss = 324;

}  // namespace

std::array<HeaderMove, kHeaderMoveCount> headerLayout(int panelWidth) {
    const int w = panelWidth;
    int descriptionWidth = w - kDescriptionWidthLoss;
    if (descriptionWidth < 0) descriptionWidth = 0;
    return {{
        {kLinkId, {w - kRightBlockFromRight, 0, 115, 18}, true},
        {kByLabelId, {w - kRightBlockFromRight, 25, 26, 18}, true},
        {kAuthorLabelId, {w - kAuthorFromRight, 25, 105, 18}, true},
        {kSaveButtonId, {w - kSaveFromRight, 25, 55, 18}, true},
        {kDescriptionLabelId, {kDescriptionLeft, 19, descriptionWidth, 28}, true},
        {kRuleRightId, {w - kRuleFromRight, 0, 1, 50}, true},
    }};
}

int linkFontHeight(int linkClientHeight) { return -(3 * linkClientHeight / 4); }
