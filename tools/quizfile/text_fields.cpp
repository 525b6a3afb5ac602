#include "tools/quizfile/text_fields.h"

#include <cstdint>

#include <cstdio>

#include "quizdata/quiz_types.h"
#include "tools/text/compose.h"
#include "tools/text/cp1252.h"

namespace {

std::string at(size_t index) { return "caractère " + std::to_string(index + 1); }

bool checkConverted(const std::string& text, TextUse use, const std::string& what, int line,
                    Diagnostics& diags) {
    bool ok = true;
    const size_t lineBreak = text.find_first_of("\r\n");
    if (lineBreak != std::string::npos) {
        diags.error(line, what + " contient un saut de ligne (" + at(lineBreak) +
                              ") ; il doit tenir sur une ligne : retirez le saut de ligne");
        ok = false;
    }
    const size_t zero = text.find('\0');
    if (zero != std::string::npos) {
        diags.error(line, what + " contient un caractère nul (" + at(zero) + ") ; retirez-le");
        ok = false;
    }
    const size_t control =
        ok && use == TextUse::Typed ? findControlCharacter(text) : std::string::npos;
    if (control != std::string::npos) {
        char code[16];
        // A control character's byte is its code point, C1 ones included.
        std::snprintf(code, sizeof code, "U+%04X",
                      static_cast<unsigned>(static_cast<unsigned char>(text[control])));
        diags.error(line, what + " contient un caractère de contrôle (" + code + ", " +
                              at(control) + ") que personne ne peut taper ; retirez-le");
        ok = false;
    }
    const size_t bar = use != TextUse::Code ? text.find('|') : std::string::npos;
    if (bar != std::string::npos) {
        diags.error(line, what + " contient '|' (" + at(bar) +
                              "), qui sépare les textes d'un quiz construit ; utilisez un autre "
                              "caractère, par exemple '/'");
        ok = false;
    }
    if (text.size() > kMaxTextLength) {
        diags.error(line, what + " fait " + std::to_string(text.size()) + " caractères ; au plus " +
                              std::to_string(kMaxTextLength) + " tiennent : raccourcissez-le");
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
    const std::string composed = composeLatin(utf8);  // "e" + combining acute is "é"
    if (!utf8ToCp1252(composed, converted, &badIndex, &badCodePoint)) {
        diags.error(line, what + ", " + at(badIndex) + " : " +
                              describeCp1252Failure(composed, badIndex, badCodePoint) +
                              " ; remplacez-le ou retirez-le");
        return false;
    }
    if (!checkConverted(converted, use, what, line, diags)) return false;
    out = converted;
    return true;
}
