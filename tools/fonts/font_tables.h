// Advance widths of the fonts the player draws its texts with, over Windows-1252 0x20..0xFF, as
// Wine renders them (tools/fonts/font_tables.cpp is written by scripts/make-font-tables).
#pragma once

enum class PlayerFont { Gui, Title, Score, Answer, Link };
constexpr int kPlayerFontCount = 5;

constexpr int kFirstTableChar = 0x20;
constexpr int kTableChars = 0x100 - kFirstTableChar;

struct FontTable {
    int lineHeight;  // tmHeight
    unsigned char widths[kTableChars];
};

extern const FontTable kFontTables[kPlayerFontCount];  // indexed by PlayerFont
// The main window's client area at the size the player opens it, and the code box's two margins.
extern const int kProbedMainClientWidth;
extern const int kProbedMainClientHeight;
extern const int kProbedEditMargins;
