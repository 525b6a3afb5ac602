#include "tools/quizfile/question_reader.h"

#include "quizdata/quiz_types.h"
#include "tools/quizfile/quiz_keys.h"
#include "tools/quizfile/toml_fields.h"

namespace {

using namespace quizkey;

int keyLine(const toml::table& table, const char* key, int fallback) {
    const toml::node* node = table.get(key);
    return node ? lineOf(*node) : fallback;
}

// The player trims what is typed and never accepts an empty field, so such an answer could
// never be matched.
void checkAnswer(const std::string& answer, const std::string& what, int line, Diagnostics& diags) {
    if (answer.empty()) {
        diags.error(
            line, what + " est vide ; personne ne pourrait la taper : écrivez la réponse attendue");
    } else if (answer.front() == ' ' || answer.back() == ' ') {
        diags.error(line, what + (answer.front() == ' ' ? " commence" : " finit") +
                              " par une espace, que le lecteur retire de toute réponse tapée : "
                              "elle ne pourrait jamais correspondre ; retirez l'espace");
    }
}

void readOneAnswer(const toml::table& table, const std::string& prefix, int line,
                   QuestionData& data, Diagnostics& diags) {
    if (table.contains(kAnswers)) {
        diags.error(keyLine(table, kAnswers, line),
                    prefix +
                        "ce quiz a une réponse par question : écrivez answer = \"...\" "
                        "(ou mettez answers_per_question = 2)");
    } else if (!table.contains(kAnswer)) {
        diags.error(line, prefix + "pas de réponse : ajoutez answer = \"...\"");
    } else if (readText(table, kAnswer, TextUse::Typed, prefix + "answer", diags, data.answer1) ==
               Field::Ok) {
        checkAnswer(data.answer1, prefix + "answer", keyLine(table, kAnswer, line), diags);
    }
}

void readTwoAnswers(const toml::table& table, const std::string& prefix, int line,
                    QuestionData& data, Diagnostics& diags) {
    if (table.contains(kAnswer)) {
        diags.error(keyLine(table, kAnswer, line),
                    prefix +
                        "ce quiz a deux réponses par question : écrivez answers = "
                        "[\"...\", \"...\"] (ou mettez answers_per_question = 1)");
    } else if (!table.contains(kAnswers)) {
        diags.error(line, prefix + "pas de réponses : ajoutez answers = [\"...\", \"...\"]");
    }
    if (readTextPair(table, kAnswers, prefix + "answers", diags, data.answer1, data.answer2,
                     TextUse::Typed) == Field::Ok) {
        const int at = keyLine(table, kAnswers, line);
        checkAnswer(data.answer1, prefix + "première réponse", at, diags);
        checkAnswer(data.answer2, prefix + "seconde réponse", at, diags);
    }
}

bool storesExplanations(int mode) {
    return mode == RevealExplanation || mode == RevealBoth || mode == RevealAllAtEnd;
}

void readExplanation(const toml::table& table, const std::string& prefix,
                     const QuestionRules& rules, QuestionData& data, Diagnostics& diags) {
    const int revealMode = rules.revealMode;
    if (readText(table, kExplanation, TextUse::Token, prefix + "explanation", diags,
                 data.explanation) != Field::Ok)
        return;
    if (rules.kind == KindText) {
        // A text quiz's row holds its prompt and its answer field: no room for a reveal.
        diags.warn(keyLine(table, kExplanation, 0),
                   prefix +
                       "un quiz text n'affiche pas d'explication (sa ligne n'a que l'énoncé et "
                       "la case de réponse) : personne ne la verra ; retirez explanation, ou "
                       "choisissez kind = \"picture\", \"audio\" ou \"video\"");
        if (!storesExplanations(revealMode)) data.explanation.clear();
        return;
    }
    if (revealMode < 0 || storesExplanations(revealMode)) return;
    diags.warn(keyLine(table, kExplanation, 0),
               prefix + "explanation est laissée de côté avec reveal = \"" +
                   kRevealNames[revealMode] +
                   "\" ; mettez reveal à \"explanation\", \"both\" ou \"all-at-end\" pour "
                   "l'afficher");
    data.explanation.clear();  // not stored in this mode, so not part of the quiz
}

void readMedia(const toml::table& table, const std::string& prefix, int kind,
               QuestionSource& source, Diagnostics& diags) {
    const Field media = readPath(table, kMedia, prefix + "media", diags, source.media);
    if (kind == KindText && media != Field::Absent) {
        diags.error(
            source.media.line,
            prefix + "un quiz text n'affiche pas de média : retirez media (ou changez kind)");
        source.media = MediaRef{};
    } else if (kind > KindText && media == Field::Absent) {
        static const char* const kNeeds[] = {"", "une image JPEG", "un extrait mp3",
                                             "un extrait avi"};
        diags.error(source.line, prefix + "pas de média : un quiz " + kKindNames[kind] +
                                     " demande " + kNeeds[kind] +
                                     " par question ; ajoutez media = \"...\"");
    }
}

void readAnswerPicture(const toml::table& table, const std::string& prefix,
                       const QuestionRules& rules, QuestionSource& source, Diagnostics& diags) {
    if (readPath(table, kAnswerPicture, prefix + "answer_picture", diags, source.answerPicture) !=
        Field::Ok)
        return;
    const int line = source.answerPicture.line;
    if (rules.kind >= 0 && rules.kind != KindPicture) {
        diags.warn(line, prefix +
                             "seul un quiz picture affiche les images de réponse ; celle-ci "
                             "est enregistrée mais jamais affichée");
    } else if (rules.revealMode >= 0 && rules.revealMode != RevealPicture &&
               rules.revealMode != RevealBoth) {
        diags.warn(line, prefix +
                             "answer_picture ne s'affiche qu'avec reveal = \"picture\" ou "
                             "\"both\" ; elle est enregistrée mais jamais affichée");
    }
}

// Browsers play no avi: a video quiz names, for its page, a clip they play.
void readWebMedia(const toml::table& table, const std::string& prefix, int kind,
                  QuestionSource& source, Diagnostics& diags) {
    if (readPath(table, kWebMedia, prefix + "web_media", diags, source.webMedia) != Field::Ok)
        return;
    if (kind >= 0 && kind != KindVideo) {
        diags.warn(source.webMedia.line, prefix +
                                             "seul un quiz video se sert de web_media ; cet "
                                             "extrait est laissé de côté");
        source.webMedia = MediaRef{};
    }
}

}  // namespace

