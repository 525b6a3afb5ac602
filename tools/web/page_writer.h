// The one HTML file `velto web` writes: the quiz's packed resources and media, the WebAssembly
// core, the page's style and script, behind a Content-Security-Policy that allows no network.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/quizfile/quiz_file.h"

struct PageSource {
    std::string name;  // the quiz's file name without extension (UTF-8): part of the storage key
    std::string link;  // the maker's address (UTF-8), or empty
};

std::string pageHtml(const QuizFile& quiz, const PackedQuiz& packed, const PageSource& source);

// "velto:NAME:HASH": answers of different quizzes, or of two versions of one, never mix.
std::string storageKey(const std::string& name, const PackedQuiz& packed);

// Pieces of the page, for its tests.
std::string base64(const uint8_t* bytes, std::size_t size);
// A JSON string literal holding only ASCII: '<', '>', '&' and every non-ASCII character escaped,
// so that it can stand inside a <script> element. Invalid UTF-8 becomes U+FFFD.
std::string jsonString(const std::string& utf8);
// Text for an HTML element: &, <, >, " and ' as character references.
std::string htmlText(const std::string& utf8);
// "video/webm", "video/mp4", or "" when the bytes are neither.
const char* webVideoType(const std::vector<uint8_t>& bytes);
