#include "ui/verdict_colors.h"

#include <gtest/gtest.h>

#include <tuple>

#include "evaluation/verdicts.h"

namespace {

TEST(StaticRoles, IdentifierRangesFollowTheFieldCount) {
    struct Case {
        int id;
        long long fields;
        StaticRole role;
    } cases[] = {
        {153, 4, StaticRole::OnBackground},  {156, 4, StaticRole::OnBackground},
        {8001, 4, StaticRole::OnBackground}, {8004, 4, StaticRole::OnBackground},
        {8005, 4, StaticRole::Other},        {8000, 4, StaticRole::Other},
        {5001, 4, StaticRole::Verdict},      {5004, 4, StaticRole::Verdict},
        {5005, 4, StaticRole::Other},        {5000, 4, StaticRole::Other},
        {3000, 4, StaticRole::Prompt},       {3000, 0, StaticRole::Prompt},
        {5001, 0, StaticRole::Other},        {8001, 0, StaticRole::Other},
        {153, 0, StaticRole::OnBackground},  {9900, 4, StaticRole::Other},
        {9901, 4, StaticRole::Other},        {4001, 4, StaticRole::Other},
        {5192, 192, StaticRole::Verdict},    {0, 4, StaticRole::Other},
        {-1, 4, StaticRole::Other},
    };
    for (const Case& c : cases)
        EXPECT_EQ(staticRole(c.id, c.fields), c.role) << c.id << " with " << c.fields;
}

TEST(StaticPaints, VerdictLabelsByTheirText) {
    struct Case {
        const char* text;
        StaticBrush brush;
        bool setBack;
        std::uint32_t back;
    } cases[] = {
        {kVerdictAnagram, StaticBrush::Anagram, true, kColourRed},
        {kVerdictBravo, StaticBrush::Right, true, kColourGreen},
        {kVerdictWrong, StaticBrush::Wrong, true, kColourRed},
        {kVerdictAlmost, StaticBrush::Hint, true, kColourRed},
        {kVerdictNearly, StaticBrush::Hint, true, kColourRed},
        {kVerdictTooLong, StaticBrush::Hint, true, kColourRed},
        {kVerdictTooShort, StaticBrush::Hint, true, kColourRed},
        {kVerdictClose, StaticBrush::Hint, true, kColourRed},
        {kVerdictIdea, StaticBrush::Hint, true, kColourRed},
        {"bravo", StaticBrush::Hint, true, kColourRed},  // compared exactly
        {"", StaticBrush::Hint, true, kColourRed},
        {kVerdictEmpty, StaticBrush::None, false, 0},
    };
    for (const Case& c : cases) {
        StaticPaint p = staticPaint(StaticRole::Verdict, c.text, 90, 95);
        EXPECT_EQ(std::make_tuple(p.brush, p.setBackColour, p.backColour),
                  std::make_tuple(c.brush, c.setBack, c.back))
            << c.text;
        EXPECT_FALSE(p.transparent) << c.text;
        EXPECT_FALSE(p.setTextColour) << c.text;
    }
    EXPECT_EQ(kColourGreen, 0x0000FF00u);
    EXPECT_EQ(kColourRed, 0x000000FFu);
}

TEST(StaticPaints, LabelsOnTheBackgroundTakeTheirTextColourFromRedAndGreen) {
    struct Case {
        int red, green;
        std::uint32_t text;
    } cases[] = {
        {59, 59, kColourWhite}, {60, 0, kColourBlack},  {0, 60, kColourBlack},
        {0, 0, kColourWhite},   {90, 95, kColourBlack}, {255, 255, kColourBlack},
    };
    for (const Case& c : cases) {
        StaticPaint p = staticPaint(StaticRole::OnBackground, nullptr, c.red, c.green);
        EXPECT_EQ(p.brush, StaticBrush::Background);
        EXPECT_TRUE(p.transparent);
        EXPECT_TRUE(p.setTextColour);
        EXPECT_EQ(p.textColour, c.text) << c.red << "," << c.green;
        EXPECT_FALSE(p.setBackColour);
    }
}

TEST(StaticPaints, PromptsAndOtherStatics) {
    StaticPaint prompt = staticPaint(StaticRole::Prompt, nullptr, 0, 0);
    EXPECT_EQ(prompt.brush, StaticBrush::Note);
    EXPECT_TRUE(prompt.setBackColour);
    EXPECT_EQ(prompt.backColour, 0x00C0FFFFu);
    EXPECT_FALSE(prompt.transparent);
    StaticPaint other = staticPaint(StaticRole::Other, "BRAVO", 0, 0);
    EXPECT_EQ(other.brush, StaticBrush::None);
    EXPECT_FALSE(other.setBackColour || other.setTextColour || other.transparent);
    EXPECT_EQ(staticPaint(StaticRole::Verdict, nullptr, 0, 0).brush, StaticBrush::Hint);
}

}  // namespace
