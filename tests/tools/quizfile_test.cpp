// The quiz file: reading it, every refusal with its line, its media.
#include <gtest/gtest.h>

#include <filesystem>

#include "quizdata/quiz_types.h"
#include "tests/tools/support.h"
#include "tools/quizfile/media_files.h"
#include "tools/quizfile/quiz_reader.h"

namespace fs = std::filesystem;

namespace {

std::string textQuiz(const std::string& settings, const std::string& questions) {
    return "kind = \"text\"\ntitle = \"Quiz\"\n" + settings + questions;
}

const char kOneQuestion[] = "[[questions]]\nprompt = \"P\"\nanswer = \"A\"\n";

std::string manyQuestions(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += kOneQuestion;
    return out;
}

struct BadCase {
    const char* name;
    std::string toml;
    int line;
    std::string message;  // part of the message, as the quiz maker sees it
    bool warning;
};

// Line 1 is `kind`, line 2 `title`, settings follow on line 3.
std::vector<BadCase> badCases() {
    const std::string q = kOneQuestion;
    return {
        {"misspelt quiz key", textQuiz("titel = \"x\"\n", q), 3,
         "clé inconnue 'titel' (vouliez-vous dire 'title' ?)", false},
        {"misspelt question key",
         textQuiz("answers_per_question = 2\n",
                  "[[questions]]\nprompt = \"P\"\nanwsers = [\"a\", \"b\"]\n"),
         6, "clé inconnue 'anwsers' (vouliez-vous dire 'answers' ?)", false},
        {"unknown key far from any", textQuiz("zzzzzz = 1\n", q), 3,
         "clé inconnue 'zzzzzz' ; retirez-la", false},
        {"question key at the top", textQuiz("answer = \"x\"\n", q), 3,
         "'answer' est une clé de question : placez-la sous un en-tête [[questions]]", false},
        {"setting after the questions", textQuiz("", q + "codes = [\"X\"]\n"), 6,
         "'codes' est un réglage du quiz, pas une clé de question", false},
        {"missing answer", textQuiz("", q + "\n[[questions]]\nprompt = \"P\"\n"), 7,
         "question 2 : pas de réponse : ajoutez answer = \"...\"", false},
        {"two answers where one is expected",
         textQuiz("",
                  "[[questions]]\nprompt = \"P\"\n"
                  "answers = [\"a\", \"b\"]\n"),
         5, "question 1 : ce quiz a une réponse par question", false},
        {"one answer where two are expected",
         textQuiz("answers_per_question = 2\n", "[[questions]]\nprompt = \"P\"\nanswer = \"a\"\n"),
         6, "question 1 : ce quiz a deux réponses par question", false},
        {"three answers",
         textQuiz("answers_per_question = 2\n",
                  "[[questions]]\nprompt = \"P\"\nanswers = [\"a\", \"b\", \"c\"]\n"),
         6, "answers doit donner exactement deux textes", false},
        {"text over 259 characters", textQuiz("author = \"" + std::string(260, 'e') + "\"\n", q), 3,
         "author fait 260 caractères ; au plus 259 tiennent", false},
        {"character outside Windows-1252", textQuiz("description = \"Ah Ωmega\"\n", q), 3,
         "description, caractère 4 : 'Ω' (U+03A9) n'a pas d'équivalent en Windows-1252", false},
        {"separator in a text", textQuiz("", "[[questions]]\nprompt = \"P\"\nanswer = \"a|b\"\n"),
         5, "question 1 : answer contient '|' (caractère 2)", false},
        {"line break in a prompt",
         textQuiz("", "[[questions]]\nprompt = \"\"\"x\ny\"\"\"\nanswer = \"a\"\n"), 4,
         "question 1 : prompt contient un saut de ligne (caractère 2)", false},
        {"carriage return in a code", textQuiz("codes = [\"A\\rB\"]\n", q), 3,
         "code 1 contient un saut de ligne (caractère 2)", false},
        {"zero character", textQuiz("", "[[questions]]\nprompt = \"P\"\nanswer = \"a\\u0000\"\n"),
         5, "question 1 : answer contient un caractère nul (caractère 2)", false},
        {"97 questions", textQuiz("", manyQuestions(97)), 3 + 96 * 3,
         "question 97 : un quiz contient au plus 96 questions", false},
        {"more codes than questions", textQuiz("codes = [\"A\", \"B\"]\n", q), 3,
         "codes donne 2 codes mais le quiz a 1 question ; le code k se débloque", false},
        {"colour component out of range", textQuiz("background = [10, 20,\n  300]\n", q), 4,
         "background : le bleu vaut 300", false},
        {"malformed colour", textQuiz("background = \"#12345\"\n", q), 3,
         "background \"#12345\" n'est pas une couleur", false},
        {"colour as a number", textQuiz("background = 5\n", q), 3,
         "background doit être \"#RRGGBB\" ou [rouge, vert, bleu], pas un nombre entier", false},
        {"unknown kind", "title = \"Quiz\"\nkind = \"pictur\"\n" + q, 2,
         "valeur de kind inconnue : \"pictur\" (vouliez-vous dire \"picture\" ?)", false},
        {"missing kind", "title = \"Quiz\"\n" + q, 1, "le quiz n'a pas de kind", false},
        {"unknown reveal", textQuiz("reveal = \"everything\"\n", q), 3,
         "valeur de reveal inconnue : \"everything\" ; utilisez \"none\", \"picture\"", false},
        {"answers per question out of range", textQuiz("answers_per_question = 3\n", q), 3,
         "answers_per_question doit valoir 1 ou 2", false},
        {"answers per question in quotes", textQuiz("answers_per_question = \"1\"\n", q), 3,
         "answers_per_question doit valoir 1 ou 2, écrit sans guillemets : answers_per_question = "
         "1",
         false},
        {"missing title", "kind = \"text\"\n" + q, 1, "le quiz n'a pas de titre", false},
        {"no questions", textQuiz("", ""), 1, "le quiz n'a pas de questions", false},
        {"title of the wrong type", "kind = \"text\"\ntitle = 12\n" + q, 2,
         "title doit être un texte entre guillemets, pas un nombre entier", false},
        {"empty answer", textQuiz("", "[[questions]]\nprompt = \"P\"\nanswer = \"\"\n"), 5,
         "question 1 : answer est vide", false},
        {"answer ending in a space",
         textQuiz("", "[[questions]]\nprompt = \"P\"\nanswer = \"Paris \"\n"), 5,
         "question 1 : answer finit par une espace", false},
        {"text quiz without prompt", textQuiz("", "[[questions]]\nanswer = \"a\"\n"), 3,
         "question 1 : pas d'énoncé", false},
        {"media in a text quiz", textQuiz("", q + "media = \"a.jpg\"\n"), 6,
         "question 1 : un quiz text n'affiche pas de média", false},
        {"picture quiz without media",
         "kind = \"picture\"\ntitle = \"Q\"\n\n[[questions]]\nanswer = \"a\"\n", 4,
         "question 1 : pas de média : un quiz picture demande une image JPEG", false},
        {"TOML syntax", textQuiz("author = \"unclosed\n", q), 3, "syntaxe TOML :", false},
        {"letter outside quotes", textQuiz("zz\u00e9 = \"x\"\n", q), 3,
         "syntaxe TOML : '\u00e9' est hors des guillemets", false},
        {"letter outside quotes after every kind of string",
         textQuiz("description = '''it's \"\"\"\u00e9\"\"\" ''''\n"
                  "author = \"\"\"a\\\"\"\"\u00e9\n\"\"\"\"\"\n"
                  "# comment \u00e9\ncaptions = ['\u00e9', \"\\\"\u00e9\"]\n\u00a1 = 1\n",
                  q),
         8, "syntaxe TOML : '\u00a1' est hors des guillemets", false},
        {"table header broken across lines", textQuiz("", "[[\nquestions]]\n"), 3,
         "syntaxe TOML : dans une clé : on attendait une clé", false},
        {"misspelt boolean", textQuiz("x = te\n", q), 3,
         "dans une valeur true ou false : on attendait 'true', on trouve 'te' (colonne 6)", false},
        {"unknown parser message", textQuiz("x = 1979-05-27T07:32:00+25:00\n", q), 3,
         "syntaxe TOML : cette ligne n'est pas du TOML valable (colonne 27)", false},
        {"deeply nested lists", textQuiz("x = " + std::string(40, '[') + "\n", q), 3,
         "syntaxe TOML : plus de 8 crochets ou accolades", false},
        {"tab in an answer", textQuiz("", "[[questions]]\nprompt = \"P\"\nanswer = \"a\tb\"\n"), 5,
         "question 1 : answer contient une tabulation (U+0009, caractère 2)", false},
        {"C1 control in the title", "kind = \"text\"\ntitle = \"T\\u0081\"\n" + q, 2,
         "title contient un caractère de contrôle (U+0081, caractère 2)", false},
        {"empty title", "kind = \"text\"\ntitle = \" \"\n" + q, 2, "le titre est vide", false},
        {"empty prompt", textQuiz("", "[[questions]]\nprompt = \"\"\nanswer = \"a\"\n"), 4,
         "question 1 : l'énoncé est vide", false},
        {"not UTF-8", textQuiz("# ok\nauthor = \"x\" \xff\n", q), 4,
         "syntaxe TOML : l'octet 0xFF n'est pas de l'UTF-8", false},
        {"answer picture without a picture reveal",
         "kind = \"picture\"\ntitle = \"Q\"\n[[questions]]\nanswer = \"a\"\nmedia = \"q.jpg\"\n"
         "answer_picture = \"a.jpg\"\n",
         6, "question 1 : answer_picture ne s'affiche qu'avec reveal = \"picture\" ou \"both\"",
         true},
        {"explanation that is never shown",
         "kind = \"picture\"\ntitle = \"Q\"\n[[questions]]\nanswer = \"a\"\nmedia = \"q.jpg\"\n"
         "explanation = \"E\"\n",
         6, "question 1 : explanation est laissée de côté avec reveal = \"none\"", true},
        // What a text quiz never shows.
        {"explanation in a text quiz", textQuiz("", q + "explanation = \"E\"\n"), 6,
         "question 1 : un quiz text n'affiche pas d'explication", true},
        {"reveal in a text quiz", textQuiz("reveal = \"explanation\"\n", q), 3,
         "un quiz text ne révèle rien", true},
        {"two answers in a text quiz",
         textQuiz("answers_per_question = 2\n",
                  "[[questions]]\nprompt = \"P\"\nanswers = [\"a\", \"b\"]\n"),
         3, "un quiz text n'a qu'une case de réponse par question", false},
        // Texts the player cuts.
        {"code wider than the code box", textQuiz("codes = [\"NAPOLEON\"]\n", q), 3,
         "code 1 ne tient pas dans sa case de 53 \u00d7 16 pixels : on n'en voit que \u00ab NAPOLE "
         "\u00bb",
         true},
        {"title on two lines",
         "kind = \"text\"\ntitle = \"Les grandes capitales du monde entier\"\n" + q, 2,
         "le titre ne tient pas dans sa case de 220 \u00d7 18 pixels : sur 2 lignes", true},
        {"long prompt",
         textQuiz("", "[[questions]]\nanswer = \"A\"\nprompt = \"" + std::string(90, 'm') + "\"\n"),
         5, "question 1 : l'énoncé ne tient pas dans sa case de 550 \u00d7 20 pixels", true},
        // The maker's link.
        {"link to a file", textQuiz("link = \"file:///C:/Windows/calc.exe\"\n", q), 3,
         "n'est pas une adresse web : seules les adresses qui commencent par https:// ou http://",
         false},
        {"link without its scheme", textQuiz("link = \"www.exemple.fr\"\n", q), 3,
         "link doit commencer par https:// : écrivez link = \"https://www.exemple.fr\"", false},
        {"link with a space", textQuiz("link = \"https://a.fr/mon quiz\"\n", q), 3,
         "link contient un caractère qu'une adresse web ne peut pas contenir (caractère 17)",
         false},
        // A non-programmer's slips, each with its fix.
        {"typographic quotes", textQuiz("author = \u00abMarie\u00bb\n", q), 3,
         "n'est pas un guillemet pour velto ; les textes s'écrivent entre guillemets droits "
         "\"...\" "
         "(touche 3 du clavier français) : écrivez author = \"Marie\"",
         false},
        {"typographic quotes in a list", textQuiz("codes = [\u201cA\u201d]\n", q), 3,
         "'\u201c' n'est pas un guillemet pour velto", false},
        {"apostrophe inside apostrophes", textQuiz("author = 'L'ami'\n", q), 3,
         "écrivez le texte entre guillemets droits : author = \"L'ami\"", false},
        {"missing opening quote", textQuiz("author = Marie\"\n", q), 3,
         "il manque le guillemet droit \" qui ouvre le texte : écrivez author = \"Marie\"", false},
        {"missing equals sign", textQuiz("author: \"Marie\"\n", q), 3,
         "il manque le signe = entre la clé et sa valeur : écrivez author = \"Marie\"", false},
        {"comma after a text", textQuiz("author = \"Marie\",\n", q), 3,
         "la virgule après le texte est de trop : écrivez author = \"Marie\"", false},
        {"quotes inside a text", textQuiz("author = \"Le \"grand\" Marc\"\n", q), 3,
         "un guillemet \" dans le texte le termine : pour des guillemets dans un texte, écrivez-le "
         "entre apostrophes (author = 'Le \"grand\" Marc')",
         false},
        {"missing value", textQuiz("author =\n", q), 3,
         "il manque la valeur après le signe = : écrivez author = \"...\"", false},
        {"key in two words", textQuiz("", q + "answer picture = \"a.jpg\"\n"), 6,
         "une clé s'écrit d'un seul mot, sans espace : écrivez answer_picture", false},
        {"colour without its #", textQuiz("background = \"5A5F96\"\n", q), 3,
         "écrivez \"#5A5F96\", avec # devant les six chiffres", false},
        {"text without quotes", textQuiz("", "[[questions]]\nprompt = Paris\n"), 4,
         "un texte s'écrit entre guillemets droits \"...\" : écrivez prompt = \"Paris\"", false},
        {"one bracket for a question", textQuiz("", "[questions]\nprompt = \"P\"\n"), 3,
         "écrivez [[questions]], avec deux crochets de chaque côté", false},
        {"header without its bracket", textQuiz("", "[[questions]\nprompt = \"P\"\n"), 3,
         "il manque ']' : écrivez [[questions]]", false},
        {"list without its bracket", textQuiz("codes = [\"A\", \"B\"\n", q), 3,
         "il manque ']' à la fin de la liste : écrivez codes = [\"A\", \"B\"]", false},
        {"backslash in a file name", textQuiz("", q + "media = \"images\\france.jpg\"\n"), 6,
         "séparez les dossiers par / : écrivez media = \"images/france.jpg\" (ou, entre "
         "apostrophes, media = 'images\\france.jpg')",
         false},
        {"Windows path in a text", textQuiz("description = \"C:\\Users\\moi\"\n", q), 3,
         "'\\U' entre guillemets n'est pas un échappement connu ; pour une barre oblique inverse, "
         "écrivez \\\\",
         false},
        {"French key with accents", textQuiz("", q + "r\u00e9ponse = \"x\"\n"), 6,
         "clé inconnue 'r\u00e9ponse' : les clés s'écrivent en anglais, sans accent : écrivez "
         "answer",
         false},
        {"French key", textQuiz("titre = \"x\"\n", q), 3,
         "clé inconnue 'titre' (vouliez-vous dire 'title' ?)", false},
        {"French kind", "title = \"Quiz\"\nkind = \"vid\u00e9o\"\n" + q, 2,
         "valeur de kind inconnue : \"vid\u00e9o\" (vouliez-vous dire \"video\" ?)", false},
        {"French reveal", textQuiz("reveal = \"les deux\"\n", q), 3,
         "(vouliez-vous dire \"both\" ?)", false},
        {"form feed in a file name", textQuiz("", q + "media = \"\"\"a\\fb.jpg\"\"\"\n"), 6,
         "media contient un caractère invisible venu d'une barre oblique inverse", false},
        {"captions of a one-answer quiz", textQuiz("captions = [\"A\", \"B\"]\n", q), 3,
         "ne s'affichent qu'au-dessus des deux colonnes de réponses", true},
    };
}

TEST(QuizFileTest, EachProblemIsReportedAtItsLine) {
    for (const BadCase& c : badCases()) {
        SCOPED_TRACE(c.name);
        QuizFile quiz;
        Diagnostics diags;
        const bool ok = readQuizText(c.toml, "case.toml", quiz, diags);
        EXPECT_EQ(ok, c.warning);
        bool found = false;
        for (const Diagnostic& d : diags.items) {
            if (d.line == c.line && d.warning == c.warning &&
                d.message.find(c.message) != std::string::npos)
                found = true;
        }
        EXPECT_TRUE(found) << "wanted line " << c.line << ": " << c.message << "\ngot:\n"
                           << formatDiagnostics("case.toml", diags);
    }
}

TEST(QuizFileTest, AWarningForManyQuestionsIsSaidOnce) {
    QuizFile quiz;
    Diagnostics diags;
    const std::string q = std::string(kOneQuestion) + "explanation = \"E\"\n";
    ASSERT_TRUE(readQuizText(textQuiz("", q + q + q), "q.toml", quiz, diags));
    EXPECT_EQ(formatDiagnostics("q.toml", diags),
              "q.toml:6: avertissement : questions 1, 2 et 3 (3 questions) : un quiz text "
              "n'affiche pas d'explication (sa ligne n'a que l'énoncé et la case de réponse) : "
              "personne ne la verra ; retirez explanation, ou choisissez kind = \"picture\", "
              "\"audio\" ou \"video\"\n");
}

TEST(QuizFileTest, AllProblemsOfAFileAreReportedTogether) {
    const std::string toml =
        "kind = \"text\"\ntitle = \"a|b\"\nbackground = \"red\"\n"
        "[[questions]]\nprompt = \"P\"\nanswr = \"x\"\n";
    QuizFile quiz;
    Diagnostics diags;
    EXPECT_FALSE(readQuizText(toml, "q.toml", quiz, diags));
    EXPECT_EQ(diags.errorCount(), 4) << formatDiagnostics("q.toml", diags);
    EXPECT_EQ(formatDiagnostics("q.toml", diags).substr(0, 12), "q.toml:2: ti");
}

TEST(QuizFileTest, ReadsEverySettingOfAFullQuiz) {
    const std::string toml = R"(kind = "picture"
title = "Capitales d'Europe"
author = "Marie"
description = "Trouvez la capitale. Coût : 5 €"
answers_per_question = 2
captions = ["Pays", "Capitale"]
reveal = "both"
background = "#0A141E"
codes = ["K7Q2", "M3X9"]

[[questions]]
answers = ["France", "Paris"]
explanation = "Capitale depuis 987."
media = "img/paris.jpg"
answer_picture = "img/paris-réponse.jpg"

[[questions]]
prompt = "Deuxième"
answers = ["Italie", "Rome"]
media = "/abs/rome.jpg"
)";
    QuizFile quiz;
    Diagnostics diags;
    ASSERT_TRUE(readQuizText(toml, "q.toml", quiz, diags)) << formatDiagnostics("q.toml", diags);
    EXPECT_TRUE(diags.items.empty());
    const DefinitionData& d = quiz.definition;
    EXPECT_EQ(d.kind, KindPicture);
    EXPECT_EQ(d.title, "Capitales d'Europe");
    EXPECT_EQ(d.description, "Trouvez la capitale. Co\xFBt : 5 \x80");
    EXPECT_EQ(d.author, "Marie");
    EXPECT_EQ(d.answersPerQuestion, 2);
    EXPECT_EQ(d.caption1, "Pays");
    EXPECT_EQ(d.caption2, "Capitale");
    EXPECT_EQ(d.revealMode, RevealBoth);
    EXPECT_EQ(d.bgRed, 0x0A);
    EXPECT_EQ(d.bgGreen, 0x14);
    EXPECT_EQ(d.bgBlue, 0x1E);
    ASSERT_EQ(d.questionCount, 2);
    ASSERT_EQ(d.questions.size(), 2u);
    EXPECT_EQ(d.questions[0].answer1, "France");
    EXPECT_EQ(d.questions[0].answer2, "Paris");
    EXPECT_EQ(d.questions[0].explanation, "Capitale depuis 987.");
    EXPECT_EQ(d.questions[0].prompt, "");
    EXPECT_EQ(d.questions[1].prompt, "Deuxi\xE8me");
    EXPECT_EQ(d.questions[1].explanation, "");
    EXPECT_EQ(quiz.codes, (std::vector<std::string>{"K7Q2", "M3X9"}));
    ASSERT_EQ(quiz.sources.size(), 2u);
    EXPECT_EQ(quiz.sources[0].line, 11);
    EXPECT_EQ(quiz.sources[0].media.path, "img/paris.jpg");
    EXPECT_EQ(quiz.sources[0].media.line, 14);
    EXPECT_EQ(quiz.sources[0].answerPicture.path, u8"img/paris-réponse.jpg");
    EXPECT_FALSE(quiz.sources[1].answerPicture.given());
    EXPECT_EQ(quiz.sources[1].media.path, "/abs/rome.jpg");
}

