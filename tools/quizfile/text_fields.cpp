#include "tools/quizfile/text_fields.h"

#include <cstdint>

#include <cstdio>

#include "quizdata/quiz_types.h"
#include "tools/text/compose.h"
#include "tools/text/cp1252.h"

namespace {

std::string at(size_t index) { return "caractère " + std::to_string(index + 1); }

// A control character in words, with its code: "une tabulation (U+0009".
std::string controlName(unsigned char c) {
    char code[16];
    // A control character's byte is its code point, C1 ones included.
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    switch (c) {
    case 0x08: return std::string("un retour arrière (") + code;
    case 0x09: return std::string("une tabulation (") + code;
    case 0x0B: return std::string("une tabulation verticale (") + code;
    case 0x0C: return std::string("un saut de page (") + code;
    case 0x1B: return std::string("un caractère d'échappement (") + code;
    default: return std::string("un caractère de contrôle (") + code;
    }
}

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
        diags.error(line,
                    what + " contient " + controlName(static_cast<unsigned char>(text[control])) +
                        ", " + at(control) +
                        ") que personne ne peut taper ; retirez ce caractère (entre guillemets, "
                        "\\t, \\f ou \\b en écrivent une : doublez la barre oblique "
                        "inverse, \\\\, pour en garder une)");
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
