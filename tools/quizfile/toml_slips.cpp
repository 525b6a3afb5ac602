#include "tools/quizfile/toml_slips.h"

#include <algorithm>
#include <cctype>

#include "tools/quizfile/french_words.h"
#include "tools/quizfile/quiz_keys.h"
#include "tools/quizfile/toml_fields.h"

namespace {

using namespace quizkey;

// UTF-8 quotes that look like quotes to a French reader but are letters to TOML.
constexpr std::string_view kCurlyQuotes[] = {"\xC2\xAB",     "\xC2\xBB",     "\xE2\x80\x9C",
                                             "\xE2\x80\x9D", "\xE2\x80\x98", "\xE2\x80\x99",
                                             "\xE2\x80\x9E", "\xE2\x80\xB9", "\xE2\x80\xBA"};
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
constexpr char kStraightQuotes[] =
    " ; les textes s'écrivent entre guillemets droits \"...\" (touche 3 du clavier français)";

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

size_t curlyQuoteAt(std::string_view s, size_t at) {
    for (std::string_view q : kCurlyQuotes)
        if (s.substr(at, q.size()) == q) return q.size();
    if (s.substr(at, kNoBreakSpace.size()) == kNoBreakSpace) return kNoBreakSpace.size();
    return 0;
}

// `s` without typographic quotes and no-break spaces at either end.
std::string_view stripCurly(std::string_view s) {
    for (bool more = true; more;) {
        more = false;
        s = trim(s);
        if (const size_t n = curlyQuoteAt(s, 0)) s.remove_prefix(n), more = true;
        for (size_t n = 1; n <= 3 && n <= s.size(); ++n)
            if (curlyQuoteAt(s, s.size() - n) == n) {
                s.remove_suffix(n);
                more = true;
                break;
            }
    }
    return s;
}

bool isPathKey(std::string_view key) { return key == kMedia || key == kAnswerPicture; }

// Keys whose value is one text.
bool isTextKey(std::string_view key) {
    for (const char* k : {kKind, kTitle, kAuthor, kDescription, kReveal, kLink, kPrompt, kAnswer,
                          kExplanation, kMedia, kAnswerPicture})
        if (key == k) return true;
    return false;
}

// The end of a "..." text that starts at `open`, or npos when the line ends first.
size_t closingQuote(std::string_view s, size_t open) {
    for (size_t i = open + 1; i < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == '"')
            return i;
    }
    return std::string_view::npos;
}

// The first backslash escape TOML does not know in a "..." text, as written; "" when none.
std::string unknownEscape(std::string_view inner) {
    for (size_t i = 0; i + 1 < inner.size(); ++i) {
        if (inner[i] != '\\') continue;
        const char e = inner[i + 1];
        size_t digits = e == 'u' ? 4 : e == 'U' ? 8 : 0;
        if (digits > 0) {
            for (size_t k = 0; k < digits; ++k)
                if (i + 2 + k >= inner.size() ||
                    !std::isxdigit(static_cast<unsigned char>(inner[i + 2 + k])))
                    return std::string(inner.substr(i, 2));
        } else if (std::string_view("btnfr\"\\").find(e) == std::string_view::npos) {
            return std::string(inner.substr(i, 2));
        }
        i += 1 + digits;
    }
    return "";
}

// The name as written between apostrophes, where a backslash is itself.
std::string literalName(std::string_view inner) {
    std::string out;
    for (size_t i = 0; i < inner.size(); ++i) {
        out += inner[i];
        if (inner[i] == '\\' && i + 1 < inner.size() && inner[i + 1] == '\\') ++i;
    }
    return out;
}

std::string slashed(std::string_view inner) {
    std::string out;
    for (size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] != '\\') {
            out += inner[i];
            continue;
        }
        out += '/';
        if (i + 1 < inner.size() && inner[i + 1] == '\\') ++i;
    }
    return out;
}

struct LineScan {
    std::vector<TomlSlip>& out;
    int line;

    void slip(std::string message) { out.push_back({line, std::move(message)}); }

    void header(std::string_view t) {
        const bool open2 = t.substr(0, 2) == "[[";
        const size_t close = t.find(']');
        const std::string_view name = trim(t.substr(open2 ? 2 : 1, close == std::string_view::npos
                                                                       ? std::string_view::npos
                                                                       : close - (open2 ? 2 : 1)));
        const bool questions = foldFrench(std::string(name)) == "questions" ||
                               foldFrench(std::string(name)) == "question";
        const bool closed2 = t.size() >= 2 && t.substr(t.size() - 2) == "]]";
        if (!questions) return;
        if (!open2 && close != std::string_view::npos && !closed2)
            slip("[" + std::string(name) +
                 "] n'ouvre pas une question : écrivez [[questions]], avec deux crochets de "
                 "chaque côté, au-dessus de chaque question");
        else if (open2 && !closed2)
            slip("il manque ']' : écrivez [[questions]], avec deux crochets de chaque côté");
    }

