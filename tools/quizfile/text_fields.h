// Turning the UTF-8 texts of a quiz file into the Windows-1252 texts the player stores.
#pragma once

#include <string>

#include "tools/quizfile/diagnostics.h"

enum class TextUse {
    Token,  // a text of the definition: '|' is its separator
    Typed,  // a Token that is typed or always shown (answers, title): no control characters
    Code,   // a reward code: one line of the codes block
};

// Converts `utf8`, its decomposed letters composed, into `out`. Each problem (a character
// outside Windows-1252, a line break, a zero character, another control character in a typed
// text, '|' in a token, more than 259 characters) is an error at `line` that
// names the text as `what` ("title", "question 3: answer"). Returns false on any error.
bool convertQuizText(const std::string& utf8, TextUse use, const std::string& what, int line,
                     Diagnostics& diags, std::string& out);
