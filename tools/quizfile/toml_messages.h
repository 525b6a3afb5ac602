// The TOML parser's syntax errors, told in French.
#pragma once

#include <string>
#include <string_view>

// `description` is the parser's English message ("Error while parsing boolean: expected
// 'true', saw 'te'"); the result keeps what was expected and found, and the column: "syntaxe
// TOML : dans une valeur true ou false : on attendait 'true', on trouve 'te' (colonne 6)".
// A message the table does not know gives a French sentence with the column alone.
std::string frenchTomlError(std::string_view description, int column);
