#include "tools/quizfile/quiz_reader.h"

#include <cctype>
#include <cstdlib>

#include "quizdata/quiz_types.h"
#include "quizdata/web_link.h"
#include "tools/quizfile/french_words.h"
#include "tools/quizfile/key_suggestion.h"
#include "tools/quizfile/question_reader.h"
#include "tools/quizfile/shown_texts.h"
#include "tools/quizfile/quiz_keys.h"
#include "tools/quizfile/toml_fields.h"
#include "tools/quizfile/toml_guard.h"
#include "tools/quizfile/toml_messages.h"
#include "tools/quizfile/toml_shape.h"
#include "tools/quizfile/toml_slips.h"

namespace {

using namespace quizkey;

constexpr int kTopLine = 1;  // where a missing top-level key is reported

std::string quotedChoices(const std::vector<std::string>& names) {
    std::string out;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) out += i + 1 == names.size() ? " ou " : ", ";
        out += "\"" + names[i] + "\"";
    }
    return out;
}

// One of `names`, by index; `fallback` when absent, -1 when wrong.
int readChoice(const toml::table& root, const char* key, const std::vector<std::string>& names,
               int fallback, Diagnostics& diags) {
    const toml::node* node = root.get(key);
    if (!node) {
        if (fallback < 0)
            diags.error(kTopLine, std::string("le quiz n'a pas de ") + key + " : ajoutez " + key +
                                      " = " + quotedChoices(names));
        return fallback;
    }
    const toml::value<std::string>* text = node->as_string();
    if (!text) {
        diags.error(lineOf(*node), std::string(key) + " doit valoir " + quotedChoices(names) +
                                       ", entre guillemets, pas " + describeType(*node));
        return -1;
    }
    for (size_t i = 0; i < names.size(); ++i)
        if (text->get() == names[i]) return static_cast<int>(i);
    std::string message = "valeur de " + std::string(key) + " inconnue : \"" + text->get() + "\"";
    std::string near = frenchValue(text->get(), names);
    if (near.empty()) near = nearestWord(text->get(), names);
    if (!near.empty()) message += " (vouliez-vous dire \"" + near + "\" ?)";
    diags.error(lineOf(*node), message + " ; utilisez " + quotedChoices(names));
    return -1;
}

// 1 or 2; 0 when wrong.
int readAnswersPerQuestion(const toml::table& root, Diagnostics& diags) {
    const toml::node* node = root.get(kAnswersPerQuestion);
    if (!node) return 1;
    const toml::value<int64_t>* number = node->as_integer();
    if (!number || (number->get() != 1 && number->get() != 2)) {
        const toml::value<std::string>* text = node->as_string();
        const bool quoted = text && (text->get() == "1" || text->get() == "2");
        diags.error(lineOf(*node),
                    std::string(kAnswersPerQuestion) + " doit valoir 1 ou 2" +
                        (quoted ? ", écrit sans guillemets : " + std::string(kAnswersPerQuestion) +
                                      " = " + text->get()
                                : std::string()));
        return 0;
    }
    return static_cast<int>(number->get());
}

