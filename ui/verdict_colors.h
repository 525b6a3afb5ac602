// How the grid paints its static controls: labels on the quiz background, verdict labels by
// the verdict they show, prompt labels on light yellow.
#pragma once

#include <cstdint>

// Windows COLORREF values (0x00BBGGRR).
constexpr std::uint32_t kColourRed = 0x000000FF;
constexpr std::uint32_t kColourGreen = 0x0000FF00;
constexpr std::uint32_t kColourLightYellow = 0x00C0FFFF;
constexpr std::uint32_t kColourBlack = 0x00000000;
constexpr std::uint32_t kColourWhite = 0x00FFFFFF;

// Above this, a background component counts as light (dark text on it).
constexpr int kLightComponent = 59;

enum class StaticRole {
    OnBackground,  // number, caption and explanation labels
    Verdict,       // verdict labels: painted by their text
    Prompt,        // prompt labels of a text quiz
    Other,         // anything else keeps the system's colours
};

// Which of the Quiz brushes the colour handler returns; None leaves it to the dialog manager.
enum class StaticBrush { None, Background, Wrong, Right, Anagram, Hint, Note };

struct StaticPaint {
    StaticBrush brush;
    bool transparent;  // background mode TRANSPARENT
    bool setTextColour;
    std::uint32_t textColour;
    bool setBackColour;
    std::uint32_t backColour;
};

// fieldCount = questionCount x answersPerQuestion.
StaticRole staticRole(int id, long long fieldCount);

// verdictText is read for StaticRole::Verdict only (null counts as empty).
StaticPaint staticPaint(StaticRole role, const char* verdictText, int bgRed, int bgGreen);
