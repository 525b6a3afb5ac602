#include "tools/quizfile/text_fields.h"

#include <cstdint>

#include "quizdata/quiz_types.h"
#include "tools/text/cp1252.h"

namespace {

std::string at(size_t index) { return "character " + std::to_string(index + 1); }

bool checkConverted(const std::string& text, TextUse use, const std::string& what, int line,
                    Diagnostics& diags) {
    bool ok = true;
    const size_t lineBreak = text.find_first_of("\r\n");
    if (lineBreak != std::string::npos) {
        diags.error(line, what + " holds a line break (" + at(lineBreak) +
                              "); it must stay on one line: remove the break");
        ok = false;
    }
    const size_t zero = text.find('\0');
    if (zero != std::string::npos) {
        diags.error(line, what + " holds a zero character (" + at(zero) + "); remove it");
        ok = false;
    }
    const size_t bar = use == TextUse::Token ? text.find('|') : std::string::npos;
    if (bar != std::string::npos) {
        diags.error(line, what + " holds '|' (" + at(bar) +
                              "), which separates the texts of a built quiz; use another "
                              "character such as '/'");
        ok = false;
    }
    if (text.size() > kMaxTextLength) {
        diags.error(line, what + " is " + std::to_string(text.size()) +
                              " characters long; at most " + std::to_string(kMaxTextLength) +
                              " fit: shorten it");
        ok = false;
    }
    return ok;
}

}  // namespace

bool convertQuizText(const std::string& utf8, TextUse use, const std::string& what, int line,
                     Diagnostics& diags, std::string& out) {
    size_t badIndex = 0;
    uint32_t badCodePoint = 0;
    std::string converted;
    if (!utf8ToCp1252(utf8, converted, &badIndex, &badCodePoint)) {
        diags.error(line, what + ", " + at(badIndex) + ": " +
                              describeCp1252Failure(utf8, badIndex, badCodePoint) +
                              "; replace or remove it");
        return false;
    }
    if (!checkConverted(converted, use, what, line, diags)) return false;
    out = converted;
    return true;
}