bool hexDigits(const std::string& s) {
    for (char c : s)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool readColourText(const toml::node& node, const std::string& text, DefinitionData& d,
                    Diagnostics& diags) {
    if (text.size() != 7 || text[0] != '#' || !hexDigits(text.substr(1))) {
        const bool noHash = text.size() == 6 && hexDigits(text);
        diags.error(lineOf(node),
                    "background \"" + text + "\" n'est pas une couleur : écrivez " +
                        (noHash ? "\"#" + text + "\", avec # devant les six chiffres"
                                : std::string("\"#RRGGBB\" (six chiffres "
                                              "hexadécimaux) ou [rouge, vert, bleu]")));
        return false;
    }
    const unsigned long rgb = std::strtoul(text.c_str() + 1, nullptr, 16);
    d.bgRed = static_cast<uint8_t>(rgb >> 16);
    d.bgGreen = static_cast<uint8_t>(rgb >> 8);
    d.bgBlue = static_cast<uint8_t>(rgb);
    return true;
}

bool readColourList(const toml::node& node, const toml::array& list, DefinitionData& d,
                    Diagnostics& diags) {
    if (list.size() != 3) {
        diags.error(lineOf(node),
                    "background doit donner trois nombres [rouge, vert, bleu], "
                    "chacun de 0 à 255");
        return false;
    }
    uint8_t* const parts[] = {&d.bgRed, &d.bgGreen, &d.bgBlue};
    static const char* const kNames[] = {"rouge", "vert", "bleu"};
    bool ok = true;
    for (size_t i = 0; i < 3; ++i) {
        const toml::value<int64_t>* number = list[i].as_integer();
        if (!number || number->get() < 0 || number->get() > 255) {
            const std::string shown =
                number ? std::to_string(number->get()) : describeType(list[i]);
            diags.error(lineOf(list[i]),
                        std::string("background : le ") + kNames[i] + " vaut " + shown +
                            " ; chaque composante est un nombre entier de 0 à 255");
            ok = false;
        } else {
            *parts[i] = static_cast<uint8_t>(number->get());
        }
    }
    return ok;
}

void readBackground(const toml::table& root, DefinitionData& d, Diagnostics& diags) {
    const toml::node* node = root.get(kBackground);
    if (!node) return;
    if (const toml::value<std::string>* text = node->as_string())
        readColourText(*node, text->get(), d, diags);
    else if (const toml::array* list = node->as_array())
        readColourList(*node, *list, d, diags);
    else
        diags.error(lineOf(*node), "background doit être \"#RRGGBB\" ou [rouge, vert, bleu], pas " +
                                       describeType(*node));
}

void readHeaderTexts(const toml::table& root, DefinitionData& d, Diagnostics& diags) {
    const Field title = readText(root, kTitle, TextUse::Typed, kTitle, diags, d.title);
    if (title == Field::Absent)
        diags.error(kTopLine, "le quiz n'a pas de titre : ajoutez title = \"...\"");
    else if (title == Field::Ok && d.title.find_first_not_of(' ') == std::string::npos)
        diags.error(lineOf(*root.get(kTitle)),
                    "le titre est vide : écrivez le titre du quiz entre les guillemets");
    readText(root, kAuthor, TextUse::Token, kAuthor, diags, d.author);
    readText(root, kDescription, TextUse::Token, kDescription, diags, d.description);
    readTextPair(root, kCaptions, kCaptions, diags, d.caption1, d.caption2);
}

QuestionRules readSettings(const toml::table& root, DefinitionData& d, Diagnostics& diags) {
    QuestionRules rules;
    rules.kind = readChoice(root, kKind, wordList(kKindNames), -1, diags);
    rules.answersPerQuestion = readAnswersPerQuestion(root, diags);
    if (rules.kind == KindText && rules.answersPerQuestion == 2) {
        // The text row has one answer field: the second answer could never be typed.
        diags.error(lineOf(*root.get(kAnswersPerQuestion)),
                    "un quiz text n'a qu'une case de réponse par question : la seconde réponse "
                    "ne serait jamais demandée ; retirez answers_per_question (ou choisissez "
                    "kind = \"picture\", \"audio\" ou \"video\")");
    }
    rules.revealMode = readChoice(root, kReveal, wordList(kRevealNames), RevealNone, diags);
    readHeaderTexts(root, d, diags);
    readBackground(root, d, diags);
    d.kind = rules.kind;  // -1 when unknown: media formats are then not checked
    d.answersPerQuestion = rules.answersPerQuestion == 0 ? 1 : rules.answersPerQuestion;
    d.revealMode = rules.revealMode < 0 ? RevealNone : rules.revealMode;
    return rules;
}

std::string linkProblemText(const std::string& address, const LinkCheck& check) {
    const std::string example = " ; par exemple link = \"https://www.exemple.fr/quiz\"";
    switch (check.problem) {
    case LinkProblem::None: return "";
    case LinkProblem::Empty: return "link est vide : écrivez l'adresse de votre page" + example;
    case LinkProblem::NotWeb:
        if (address.compare(0, 4, "www.") == 0)
            return "link doit commencer par https:// : écrivez link = \"https://" + address + "\"";
        return "link \"" + address +
               "\" n'est pas une adresse web : seules les adresses qui commencent par https:// "
               "ou http:// sont acceptées (le lien ne doit jamais ouvrir un fichier ni lancer un "
               "programme)" +
               example;
    case LinkProblem::NoHost:
        return "link \"" + address + "\" n'a pas de nom de site après //" + example;
    case LinkProblem::BadChar:
        return "link contient un caractère qu'une adresse web ne peut pas contenir (caractère " +
               std::to_string(check.at + 1) +
               ") : une espace s'écrit %20, et les lettres accentuées ou les signes \" < > \\ ^ "
               "` { | } n'y ont pas leur place" +
               example;
    case LinkProblem::TooLong:
        return "link fait " + std::to_string(address.size()) + " caractères ; au plus " +
               std::to_string(kMaxLinkLength) + " tiennent : donnez une adresse plus courte";
    }
    return "";
}

void readLink(const toml::table& root, QuizFile& quiz, Diagnostics& diags) {
    const toml::node* node = root.get(kLink);
    if (!node) return;
    const toml::value<std::string>* text = node->as_string();
    if (!text) {
        diags.error(lineOf(*node),
                    "link doit être une adresse web entre guillemets, pas " + describeType(*node));
        return;
    }
    const std::string& address = text->get();
    const LinkCheck check = checkWebAddress(address.data(), address.size());
    if (check.problem != LinkProblem::None)
        diags.error(lineOf(*node), linkProblemText(address, check));
    else
        quiz.link = address;
}

// Settings that are valid but do nothing for this kind of quiz.
void warnUnusedSettings(const toml::table& root, const QuestionRules& rules, Diagnostics& diags) {
    const toml::node* reveal = root.get(kReveal);
    if (reveal && rules.kind == KindText && rules.revealMode > RevealNone)
        diags.warn(lineOf(*reveal),
                   "un quiz text ne révèle rien : ni explication ni image de réponse ne "
                   "s'affichent sous ses questions ; retirez reveal, ou choisissez kind = "
                   "\"picture\", \"audio\" ou \"video\"");
    else if (reveal && rules.kind >= 0 && rules.kind != KindPicture &&
             (rules.revealMode == RevealPicture || rules.revealMode == RevealBoth))
        diags.warn(lineOf(*reveal),
                   "les images de réponse ne s'affichent que dans un quiz picture ; avec "
                   "ce type, reveal = \"" +
                       std::string(kRevealNames[rules.revealMode]) + "\" ne révèle aucune image");
    const toml::node* captions = root.get(kCaptions);
    if (captions && (rules.kind == KindText || rules.answersPerQuestion == 1))
        diags.warn(lineOf(*captions),
                   "les légendes (captions) ne s'affichent qu'au-dessus des deux colonnes de "
                   "réponses d'un quiz picture, audio ou video ; ici, elles ne s'affichent jamais");
}

void readQuestions(const toml::table& root, const QuestionRules& rules, QuizFile& quiz,
                   Diagnostics& diags) {
    const toml::node* node = root.get(kQuestions);
    const toml::array* list = node ? node->as_array() : nullptr;
    if (!list || list->empty()) {
        diags.error(node ? lineOf(*node) : kTopLine,
                    "le quiz n'a pas de questions : ajoutez une table [[questions]] par question");
        return;
    }
    int number = 0;
    for (const toml::node& element : *list) {
        ++number;
        const toml::table* table = element.as_table();
        if (!table) {
            diags.error(lineOf(element), "la question " + std::to_string(number) +
                                             " n'est pas une table : écrivez [[questions]] et ses "
                                             "clés");
            continue;
        }
        if (number == kMaxQuestions + 1) {
            const std::string most = std::to_string(kMaxQuestions);
            diags.error(lineOf(element), "question " + std::to_string(number) +
                                             " : un quiz contient au plus " + most +
                                             " questions ; retirez celle-ci et les suivantes");
        }
        QuestionData data;
        QuestionSource source;
        readQuestion(*table, number, rules, data, source, diags);
        quiz.definition.questions.push_back(data);
        quiz.sources.push_back(source);
    }
    quiz.definition.questionCount = static_cast<int>(quiz.definition.questions.size());
}

// codes[k-1] is unlocked at score k; the block always holds one line per question.
void readCodes(const toml::table& root, QuizFile& quiz, Diagnostics& diags) {
    const size_t count = quiz.definition.questions.size();
    quiz.codes.assign(count, std::string());
    const toml::node* node = root.get(kCodes);
    if (!node) return;
    const toml::array* list = node->as_array();
    if (!list) {
        diags.error(lineOf(*node),
                    "codes doit être une liste de textes, comme codes = [\"K7Q2\", \"M3X9\"]");
        return;
    }
    if (list->size() > count && count > 0)
        diags.error(lineOf(*node), "codes donne " + std::to_string(list->size()) +
                                       " codes mais le quiz a " + std::to_string(count) +
                                       (count == 1 ? " question" : " questions") +
                                       " ; le code k se débloque au score k : gardez-en au plus " +
                                       std::to_string(count));
    for (size_t i = 0; i < list->size(); ++i) {
        std::string code;
        const std::string what = "code " + std::to_string(i + 1);
        if (textOf((*list)[i], TextUse::Code, what, diags, code) == Field::Ok && i < count)
            quiz.codes[i] = code;
    }
}

}  // namespace

