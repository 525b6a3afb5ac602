// How much of a text the player shows in a box of fixed size, measured with the advance widths
// of its fonts (tools/fonts/font_tables.h).
#pragma once

#include <string>
#include <vector>

#include "tools/fonts/font_tables.h"

// Width in pixels of a Windows-1252 text in one line (control characters count as nothing).
int textWidth(PlayerFont font, const std::string& cp1252);

// The lines a static control `width` pixels wide breaks the text into: at spaces, each line as
// many words as fit; a word wider than the box stands alone on its line (and is cut there).
std::vector<std::string> wrapLines(PlayerFont font, const std::string& cp1252, int width);

struct BoxFit {
    bool fits = true;
    std::string shown;  // what shows: whole lines, or for a one-line box the characters that fit
    int lines = 0;      // lines the text needs; always 1 for a one-line box
};

// A static label of width x height: lines beyond the height are cut, and so is a line wider
// than the box.
BoxFit fitInLabel(PlayerFont font, const std::string& cp1252, int width, int height);

// A one-line edit box (the code box): fits when the text does between its margins; shown are the
// characters that show at least half of their width.
BoxFit fitInEdit(PlayerFont font, const std::string& cp1252, int width);