void readQuestion(const toml::table& table, int number, const QuestionRules& rules,
                  QuestionData& data, QuestionSource& source, Diagnostics& diags) {
    const std::string prefix = "question " + std::to_string(number) + " : ";
    source.line = lineOf(table);
    checkKeys(table, wordList(kQuestionKeys), wordList(kQuizKeys),
              "est un réglage du quiz, pas une clé de question : placez-la avant le premier "
              "[[questions]]",
              diags);

    const bool one = rules.answersPerQuestion == 1 ||
                     (rules.answersPerQuestion == 0 && !table.contains(kAnswers));
    if (one)
        readOneAnswer(table, prefix, source.line, data, diags);
    else
        readTwoAnswers(table, prefix, source.line, data, diags);

    const Field prompt =
        readText(table, kPrompt, TextUse::Token, prefix + "prompt", diags, data.prompt);
    if (prompt == Field::Absent && rules.kind == KindText) {
        diags.error(source.line, prefix +
                                     "pas d'énoncé : un quiz text affiche l'énoncé de chaque "
                                     "question ; ajoutez prompt = \"...\"");
    } else if (prompt == Field::Ok && rules.kind == KindText &&
               data.prompt.find_first_not_of(' ') == std::string::npos) {
        diags.error(keyLine(table, kPrompt, source.line),
                    prefix +
                        "l'énoncé est vide : un quiz text n'affiche que lui ; écrivez la "
                        "question entre les guillemets");
    }
    readExplanation(table, prefix, rules, data, diags);
    readMedia(table, prefix, rules.kind, source, diags);
    readAnswerPicture(table, prefix, rules, source, diags);
    readWebMedia(table, prefix, rules.kind, source, diags);
}
