// The ten verdict texts a verdict label can show. They are compared by exact equality
// (score, reveals, F1 fill, colours), so every reader takes them from here.
// Windows-1252 bytes whatever the compiler's execution charset: the é is spelled as a byte.
#pragma once

inline constexpr char kVerdictBravo[] = "BRAVO";
inline constexpr char kVerdictAnagram[] = "Anagramme";
inline constexpr char kVerdictAlmost[] = "Quasiment";
inline constexpr char kVerdictNearly[] = "Presque";
inline constexpr char kVerdictTooLong[] = "Trop long";
inline constexpr char kVerdictTooShort[] = "Trop court";
inline constexpr char kVerdictClose[] = "pas loin";
inline constexpr char kVerdictIdea[] =
    "y a de l'id\xE9"
    "e";
inline constexpr char kVerdictWrong[] = "FAUX";
inline constexpr char kVerdictEmpty[] = "?";

// Room for reading a verdict label back: more than the longest verdict.
inline constexpr int kVerdictReadLimit = 255;