// Every kind of TOML string means the same once letters beyond ASCII are in it.
TEST(QuizFileTest, AllStringFormsKeepTheirMeaning) {
    const std::string toml =
        "\xEF\xBB\xBFkind = \"text\"  # r\u00e9sum\u00e9 \U0001F600\n"
        "title = 'C:\\dossier \"\u00e9t\u00e9\"'\n"
        "author = '''\nl'\u00e9t\u00e9 \\n''''\n"
        "description = \"\"\"\\\n   caf\u00e9 \\u00e9 \"\"\"\"\n"
        "captions = [\"\u0153uvre\", '\u20ac']\nreveal = \"explanation\"\n"
        "[[questions]]\nprompt = \"\u00ab P \u00bb\"\nanswer = \"A\"\n"
        "explanation = \"E\u0301te\u0301 c\u0327a S\u030C \\u0065\\u0301\"\n";  // decomposed
    QuizFile quiz;
    Diagnostics diags;
    ASSERT_TRUE(readQuizText(toml, "q.toml", quiz, diags)) << formatDiagnostics("q.toml", diags);
    EXPECT_EQ(quiz.definition.title, "C:\\dossier \"\xE9t\xE9\"");
    EXPECT_EQ(quiz.definition.author, "l'\xE9t\xE9 \\n'");
    EXPECT_EQ(quiz.definition.description, "caf\xE9 \xE9 \"");
    EXPECT_EQ(quiz.definition.caption1,
              "\x9C"
              "uvre");
    EXPECT_EQ(quiz.definition.caption2, "\x80");
    EXPECT_EQ(quiz.definition.questions[0].prompt, "\xAB P \xBB");
    EXPECT_EQ(quiz.definition.questions[0].explanation,
              "\xC9t\xE9 \xE7"
              "a \x8A \xE9");
}

