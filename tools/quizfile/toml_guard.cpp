#include "tools/quizfile/toml_guard.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr unsigned char kFirstBeyondAscii = 0x80;

// The length a UTF-8 lead byte announces; 0 for a byte that cannot start a character.
size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

struct Rewriter {
    std::string_view in;
    std::string& out;
    size_t pos = 0;
    int line = 1;
    std::string error;

    bool at(std::string_view token) const { return in.substr(pos, token.size()) == token; }
    bool beyondAscii() const { return static_cast<unsigned char>(in[pos]) >= kFirstBeyondAscii; }

    void copy() {
        if (in[pos] == '\n') ++line;
        out += in[pos++];
    }

    // Decodes the character beyond ASCII at `pos` and steps over it.
    bool take(uint32_t& codePoint) {
        const unsigned char lead = static_cast<unsigned char>(in[pos]);
        const size_t length = sequenceLength(lead);
        bool valid = length > 0 && pos + length <= in.size();
        codePoint = lead & (0x7F >> length);
        for (size_t i = 1; valid && i < length; ++i) {
            const unsigned char next = static_cast<unsigned char>(in[pos + i]);
            valid = (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        static const uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!valid || codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            char text[128];
            std::snprintf(text, sizeof text,
                          "l'octet 0x%02X n'est pas de l'UTF-8 ; enregistrez le fichier de quiz "
                          "en UTF-8",
                          static_cast<unsigned>(lead));
            error = text;
            return false;
        }
        pos += length;
        return true;
    }

    bool escapeOne() {
        uint32_t codePoint = 0;
        if (!take(codePoint)) return false;
        char text[16];
        if (codePoint > 0xFFFF)
            std::snprintf(text, sizeof text, "\\U%08X", static_cast<unsigned>(codePoint));
        else
            std::snprintf(text, sizeof text, "\\u%04X", static_cast<unsigned>(codePoint));
        out += text;
        return true;
    }

    bool comment() {
        while (pos < in.size() && in[pos] != '\n') {
            uint32_t ignored = 0;
            if (!beyondAscii())
                copy();
            else if (take(ignored))
                out += '?';
            else
                return false;
        }
        return true;
    }

    // Quotes that end a multi-line string; up to two more before them belong to the text.
    void closeMultiline(char quote) {
        size_t run = 0;
        while (pos + run < in.size() && in[pos + run] == quote) ++run;
        const size_t inText = run - 3 > 2 ? 2 : run - 3;
        out.append(inText, quote);
        out += "\"\"\"";
        pos += 3 + inText;
    }

    // From after the opening quotes to after the closing ones, or to the line break where a
    // single-line string is left open (the parser reports that).
    bool basicString(bool multiline) {
        while (pos < in.size()) {
            if (multiline ? at("\"\"\"") : in[pos] == '"') {
                if (multiline)
                    closeMultiline('"');
                else
                    copy();
                return true;
            }
            if (!multiline && in[pos] == '\n') return true;
            if (in[pos] == '\\') {
                copy();
                if (pos < in.size() && beyondAscii()) {
                    error =
                        "une barre oblique inverse devant une lettre hors ASCII n'est pas un "
                        "échappement ; écrivez \\\\ pour une barre oblique inverse";
                    return false;
                }
                if (pos < in.size()) copy();
            } else if (beyondAscii()) {
                if (!escapeOne()) return false;
            } else {
                copy();
            }
        }
        return true;
    }

    // A single-quoted string, written out double-quoted.
    bool literalString(bool multiline) {
        while (pos < in.size()) {
            if (multiline ? at("'''") : in[pos] == '\'') {
                if (multiline) {
                    closeMultiline('\'');
                } else {
                    out += '"';
                    ++pos;
                }
                return true;
            }
            if (!multiline && in[pos] == '\n') return true;
            if (in[pos] == '\\' || in[pos] == '"') {
                out += '\\';
                copy();
            } else if (beyondAscii()) {
                if (!escapeOne()) return false;
            } else {
                copy();
            }
        }
        return true;
    }

    bool stray() {
        const size_t start = pos;
        uint32_t ignored = 0;
        if (!take(ignored)) return false;
        const std::string shown(in.substr(start, pos - start));
        // « » “ ” ‘ ’ are quotes to a French reader, letters to TOML.
        static const std::string_view kCurly[] = {"\xC2\xAB",     "\xC2\xBB",     "\xE2\x80\x9C",
                                                  "\xE2\x80\x9D", "\xE2\x80\x98", "\xE2\x80\x99"};
        for (std::string_view q : kCurly)
            if (shown == q) {
                error = "'" + shown +
                        "' n'est pas un guillemet pour velto ; les textes s'écrivent entre "
                        "guillemets droits \"...\" (touche 3 du clavier français)";
                return false;
            }
        error = "'" + shown +
                "' est hors des guillemets : les textes vont entre guillemets droits \"...\", "
                "et les clés n'utilisent que les lettres a-z, les chiffres, '_' et '-'";
        return false;
    }

    bool run() {
        if (at("\xEF\xBB\xBF")) pos = 3;
        bool ok = true;
        while (ok && pos < in.size()) {
            const char c = in[pos];
            if (c == '#') {
                ok = comment();
            } else if (c == '"' || c == '\'') {
                const bool multiline = at(c == '"' ? "\"\"\"" : "'''");
                out += multiline ? "\"\"\"" : "\"";
                pos += multiline ? 3 : 1;
                ok = c == '"' ? basicString(multiline) : literalString(multiline);
            } else if (beyondAscii()) {
                ok = stray();
            } else {
                copy();
            }
        }
        return ok;
    }
};

}  // namespace

bool asciiTomlText(std::string_view text, std::string& out, int& line, std::string& message) {
    out.clear();
    out.reserve(text.size() + text.size() / 8);
    Rewriter rewriter{text, out, 0, 1, std::string()};
    if (rewriter.run()) return true;
    line = rewriter.line;
    message = rewriter.error;
    return false;
}
