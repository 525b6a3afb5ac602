// "Did you mean" for misspelt keys and values.
#pragma once

#include <string>
#include <vector>

// The known word closest to `word` (case ignored, a swap of two neighbours counting as one
// edit), or "" when none is close enough to be a likely slip of the keyboard.
std::string nearestWord(const std::string& word, const std::vector<std::string>& known);
