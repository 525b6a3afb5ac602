// The French words a quiz maker writes where the quiz file wants its English ones.
#pragma once

#include <string>
#include <vector>

// `word` folded for comparison: ASCII lower case, the accents of French letters dropped, spaces
// and '-' as '_' ("Réponse" and "reponse" are both "reponse").
std::string foldFrench(const std::string& utf8);

// The key among `known` that a French key means ("titre" -> "title", "réponse" -> "answer"), or
// "" when `word` is no French key we know or its meaning is not among `known`.
std::string frenchKey(const std::string& word, const std::vector<std::string>& known);

// The value among `known` that a French value of kind or reveal means ("image" -> "picture",
// "vidéo" -> "video", "explication" -> "explanation"), or "".
std::string frenchValue(const std::string& word, const std::vector<std::string>& known);
