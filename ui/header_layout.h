// The header panel's right block and description follow the panel's width.
#pragma once

#include <array>

#include "core/ids.h"
#include "ui/main_layout.h"

struct HeaderMove {
    int id;         // control identifier (ui/control_ids.h)
    WindowBox box;  // new place in the panel's client area
    bool repaint;   // invalidated (without erasing) after the move
};

constexpr int kHeaderMoveCount = 6;

struct HeaderPlace {
    int id;
    WindowBox box;
};

// Where the panel creates its controls, in creation order (also the tab and z-order). The right
// block starts beyond the dialog's first width; WM_SIZE puts it against the right edge.
constexpr std::array<HeaderPlace, 12> kHeaderPlaces = {{
    {kLinkId, {736, 5, 115, 18}},
    {kByLabelId, {736, 25, 27, 18}},
    {kAuthorLabelId, {763, 25, 85, 18}},
    {kSaveButtonId, {666, 25, 55, 18}},
    {kDescriptionLabelId, {110, 19, 490, 27}},
    {kTitleLabelId, {110, 3, 220, 18}},
    {kCodeLabelId, {7, 29, 36, 15}},
    {kScoreLabelId, {10, 1, 80, 20}},
    {kCodeBoxId, {44, 29, 53, 16}},
    {kRuleLeftId, {0, 26, 100, 1}},
    {kRuleMiddleId, {100, 0, 1, 50}},
    {kRuleRightId, {730, 0, 1, 50}},
}};

// The creation place of control id; an empty box for an id the panel does not create.
constexpr WindowBox headerPlace(int id) {
    for (const HeaderPlace& place : kHeaderPlaces)
        if (place.id == id) return place.box;
    return {0, 0, 0, 0};
}

// Where WM_SIZE puts the link, "Par :", the author, "Sauver", the description and the right rule
// for a panel whose client area is panelWidth wide. Below 324 pixels the description's width,
// which would be zero or negative, is held at 0; the other controls simply slide left.
std::array<HeaderMove, kHeaderMoveCount> headerLayout(int panelWidth);

// Character height of the link's underlined font: -(3 * H / 4) for a link whose client area is
// H pixels high (the quarter truncated toward zero).
int linkFontHeight(int linkClientHeight);