    void quoted(std::string_view key, std::string_view value) {
        const size_t close = closingQuote(value, 0);
        if (close == std::string_view::npos) return;  // the parser says a quote is left open
        const std::string_view inner = value.substr(1, close - 1);
        if (isPathKey(key) && inner.find('\\') != std::string_view::npos) {
            slip(
                "dans un nom de fichier, la barre oblique inverse \\ se lit comme un "
                "échappement ; séparez les dossiers par / : écrivez " +
                std::string(key) + " = \"" + slashed(inner) + "\" (ou, entre apostrophes, " +
                std::string(key) + " = '" + literalName(inner) + "')");
            return;
        }
        const std::string escape = unknownEscape(inner);
        if (!escape.empty()) {
            slip("'" + escape +
                 "' entre guillemets n'est pas un échappement connu ; pour une barre oblique "
                 "inverse, écrivez \\\\ (ou mettez le texte entre apostrophes '...'), et pour "
                 "un nom de fichier, séparez les dossiers par /");
            return;
        }
        afterText(key, value, close);
    }

    // What follows the closing quote of a one-text value: nothing but a comment belongs there.
    void afterText(std::string_view key, std::string_view value, size_t close) {
        const std::string_view rest = trim(value.substr(close + 1));
        if (rest.empty() || rest.front() == '#' || value.front() == '[') return;
        if (rest == ",") {
            slip("la virgule après le texte est de trop : écrivez " + std::string(key) + " = " +
                 std::string(value.substr(0, close + 1)));
        } else if (value.front() == '"' && value.back() == '"') {
            const size_t last = value.rfind('"');
            const std::string inner(value.substr(1, last - 1));
            slip(
                "un guillemet \" dans le texte le termine : pour des guillemets dans un texte, "
                "écrivez-le entre "
                "apostrophes (" +
                std::string(key) + " = '" + inner + "') ou prenez « » à l'intérieur");
        }
    }

    void literal(std::string_view key, std::string_view value) {
        const size_t close = value.find('\'', 1);
        if (close == std::string_view::npos || value.substr(0, 3) == "'''") return;
        const std::string_view rest = trim(value.substr(close + 1));
        if (rest.empty() || rest.front() == '#' || rest.front() == ']' ||
            (rest.front() == ',' && value.front() == '['))
            return;
        if (rest == ",") {
            afterText(key, value, close);
            return;
        }
        const size_t last = value.rfind('\'');
        const std::string inner(value.substr(1, last > 0 ? last - 1 : 0));
        slip("l'apostrophe après '" + std::string(value.substr(1, close - 1)) +
             "' termine le texte commencé par une apostrophe ; écrivez le texte entre "
             "guillemets droits : " +
             std::string(key) + " = \"" + inner + "\"");
    }

    void bare(std::string_view key, std::string_view value) {
        const char c = value.front();
        if (!isTextKey(key) && key != kAnswersPerQuestion) return;
        if (value == "true" || value == "false" || value == "inf" || value == "nan") return;
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '[' ||
            c == '{')
            return;
        if (key == kAnswersPerQuestion) {
            slip(
                "answers_per_question vaut le nombre 1 ou 2, écrit sans guillemets : "
                "answers_per_question = 2");
            return;
        }
        const std::string_view plain = stripCurly(value);
        if (curlyQuoteAt(value, 0) || (!plain.empty() && plain.back() == '"')) {
            std::string_view text = plain;
            if (!text.empty() && text.back() == '"') text.remove_suffix(1);
            text = stripCurly(text);
            const std::string fix =
                " : écrivez " + std::string(key) + " = \"" + std::string(text) + "\"";
            if (curlyQuoteAt(value, 0))
                slip("'" + std::string(value.substr(0, curlyQuoteAt(value, 0))) +
                     "' n'est pas un guillemet pour velto" + kStraightQuotes + fix);
            else
                slip("il manque le guillemet droit \" qui ouvre le texte" + fix);
            return;
        }
        slip("un texte s'écrit entre guillemets droits \"...\" : écrivez " + std::string(key) +
             " = \"" + (isPathKey(key) ? slashed(value) : std::string(value)) + "\"");
    }

    // "title "Quiz"" or "title: "Quiz"": a key and a text without the '=' between them.
    void missingEquals(std::string_view t) {
        size_t end = 0;
        while (end < t.size() &&
               (std::isalnum(static_cast<unsigned char>(t[end])) || t[end] == '_' || t[end] == '-'))
            ++end;
        std::string_view rest = trim(t.substr(end));
        if (end == 0 || rest.empty()) return;
        if (rest.front() == ':') rest = trim(rest.substr(1));
        if (rest.empty() || (rest.front() != '"' && rest.front() != '\'' && rest.front() != '['))
            return;
        slip("il manque le signe = entre la clé et sa valeur : écrivez " +
             std::string(t.substr(0, end)) + " = " + std::string(rest));
    }

    // "answer picture = ...": a key is one word, its parts joined by '_'.
    void spacedKey(std::string_view key) {
        std::string joined(key);
        for (char& c : joined)
            if (c == ' ') c = '_';
        std::vector<std::string> all = wordList(kQuizKeys);
        for (const char* k : kQuestionKeys) all.push_back(k);
        std::string known = frenchKey(joined, all);
        if (known.empty() && std::find(all.begin(), all.end(), joined) != all.end()) known = joined;
        slip("une clé s'écrit d'un seul mot, sans espace" +
             (known.empty() ? std::string(" (les parties reliées par _)")
                            : " : écrivez " + known + " = ..."));
    }

    void keyValue(std::string_view key, std::string_view value) {
        bool beyondAscii = false;
        for (char ch : key) beyondAscii = beyondAscii || static_cast<unsigned char>(ch) >= 0x80;
        if (beyondAscii && key.find('"') == std::string_view::npos) {
            std::vector<std::string> all = wordList(kQuizKeys);
            for (const char* k : kQuestionKeys) all.push_back(k);
            const std::string english = frenchKey(std::string(key), all);
            if (!english.empty())
                slip("clé inconnue '" + std::string(key) +
                     "' : les clés s'écrivent en anglais, sans accent : écrivez " + english +
                     " = ...");
        }
        if (key.find(' ') != std::string_view::npos && key.find('"') == std::string_view::npos)
            spacedKey(key);
        if (value.empty()) {
            slip("il manque la valeur après le signe = : écrivez " + std::string(key) +
                 " = \"...\" (ou retirez la ligne)");
            return;
        }
        if (value.substr(0, 3) == "\"\"\"" || value.substr(0, 3) == "'''") return;
        if (value.front() == '"')
            quoted(key, value);
        else if (value.front() == '\'')
            literal(key, value);
        else
            bare(key, value);
    }
};

