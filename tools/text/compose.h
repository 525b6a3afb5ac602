// Decomposed Latin letters ("e" + combining acute, as some editors save them) composed back.
#pragma once

#include <string>

// `utf8` with every base letter followed by a combining mark replaced by the one composed
// letter, for the letters Windows-1252 holds (é, Ç, ñ, Š, Ÿ...). Everything else, including
// bytes that are not UTF-8, is copied unchanged.
std::string composeLatin(const std::string& utf8);
