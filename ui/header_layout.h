// The header panel's right block and description follow the panel's width.
#pragma once

#include <array>

#include "ui/main_layout.h"

struct HeaderMove {
    int id;         // control identifier (ui/control_ids.h)
    WindowBox box;  // new place in the panel's client area
    bool repaint;   // invalidated (without erasing) after the move
};

constexpr int kHeaderMoveCount = 6;

// Where WM_SIZE puts the link, "Par :", the author, "Sauver", the description and the right rule
// for a panel whose client area is panelWidth wide. Below 324 pixels the description's width,
// which would be zero or negative, is held at 0; the other controls simply slide left.
std::array<HeaderMove, kHeaderMoveCount> headerLayout(int panelWidth);

// Character height of the link's underlined font: -(3 * H / 4) for a link whose client area is
// H pixels high (the quarter truncated toward zero).
int linkFontHeight(int linkClientHeight);