bool readQuizText(std::string_view text, const std::string& sourceName, QuizFile& quiz,
                  Diagnostics& diags) {
    quiz = QuizFile{};
    const std::vector<TomlSlip> slips = findTomlSlips(text);
    for (const TomlSlip& slip : slips) diags.error(slip.line, slip.message);
    if (!slips.empty()) return false;
    std::string ascii;
    int badLine = 0;
    std::string bad;
    if (!asciiTomlText(text, ascii, badLine, bad) || !checkTomlShape(ascii, badLine, bad)) {
        diags.error(badLine, "syntaxe TOML : " + bad);
        return false;
    }
    toml::table root;
    try {
        root = toml::parse(ascii, std::string_view(sourceName));
    } catch (const toml::parse_error& e) {
        const int line = static_cast<int>(e.source().begin.line);
        const int column = static_cast<int>(e.source().begin.column);
        diags.error(line > 0 ? line : kTopLine, frenchTomlError(e.description(), column));
        return false;
    }
    checkKeys(root, wordList(kQuizKeys), wordList(kQuestionKeys),
              "est une clé de question : placez-la sous un en-tête [[questions]]", diags);
    const QuestionRules rules = readSettings(root, quiz.definition, diags);
    readQuestions(root, rules, quiz, diags);
    readCodes(root, quiz, diags);
    readLink(root, quiz, diags);
    warnUnusedSettings(root, rules, diags);
    warnCutTexts(root, quiz, diags);
    return !diags.hasErrors();
}
