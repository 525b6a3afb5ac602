// Quiz files are handed to the TOML parser as plain ASCII.
#pragma once

#include <string>
#include <string_view>

// The TOML parser we use (toml++ 3.3) classifies a character beyond ASCII met outside a string
// with a table that has holes (U+00A1..U+0499 among others) and then runs into undefined
// behaviour; a malformed quiz file could reach it. So the parser only ever sees ASCII: this
// rewrites `text` into `out` with the same meaning and the same lines. Characters beyond ASCII
// in double-quoted strings become \u escapes, single-quoted strings become double-quoted ones,
// in comments they become '?'. A leading byte order mark is dropped. Returns false, with the
// 1-based line and a message, for bytes that are not UTF-8, a character beyond ASCII outside
// strings and comments (never valid TOML) and a backslash before one.
bool asciiTomlText(std::string_view text, std::string& out, int& line, std::string& message);
