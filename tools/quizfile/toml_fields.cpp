#include "tools/quizfile/toml_fields.h"

#include <algorithm>

#include "tools/quizfile/french_words.h"
#include "tools/quizfile/key_suggestion.h"

int lineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

int lineOf(const toml::key& key) { return static_cast<int>(key.source().begin.line); }

std::string describeType(const toml::node& node) {
    switch (node.type()) {
    case toml::node_type::string: return "un texte";
    case toml::node_type::integer: return "un nombre entier";
    case toml::node_type::floating_point: return "un nombre décimal";
    case toml::node_type::boolean: return "true ou false";
    case toml::node_type::array: return "une liste";
    case toml::node_type::table: return "une table";
    default: return "une date ou une heure";
    }
}

void checkKeys(const toml::table& table, const std::vector<std::string>& known,
               const std::vector<std::string>& elsewhere, const std::string& elsewhereHint,
               Diagnostics& diags) {
    for (auto&& [key, value] : table) {
        const std::string name(key.str());
        if (std::find(known.begin(), known.end(), name) != known.end()) continue;
        if (std::find(elsewhere.begin(), elsewhere.end(), name) != elsewhere.end()) {
            diags.error(lineOf(key), "'" + name + "' " + elsewhereHint);
            continue;
        }
        std::string message = "clé inconnue '" + name + "'";
        std::string near = frenchKey(name, known);
        if (near.empty()) near = nearestWord(name, known);
        if (!near.empty())
            message += " (vouliez-vous dire '" + near + "' ?)";
        else
            message += " ; retirez-la ou vérifiez son orthographe";
        diags.error(lineOf(key), message);
    }
}

Field textOf(const toml::node& node, TextUse use, const std::string& what, Diagnostics& diags,
             std::string& out) {
    const toml::value<std::string>* text = node.as_string();
    if (!text) {
        diags.error(lineOf(node),
                    what + " doit être un texte entre guillemets, pas " + describeType(node));
        return Field::Bad;
    }
    return convertQuizText(text->get(), use, what, lineOf(node), diags, out) ? Field::Ok
                                                                             : Field::Bad;
}

Field readText(const toml::table& table, const char* key, TextUse use, const std::string& what,
               Diagnostics& diags, std::string& out) {
    const toml::node* node = table.get(key);
    if (!node) return Field::Absent;
    return textOf(*node, use, what, diags, out);
}

Field readTextPair(const toml::table& table, const char* key, const std::string& what,
                   Diagnostics& diags, std::string& first, std::string& second, TextUse use) {
    const toml::node* node = table.get(key);
    if (!node) return Field::Absent;
    const toml::array* list = node->as_array();
    if (!list || list->size() != 2) {
        diags.error(lineOf(*node), what + " doit donner exactement deux textes, comme " + key +
                                       " = [\"...\", \"...\"]");
        return Field::Bad;
    }
    const Field a = textOf((*list)[0], use, what + " (premier)", diags, first);
    const Field b = textOf((*list)[1], use, what + " (second)", diags, second);
    return a == Field::Ok && b == Field::Ok ? Field::Ok : Field::Bad;
}

Field readPath(const toml::table& table, const char* key, const std::string& what,
               Diagnostics& diags, MediaRef& out) {
    const toml::node* node = table.get(key);
    if (!node) return Field::Absent;
    out.line = lineOf(*node);
    const toml::value<std::string>* text = node->as_string();
    if (!text) {
        diags.error(out.line, what + " doit être un nom de fichier entre guillemets, pas " +
                                  describeType(*node));
        return Field::Bad;
    }
    if (text->get().empty()) {
        diags.error(out.line, what + " est vide ; indiquez un fichier, relatif au fichier de quiz");
        return Field::Bad;
    }
    for (char c : text->get()) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) continue;
        // "images\france.jpg" between double quotes holds a form feed, not a backslash.
        diags.error(out.line, what +
                                  " contient un caractère invisible venu d'une barre oblique "
                                  "inverse (\\f, \\t, \\n, \\b, \\r) ; séparez les dossiers "
                                  "par / : \"images/photo.jpg\"");
        return Field::Bad;
    }
    out.path = text->get();
    return Field::Ok;
}
