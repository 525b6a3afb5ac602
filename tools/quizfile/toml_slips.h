// Slips of a quiz maker who is no programmer, found in the quiz file's own lines before the TOML
// parser sees them: each is told in their words, with the line rewritten as it should be.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TomlSlip {
    int line;             // 1-based
    std::string message;  // French, ends with the fix
};

// Typographic quotes used as quotes, an apostrophe ending a '...' text early, a missing opening
// quote, a text without quotes, a backslash in a file name or an unknown backslash escape, a
// French key with accents, [questions] for [[questions]], a missing ']'. Lines inside
// multi-line texts are left alone; nothing is reported for a line TOML reads as meant.
std::vector<TomlSlip> findTomlSlips(std::string_view text);