// The line without its comment: a '#' outside quotes.
std::string_view withoutComment(std::string_view s) {
    char quote = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (quote == '"' && s[i] == '\\')
            ++i;
        else if (quote && s[i] == quote)
            quote = 0;
        else if (!quote && (s[i] == '"' || s[i] == '\''))
            quote = s[i];
        else if (!quote && s[i] == '#')
            return s.substr(0, i);
    }
    return s;
}

// Whether the line opens or closes a multi-line text (an odd count of """ or ''').
bool togglesMultiline(std::string_view s, std::string_view marker) {
    int count = 0;
    for (size_t at = s.find(marker); at != std::string_view::npos; at = s.find(marker, at + 3))
        ++count;
    return count % 2 == 1;
}

// A list left open on a line whose next line starts a new key or header.
bool openList(std::string_view value) {
    int depth = 0;
    char quote = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (quote == '"' && c == '\\')
            ++i;
        else if (quote && c == quote)
            quote = 0;
        else if (!quote && (c == '"' || c == '\''))
            quote = c;
        else if (!quote && c == '[')
            ++depth;
        else if (!quote && c == ']')
            --depth;
    }
    return depth > 0 && !quote && trim(value).back() != ',' && trim(value).back() != '[';
}

bool startsKeyOrHeader(std::string_view t) {
    if (t.empty()) return false;
    if (t.front() == '[') return true;
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos) return false;
    for (char c : trim(t.substr(0, eq)))
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') return false;
    return true;
}

}  // namespace

std::vector<TomlSlip> findTomlSlips(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // byte order mark
    std::vector<std::string_view> lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    std::vector<TomlSlip> slips;
    std::string_view inside;  // the marker of the multi-line text being crossed
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string_view raw = lines[n];
        if (!inside.empty()) {
            if (togglesMultiline(raw, inside)) inside = {};
            continue;
        }
        LineScan scan{slips, static_cast<int>(n) + 1};
        const std::string_view t = trim(withoutComment(raw));
        if (t.empty()) continue;
        for (std::string_view marker : {std::string_view("\"\"\""), std::string_view("'''")})
            if (togglesMultiline(raw, marker)) inside = marker;
        if (t.front() == '[') {
            scan.header(t);
            continue;
        }
        const size_t eq = t.find('=');
        if (eq == std::string_view::npos && inside.empty()) scan.missingEquals(t);
        if (eq == std::string_view::npos || !inside.empty()) continue;
        const std::string_view key = trim(t.substr(0, eq)), value = trim(t.substr(eq + 1));
        scan.keyValue(key, value);
        if (!value.empty() && value.front() == '[' && openList(value)) {
            size_t next = n + 1;
            while (next < lines.size() && trim(withoutComment(lines[next])).empty()) ++next;
            if (next == lines.size() || startsKeyOrHeader(trim(lines[next])))
                scan.slip("il manque ']' à la fin de la liste : écrivez " + std::string(key) +
                          " = " + std::string(value) + "]");
        }
    }
    return slips;
}
