// The loader against resource-only modules whose PATCH resources were packed at build time.
#include "quizdata/win/loader.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/win/support.h"

namespace {

using Messages = std::vector<std::pair<std::string, std::string>>;
Messages gMessages;

void recordMessage(const char* text, const char* title) { gMessages.emplace_back(text, title); }

PlayerHooks hooks() {
    PlayerHooks hooks = kDefaultPlayerHooks;
    hooks.showMessage = recordMessage;
    return hooks;
}

std::string modulePath(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "loader_modules\\" + name + ".dll";
}

int itemCount(const Quiz* quiz) {
    int count = 0;
    for (const QuizItem* item = quiz->firstItem; item; item = item->next) ++count;
    return count;
}

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        gMessages.clear();
        quiz_ = static_cast<Quiz*>(std::calloc(1, sizeof(Quiz)));
        applyDefaults(quiz_);
        defaultBrush_ = quiz_->bgBrush;
    }
    void TearDown() override {
        releaseQuiz(quiz_);
        std::free(quiz_);
        if (module_) FreeLibrary(module_);
        quiz_ = nullptr;
        module_ = nullptr;
    }
    void restart() {
        TearDown();
        SetUp();
    }
    void load(const char* name) {
        module_ = LoadLibraryExA(modulePath(name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << modulePath(name);
        loadQuizFromModule(quiz_, module_, hooks());
    }
    // The definition was not applied at all: the record still holds the defaults.
    void expectDefaults() {
        EXPECT_STREQ(quiz_->title, "nom du velto");
        EXPECT_STREQ(quiz_->author, " createur");
        EXPECT_STREQ(quiz_->description, "");
        EXPECT_EQ(quiz_->kind, KindText);
        EXPECT_EQ(quiz_->questionCount, 2);
        EXPECT_EQ(quiz_->answersPerQuestion, 1);
        EXPECT_EQ(quiz_->revealMode, RevealNone);
        EXPECT_EQ(quiz_->bgBrush, defaultBrush_);
        EXPECT_EQ(itemCount(quiz_), 0);
        EXPECT_EQ(quiz_->firstItem, nullptr);
        EXPECT_EQ(quiz_->lastItem, nullptr);
    }
    void expectNoCodes() {
        for (int i = 0; i < kCodeCount; ++i) EXPECT_STREQ(quiz_->codes[i], "") << i;
    }

    Quiz* quiz_ = nullptr;
    HMODULE module_ = nullptr;
    HBRUSH defaultBrush_ = nullptr;
};

TEST_F(LoaderTest, AbsentOrEmptyDefinitionGivesTheFallbackQuizSilently) {
    for (const char* name : {"absent", "empty_definition"}) {
        SCOPED_TRACE(name);
        restart();
        load(name);
        EXPECT_TRUE(gMessages.empty());
        EXPECT_STREQ(quiz_->title, "Nom du velto");
        EXPECT_STREQ(quiz_->author, "Createur velto");
        EXPECT_STREQ(quiz_->description, "Explications du velto");
        EXPECT_STREQ(quiz_->caption1, "TEST");
        EXPECT_STREQ(quiz_->caption2, "TEST");
        EXPECT_EQ(quiz_->kind, KindPicture);
        EXPECT_EQ(quiz_->questionCount, 7);
        EXPECT_EQ(quiz_->answersPerQuestion, 2);
        EXPECT_EQ(quiz_->revealMode, RevealBoth);
        EXPECT_EQ(quiz_->bgRed, 53);
        EXPECT_EQ(quiz_->bgGreen, 203);
        EXPECT_EQ(quiz_->bgBlue, 163);
        EXPECT_EQ(brushColour(quiz_->bgBrush), 0x00A3CB35u);
        EXPECT_EQ(GetObjectType(defaultBrush_), 0u) << "the default brush is deleted";
        ASSERT_EQ(itemCount(quiz_), 2);
        for (int q = 0; q < 7; ++q) {
            const QuizItem* item = itemAt(quiz_, q);
            EXPECT_STREQ(item->answer1, "test");
            EXPECT_STREQ(item->answer2, "test");
            EXPECT_STREQ(item->prompt, "emplacement");
            EXPECT_STREQ(item->explanation, "");
        }
        expectNoCodes();  // the second module carries codes: they are not read
    }
}

TEST_F(LoaderTest, DamagedDefinitionKeepsTheDefaultsAndSkipsTheCodes) {
    // Does not unpack; ends inside the colour bytes, inside a token, inside the header;
    // declares 97 questions.
    for (const char* name :
         {"damaged_definition", "cut_colour", "cut_token", "cut_header", "too_many_questions"}) {
        SCOPED_TRACE(name);
        restart();
        load(name);
        ASSERT_EQ(gMessages.size(), 1u);
        EXPECT_EQ(gMessages[0].first, "Erreur dans le décryptage des reponses");
        EXPECT_EQ(gMessages[0].second, "Velto");
        expectDefaults();
        EXPECT_EQ(brushColour(quiz_->bgBrush), RGB(90, 95, 150));
        expectNoCodes();
    }
}

struct ItemExpect {
    std::string answer1, answer2, prompt, explanation;
};

struct LoadCase {
    const char* module;
    int kind, questionCount, answersPerQuestion;
    std::string title, author, description, caption1, caption2;
    int revealMode;
    BYTE red, green, blue;
    std::vector<ItemExpect> items;
    std::vector<std::string> codes;  // leading entries; every later one is empty
    std::vector<std::string> messages;
};

std::string k259(char letter) { return std::string(259, letter); }

std::vector<LoadCase> loadCases() {
    const std::vector<ItemExpect> capitals = {
        {"Paris", "", "France", ""}, {"Rome", "", "Italie", ""}, {"Oslo", "", "Norvège", ""}};
    auto capitalsWith = [&](const char* module, std::vector<std::string> codes,
                            std::vector<std::string> messages) {
        return LoadCase{module,  KindText, 3,          1,  "Capitales", "Ana", "Trois villes",
                        "Ville", "",       RevealNone, 10, 20,          30,    capitals,
                        codes,   messages};
    };
    return {
        capitalsWith("text_plain", {"AAA", "BBB", "CCC"}, {}),
        {"picture_pairs",
         KindPicture,
         2,
         2,
         "Animaux",
         "Bo",
         "Deux par image",
         "Nom",
         "Cri",
         RevealPicture,
         1,
         2,
         3,
         {{"chat", "miaou", "p1", ""}, {"chien", "ouaf", "p2", ""}},
         {"K1", "K2"},
         {}},
        {"audio_explained",
         KindAudio,
         2,
         1,
         "Sons",
         "Cy",
         "",
         "",
         "",
         RevealExplanation,
         200,
         100,
         50,
         {{"piano", "", "a1", "un piano"}, {"orgue", "", "a2", "un orgue"}},
         {"K1", "K2"},
         {}},
        {"video_both",
         KindVideo,
         2,
         2,
         "Films",
         "Di",
         "",
         "Titre",
         "Année",
         RevealBoth,
         7,
         8,
         9,
         {{"Alien", "1979", "v1", "x1"}, {"Heat", "1995", "v2", "x2"}},
         {"K1", "K2"},
         {}},
        {"text_all_at_end",
         KindText,
         2,
         2,
         "Fin",
         "Ed",
         "",
         "",
         "",
         RevealAllAtEnd,
         0,
         0,
         0,
         {{"un", "one", "1", "e1"}, {"deux", "two", "2", "e2"}},
         {"K1", "K2"},
         {}},
        {"odd_values",
         4,
         2,
         3,
         "Bizarre",
         "Fa",
         "",
         "",
         "",
         7,
         1,
         1,
         1,
         {{"a", "", "q1", ""}, {"b", "", "q2", ""}},
         {"K1", "K2"},
         {}},
        {"no_questions",
         KindText,
         0,
         1,
         "Vide",
         "Gi",
         "",
         "",
         "",
         RevealExplanation,
         11,
         12,
         13,
         {},
         {},
         {}},
        {"long_texts",
         KindText,
         1,
         1,
         k259('T'),
         "Hu",
         "",
         "",
         "",
         RevealNone,
         5,
         5,
         5,
         {{k259('R'), "", k259('P'), ""}},
         {k259('Z')},
         {}},
        capitalsWith("codes_absent", {}, {"Codes non trouvés."}),
        capitalsWith("codes_empty", {}, {"Codes non renseignés."}),
        capitalsWith("codes_damaged", {}, {"Erreur dans le décryptage des codes"}),
        capitalsWith("codes_more", {"C1", "C2", "C3"}, {}),
        capitalsWith("codes_fewer", {"SEUL"}, {}),
    };
}

void expectItems(Quiz* quiz, const LoadCase& c) {
    ASSERT_EQ(itemCount(quiz), static_cast<int>(c.items.size()));
    for (size_t i = 0; i < c.items.size(); ++i) {
        SCOPED_TRACE(i);
        const QuizItem* item = itemAt(quiz, static_cast<int>(i));
        EXPECT_EQ(item->answer1, c.items[i].answer1);
        EXPECT_EQ(item->answer2, c.items[i].answer2);
        EXPECT_EQ(item->prompt, c.items[i].prompt);
        EXPECT_EQ(item->explanation, c.items[i].explanation);
    }
    if (!c.items.empty()) {
        EXPECT_EQ(quiz->firstItem->prev, nullptr);
        EXPECT_EQ(quiz->lastItem->next, nullptr);
    }
}

TEST_F(LoaderTest, LoadsEveryKindAndRevealMode) {
    for (const LoadCase& c : loadCases()) {
        SCOPED_TRACE(c.module);
        restart();
        load(c.module);
        EXPECT_EQ(quiz_->kind, c.kind);
        EXPECT_EQ(quiz_->questionCount, c.questionCount);
        EXPECT_EQ(quiz_->answersPerQuestion, c.answersPerQuestion);
        EXPECT_EQ(std::string(quiz_->title), c.title);
        EXPECT_EQ(std::string(quiz_->author), c.author);
        EXPECT_EQ(std::string(quiz_->description), c.description);
        EXPECT_EQ(std::string(quiz_->caption1), c.caption1);
        EXPECT_EQ(std::string(quiz_->caption2), c.caption2);
        EXPECT_EQ(quiz_->revealMode, c.revealMode);
        EXPECT_EQ(quiz_->bgRed, c.red);
        EXPECT_EQ(quiz_->bgGreen, c.green);
        EXPECT_EQ(quiz_->bgBlue, c.blue);
        EXPECT_EQ(brushColour(quiz_->bgBrush), RGB(c.red, c.green, c.blue));
        EXPECT_EQ(GetObjectType(defaultBrush_), 0u) << "the default brush is deleted";
        expectItems(quiz_, c);
        for (int i = 0; i < kCodeCount; ++i) {
            const std::string expected = i < static_cast<int>(c.codes.size()) ? c.codes[i] : "";
            EXPECT_EQ(std::string(quiz_->codes[i]), expected) << "code " << i;
        }
        ASSERT_EQ(gMessages.size(), c.messages.size());
        for (size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(gMessages[i].first, c.messages[i]);
            EXPECT_EQ(gMessages[i].second, "Velto");
        }
    }
}

TEST_F(LoaderTest, NinetySixQuestionsFillEveryCode) {
    load("max_questions");
    EXPECT_TRUE(gMessages.empty());
    EXPECT_EQ(quiz_->questionCount, 96);
    EXPECT_EQ(itemCount(quiz_), 96);
    EXPECT_STREQ(itemAt(quiz_, 95)->answer1, "r96");
    EXPECT_STREQ(itemAt(quiz_, 95)->prompt, "q96");
    EXPECT_STREQ(quiz_->codes[0], "code1");
    EXPECT_STREQ(quiz_->codes[95], "code96");
}

}  // namespace