TEST(QuizFileTest, DefaultsAndPaddedCodes) {
    QuizFile quiz;
    Diagnostics diags;
    ASSERT_TRUE(
        readQuizText(textQuiz("codes = [\"A\"]\nbackground = [1, 2, 3]\n", manyQuestions(3)),
                     "q.toml", quiz, diags));
    EXPECT_EQ(quiz.definition.answersPerQuestion, 1);
    EXPECT_EQ(quiz.definition.revealMode, RevealNone);
    EXPECT_EQ(quiz.definition.bgRed, 1);
    EXPECT_EQ(quiz.definition.bgBlue, 3);
    // The codes block holds one line per question, so a built quiz never lacks its codes.
    EXPECT_EQ(quiz.codes, (std::vector<std::string>{"A", "", ""}));
    QuizFile plain;
    // 259 accented letters are 518 bytes of UTF-8 but 259 characters of the player: they fit.
    std::string accents;
    for (int i = 0; i < 259; ++i) accents += u8"\u00e9";
    ASSERT_TRUE(readQuizText(textQuiz("author = \"" + accents + "\"\n", kOneQuestion), "q.toml",
                             plain, diags));
    EXPECT_EQ(plain.definition.author, std::string(259, '\xE9'));
    EXPECT_EQ(plain.definition.bgRed, 90);
    EXPECT_EQ(plain.definition.bgGreen, 95);
    EXPECT_EQ(plain.definition.bgBlue, 150);
    EXPECT_EQ(plain.codes, std::vector<std::string>{""});
}

