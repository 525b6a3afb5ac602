// Judging a typed answer against the expected one: a verdict or a graded hint.
// Pure functions over Windows-1252 byte strings; nothing here touches a window.
#pragma once

#include <string>

// Returns one of the verdict constants of evaluation/verdicts.h (static storage).
// A null pointer counts as an empty text.
const char* judgeAnswer(const char* expected, const char* typed);

// Without its leading and trailing spaces (0x20 only).
std::string trimSpaces(const std::string& text);
// Bytes a..z replaced by A..Z; every other byte, accented letters included, unchanged.
std::string upperAscii(const std::string& text);
// Levenshtein distance over bytes (insertion, deletion, substitution each cost 1).
int editDistance(const std::string& a, const std::string& b);
// The same bytes in ascending order, compared as signed 8-bit values.
std::string sortLetters(const std::string& text);
// 2 when typed contains expected, -2 when expected contains typed, 0 when neither,
// +1 / -1 when the shorter text is empty. Its scan never backs up after a failed partial
// match, so AAB is not found in AAABXYZ; verdicts depend on that.
int containmentTest(const std::string& expected, const std::string& typed);
