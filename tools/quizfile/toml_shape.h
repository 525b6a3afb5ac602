// Quiz files whose structure goes far beyond what a quiz needs never reach the TOML parser.
#pragma once

#include <string>
#include <string_view>

// The parser recurses on dotted keys and on nested lists and inline tables: tens of thousands
// of parts on one line overflow the stack. A quiz needs a handful; this refuses, with the
// 1-based line and a French message, a line with more than a few dozen dots outside strings
// and comments, and brackets or braces nested deeper than a few levels. `asciiToml` is the
// output of asciiTomlText (every string double-quoted).
bool checkTomlShape(std::string_view asciiToml, int& line, std::string& message);
