// The width measure against texts whose rendered width under Wine is known (font_probe's
// samples, GetTextExtentPoint32W of the whole text), and what the player's boxes keep of them.
#include <gtest/gtest.h>

#include "tools/fonts/text_measure.h"

namespace {

TEST(TextMeasureTest, WidthsAsWineRendersThem) {
    const struct {
        PlayerFont font;
        const char* text;  // Windows-1252
        int wine;
    } cases[] = {
        {PlayerFont::Gui, "NAPOLEON", 62},
        {PlayerFont::Gui, "Trouvez la capitale de chaque pays.", 206},
        {PlayerFont::Gui, "\xC9t\xE9 \xE0 Paris", 61},
        {PlayerFont::Title, "Capitales d'Europe", 158},
        {PlayerFont::Title, "CODE-SECRET-2024", 162},
        {PlayerFont::Score, "Trouvez la capitale de chaque pays.", 381},
        {PlayerFont::Answer, "\xC9t\xE9 \xE0 Paris", 69},
        {PlayerFont::Link, "www.exemple.fr/quiz", 139},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(textWidth(c.font, c.text), c.wine, 2);
    }
}

TEST(TextMeasureTest, WhatTheBoxesKeep) {
    // The 53-pixel code box of the header shows "NAPOLE" of "NAPOLEON" and "CODE-SE" of
    // "CODE-SECRET-2024", as read on the player under Wine.
    EXPECT_EQ(fitInEdit(PlayerFont::Gui, "NAPOLEON", 53).shown, "NAPOLE");
    EXPECT_EQ(fitInEdit(PlayerFont::Gui, "CODE-SECRET-2024", 53).shown, "CODE-SE");
    EXPECT_TRUE(fitInEdit(PlayerFont::Gui, "EUR1", 53).fits);
    // Words wrap whole, as DrawText's word break does under Wine (font_probe's "wrap" lines: 2
    // lines at 120 pixels, 3 at 80, a long word alone on its line at 60); a 13-pixel line height
    // gives a 28-pixel label two lines.
    EXPECT_EQ(wrapLines(PlayerFont::Gui, "Anticonstitutionnellement dit", 60).size(), 2u);
    const BoxFit two = fitInLabel(PlayerFont::Gui, "Trouvez la capitale de chaque pays.", 120, 28);
    EXPECT_TRUE(two.fits);
    EXPECT_EQ(two.lines, 2);
    const BoxFit three = fitInLabel(PlayerFont::Gui, "Trouvez la capitale de chaque pays.", 80, 28);
    EXPECT_FALSE(three.fits);
    EXPECT_EQ(three.shown, "Trouvez la capitale de");
    EXPECT_FALSE(fitInLabel(PlayerFont::Gui, "Anticonstitutionnellement", 60, 65).fits);
}

}  // namespace
