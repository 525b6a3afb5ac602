// Reading single values out of the parsed quiz file, with their line numbers.
#pragma once

#include <iterator>
#include <string>
#include <vector>

#include "tools/quizfile/toml_include.h"

#include "tools/quizfile/diagnostics.h"
#include "tools/quizfile/quiz_file.h"
#include "tools/quizfile/text_fields.h"

enum class Field { Absent, Bad, Ok };

template <size_t N>
std::vector<std::string> wordList(const char* const (&words)[N]) {
    return std::vector<std::string>(std::begin(words), std::end(words));
}

int lineOf(const toml::node& node);
int lineOf(const toml::key& key);

// "un nombre entier", "une liste", ... for messages such as
// "title doit être un texte entre guillemets, pas une liste".
std::string describeType(const toml::node& node);

// Reports every key of `table` outside `known`, suggesting the nearest known key. A key from
// `elsewhere` (the other level of the file) gets `elsewhereHint` instead.
void checkKeys(const toml::table& table, const std::vector<std::string>& known,
               const std::vector<std::string>& elsewhere, const std::string& elsewhereHint,
               Diagnostics& diags);

// A text of the quiz converted to Windows-1252. `what` names it in messages.
Field textOf(const toml::node& node, TextUse use, const std::string& what, Diagnostics& diags,
             std::string& out);
Field readText(const toml::table& table, const char* key, TextUse use, const std::string& what,
               Diagnostics& diags, std::string& out);

// A list of exactly two texts (captions, two answers).
Field readTextPair(const toml::table& table, const char* key, const std::string& what,
                   Diagnostics& diags, std::string& first, std::string& second,
                   TextUse use = TextUse::Token);

// A file name, kept in UTF-8 as written.
Field readPath(const toml::table& table, const char* key, const std::string& what,
               Diagnostics& diags, MediaRef& out);
