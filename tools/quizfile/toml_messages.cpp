#include "tools/quizfile/toml_messages.h"

#include <vector>

namespace {

struct Phrase {
    std::string_view english, french;
};

// What the parser was reading.
constexpr Phrase kScopes[] = {
    {"array", "une liste [...]"},
    {"boolean", "une valeur true ou false"},
    {"comment", "un commentaire"},
    {"date", "une date"},
    {"date-time", "une date et heure"},
    {"date-time offset", "un décalage horaire"},
    {"floating-point", "un nombre à virgule"},
    {"hexadecimal floating-point", "un nombre à virgule hexadécimal"},
    {"inline table", "une table en ligne {...}"},
    {"key", "une clé"},
    {"key-value pair", "une ligne clé = valeur"},
    {"literal string", "un texte entre apostrophes"},
    {"root table", "le fichier"},
    {"string", "un texte entre guillemets"},
    {"table header", "un en-tête [...]"},
    {"time", "une heure"},
    {"unicode scalar sequence", "un échappement \\u"},
    {"value", "une valeur"},
    {"binary integer", "un nombre binaire"},
    {"octal integer", "un nombre octal"},
    {"decimal integer", "un nombre entier"},
    {"hexadecimal integer", "un nombre hexadécimal"},
};

// Whole reasons, and reasons whose {} parts are kept as written ({0} is the first in French).
constexpr Phrase kReasons[] = {
    {"encountered end-of-file",
     "le fichier s'arrête au milieu (un guillemet, un crochet ou une accolade n'est-il pas "
     "fermé ?)"},
    {"expected key-value pair, saw closing '}' (dangling comma)", "une virgule de trop avant '}'"},
    {"expected value or closing ']', saw comma", "une virgule de trop dans la liste"},
    {"expected key-value pair or closing '}', saw comma", "une virgule de trop dans la table"},
    {"underscores must be followed by digits", "un '_' doit être suivi d'un chiffre"},
    {"underscores may only follow digits", "un '_' doit suivre un chiffre"},
    {"leading zeroes are prohibited", "un nombre ne commence pas par 0"},
    {"missing exponent", "l'exposant manque"},
    {"values may not begin with underscores", "une valeur ne commence pas par '_'"},
    {"unexpected control character", "caractère de contrôle inattendu"},
    {"unescaped control characters other than TAB (U+0009) are explicitly prohibited",
     "un caractère de contrôle dans un texte (un guillemet n'est-il pas resté ouvert en fin de "
     "ligne ?)"},
    {"control characters other than TAB (U+0009) are explicitly prohibited",
     "un caractère de contrôle hors d'un texte"},
    {"control characters other than TAB (U+0009) are explicitly prohibited in comments",
     "un caractère de contrôle dans un commentaire"},
    {"could not determine value type",
     "valeur incompréhensible (les textes vont entre guillemets)"},
    {"tables with blank bare keys are explicitly prohibited", "un en-tête [] sans nom"},
    {"values greater than U+10FFFF are invalid", "un échappement au-delà de U+10FFFF"},
    {"multi-line strings are prohibited in keys", "une clé ne peut pas être un texte \"\"\""},
    {"multi-line strings are prohibited in dotted keys",
     "une clé ne peut pas être un texte \"\"\""},
    {"cannot redefine existing table '{}'", "la table '{0}' est déjà définie plus haut"},
    {"cannot redefine existing {} '{}' as {}", "'{1}' est déjà définie plus haut"},
    {"cannot redefine existing {} '{}'", "'{1}' est déjà définie plus haut"},
    {"cannot redefine existing {} as dotted key-value pair",
     "cette clé est déjà définie plus haut"},
    {"cannot insert '{}' into existing inline table",
     "'{0}' ne peut pas s'ajouter à une table en ligne déjà fermée"},
    {"unknown escape sequence '{}'",
     "échappement inconnu '{0}' (écrivez \\\\ pour une barre "
     "oblique inverse)"},
    {"'{}' could not be interpreted as a value", "'{0}' n'est pas une valeur"},
    {"'{}' is not representable in 64 bits", "le nombre '{0}' est trop grand"},
    {"exceeded maximum nested value depth of {}", "plus de {0} listes ou tables imbriquées"},
    {"expected {}, saw {}", "on attendait {0}, on trouve {1}"},
};

// What the parser expected or found, when it is not a quoted character.
constexpr Phrase kWords[] = {
    {"value-terminator", "la fin de la valeur (virgule, crochet, fin de ligne ou commentaire)"},
    {"value", "une valeur"},
    {"decimal digit", "un chiffre"},
    {"digit", "un chiffre"},
    {"hex digit", "un chiffre hexadécimal"},
    {"hexadecimal digit", "un chiffre hexadécimal"},
    {"exponent digit", "un chiffre d'exposant"},
    {"space or tab", "une espace ou une tabulation"},
    {"keys, tables, whitespace or comments", "une clé, un en-tête [...] ou un commentaire"},
    {"key or closing '}'", "une clé ou '}'"},
    {"comma or closing '}'", "une virgule ou '}'"},
    {"comma or closing ']'", "une virgule ou ']'"},
    {"bare key starting character or string delimiter",
     "une clé (lettres, chiffres, '_' ou '-') ou un guillemet"},
    {"a comment or whitespace", "un commentaire ou la fin de la ligne"},
    {"comma", "une virgule"},
    {"EOF", "la fin du fichier"},
};

std::string_view lookup(const Phrase* begin, const Phrase* end, std::string_view english) {
    for (const Phrase* p = begin; p != end; ++p)
        if (p->english == english) return p->french;
    return {};
}

// A quoted character or word is kept as written; other words go through kWords.
bool translateWord(std::string_view word, std::string& out) {
    if (word.size() >= 2 && word.front() == '\'' && word.back() == '\'') {
        out = std::string(word);
        return true;
    }
    out = std::string(lookup(std::begin(kWords), std::end(kWords), word));
    return !out.empty();
}

// Matches `text` against `pattern`, whose {} take any text; the parts go to `parts`.
bool matchPattern(std::string_view pattern, std::string_view text,
                  std::vector<std::string>& parts) {
    parts.clear();
    size_t p = 0, t = 0;
    while (true) {
        const size_t hole = pattern.find("{}", p);
        const std::string_view literal =
            pattern.substr(p, hole == std::string_view::npos ? std::string_view::npos : hole - p);
        if (text.substr(t, literal.size()) != literal) return false;
        t += literal.size();
        if (hole == std::string_view::npos) return t == text.size();
        p = hole + 2;
        const size_t nextHole = pattern.find("{}", p);
        const std::string_view next = pattern.substr(
            p, nextHole == std::string_view::npos ? std::string_view::npos : nextHole - p);
        const size_t at = next.empty()                         ? text.size()
                          : nextHole == std::string_view::npos ? text.rfind(next)
                                                               : text.find(next, t);
        if (at == std::string_view::npos || at < t) return false;
        parts.emplace_back(text.substr(t, at - t));
        t = at;
    }
}

bool translateReason(std::string_view reason, std::string& out) {
    std::vector<std::string> parts;
    for (const Phrase& rule : kReasons) {
        if (!matchPattern(rule.english, reason, parts)) continue;
        if (rule.english.substr(0, 9) == "expected ") {
            for (std::string& part : parts)
                if (!translateWord(part, part)) return false;
        }
        out.clear();
        size_t from = 0;
        for (size_t hole; (hole = rule.french.find('{', from)) != std::string_view::npos;) {
            out += rule.french.substr(from, hole - from);
            const size_t index = static_cast<size_t>(rule.french[hole + 1] - '0');
            if (index < parts.size()) out += parts[index];
            from = hole + 3;
        }
        out += rule.french.substr(from);
        return true;
    }
    return false;
}

}  // namespace

std::string frenchTomlError(std::string_view description, int column) {
    std::string_view scope, reason = description;
    constexpr std::string_view kLead = "Error while parsing ";
    if (description.substr(0, kLead.size()) == kLead) {
        const size_t colon = description.find(": ", kLead.size());
        if (colon != std::string_view::npos) {
            scope = description.substr(kLead.size(), colon - kLead.size());
            reason = description.substr(colon + 2);
        }
    }
    const std::string at = " (colonne " + std::to_string(column) + ")";
    std::string french;
    if (!translateReason(reason, french))
        return "syntaxe TOML : cette ligne n'est pas du TOML valable" + at +
               " ; vérifiez ses guillemets, ses crochets, ses virgules et son signe =";
    const std::string_view where = lookup(std::begin(kScopes), std::end(kScopes), scope);
    return "syntaxe TOML : " + (where.empty() ? "" : "dans " + std::string(where) + " : ") +
           french + at;
}