TEST(QuizFileTest, AnExplanationOutsideItsRevealModeIsNotStored) {
    QuizFile quiz;
    Diagnostics diags;
    ASSERT_TRUE(readQuizText(
        textQuiz("reveal = \"picture\"\n", std::string(kOneQuestion) + "explanation = \"E\"\n"),
        "q.toml", quiz, diags));
    EXPECT_EQ(quiz.definition.questions[0].explanation, "");
    EXPECT_EQ(diags.warningCount(), 2);  // the explanation, and a picture reveal in a text quiz
}

TEST(QuizFileTest, MediaSignatures) {
    struct Case {
        MediaFormat format;
        std::vector<uint8_t> bytes;
        bool accepted;
    } cases[] = {
        {MediaFormat::Jpeg, {0xFF, 0xD8, 0xFF, 0xE0}, true},
        {MediaFormat::Jpeg, {0xFF, 0xD8}, false},
        {MediaFormat::Jpeg, {0x89, 'P', 'N', 'G'}, false},
        {MediaFormat::Mp3, {'I', 'D', '3', 4, 0}, true},
        {MediaFormat::Mp3, {0xFF, 0xFB, 0x90}, true},
        {MediaFormat::Mp3, {0xFF, 0xE3}, true},
        {MediaFormat::Mp3, {0xFF, 0xD8, 0xFF}, false},
        {MediaFormat::Mp3, {'R', 'I', 'F', 'F'}, false},
        {MediaFormat::Avi, {'R', 'I', 'F', 'F', 1, 2, 3, 4, 'A', 'V', 'I', ' ', 'L'}, true},
        {MediaFormat::Avi, {'R', 'I', 'F', 'F', 1, 2, 3, 4, 'W', 'A', 'V', 'E'}, false},
        {MediaFormat::Avi, {'R', 'I', 'F', 'F', 1, 2, 3, 4, 'A', 'V', 'I'}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hasMediaSignature(c.format, c.bytes), c.accepted)
            << mediaExtension(c.format) << " case of " << c.bytes.size() << " bytes";
    }
}

class QuizMediaTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("velto-media-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "img");
    }
    void TearDown() override { fs::remove_all(dir_); }
    void write(const std::string& name, const std::string& bytes) {
        toolstest::writeFile(dir_ / name, bytes);
    }
    fs::path dir_;
};

TEST_F(QuizMediaTest, ReadsMediaAndReportsEachBadFileAtItsLine) {
    write("img/ok.jpg", "\xFF\xD8\xFF\xE0rest");
    write("img/png.jpg", "\x89PNG\r\n\x1A\n");
    write("img/text.jpg", "pas une image");
    write("img/empty.jpg", "");
    const std::string toml =
        "kind = \"picture\"\ntitle = \"Q\"\nreveal = \"picture\"\n"
        "[[questions]]\nanswer = \"a\"\nmedia = \"img/ok.jpg\"\nanswer_picture = \"img/png.jpg\"\n"
        "[[questions]]\nanswer = \"b\"\nmedia = \"img/none.jpg\"\n"
        "[[questions]]\nanswer = \"c\"\nmedia = \"img/empty.jpg\"\n"
        "[[questions]]\nanswer = \"d\"\nmedia = \"img\"\n"
        "[[questions]]\nanswer = \"e\"\nmedia = \"img/text.jpg\"\n";
    QuizFile quiz;
    Diagnostics diags;
    ASSERT_TRUE(readQuizText(toml, "q.toml", quiz, diags));
    std::vector<std::string> seen;
    loadQuizMedia(quiz, dir_, diags, [&](int n, int total, const std::string& path) {
        seen.push_back(std::to_string(n) + "/" + std::to_string(total) + " " + path);
    });
    EXPECT_EQ(seen.front(), "1/6 img/ok.jpg");
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(quiz.sources[0].media.bytes.size(), 8u);
    const std::string report = formatDiagnostics("q.toml", diags);
    EXPECT_EQ(diags.errorCount(), 5) << report;
    // Pictures the player may still show are warned about, those Windows cannot are refused.
    EXPECT_NE(report.find("q.toml:6: avertissement : 'img/ok.jpg' est une image JPEG tronquée"),
              std::string::npos);
    EXPECT_NE(report.find("q.toml:7: 'img/png.jpg' est une image PNG, pas une image JPEG ; "
                          "Windows n'affiche"),
              std::string::npos);
    EXPECT_NE(report.find("q.toml:19: 'img/text.jpg' n'est pas une image JPEG"), std::string::npos);
    EXPECT_NE(report.find("q.toml:10: impossible de lire 'img/none.jpg' : fichier introuvable"),
              std::string::npos);
    EXPECT_NE(report.find("q.toml:13: 'img/empty.jpg' est vide"), std::string::npos);
    EXPECT_NE(report.find("q.toml:16: impossible de lire 'img' : c'est un dossier"),
              std::string::npos);
}

TEST_F(QuizMediaTest, KindDecidesTheFormatOfQuestionMedia) {
    write("clip.mp3", "RIFF\1\2\3\4AVI ");
    write("clip.avi", "RIFF\1\2\3\4AVI ");
    for (const char* kind : {"audio", "video"}) {
        SCOPED_TRACE(kind);
        const std::string toml = std::string("kind = \"") + kind +
                                 "\"\ntitle = \"Q\"\n"
                                 "[[questions]]\nanswer = \"a\"\nmedia = \"clip." +
                                 (kind[0] == 'a' ? "mp3" : "avi") + "\"\n";
        QuizFile quiz;
        Diagnostics diags;
        ASSERT_TRUE(readQuizText(toml, "q.toml", quiz, diags));
        loadQuizMedia(quiz, dir_, diags);
        EXPECT_EQ(diags.hasErrors(), kind[0] == 'a') << formatDiagnostics("q.toml", diags);
    }
}

}  // namespace
