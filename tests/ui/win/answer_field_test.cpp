// answerFieldProc and fillUnsolvedFields on a stand-in grid, driven with the messages Windows
// sends.
#include "ui/win/answer_field.h"

#include <gtest/gtest.h>

#include "tests/evaluation/win/stand_in_grid.h"
#include "tests/win/support.h"
#include "ui/answer_keys.h"
#include "ui/saved_answers.h"

namespace {

using standin::Grid;
using standin::Options;
using standin::Question;
using standin::scrollRequests;

Options fieldGrid(int kind = KindText, int answers = 1) {
    Options options;
    options.kind = kind;
    options.answersPerQuestion = answers;
    options.fieldProcedure = true;
    return options;
}

std::vector<Question> numbered(int count) {
    static const char* const names[] = {"un",    "deux",     "trois",    "quatre",   "cinq",
                                        "six",   "sept",     "huit",     "neuf",     "dix",
                                        "onze",  "douze",    "treize",   "quatorze", "quinze",
                                        "seize", "dix-sept", "dix-huit", "dix-neuf", "vingt"};
    std::vector<Question> questions;
    for (int i = 0; i < count; ++i) questions.push_back({names[i], "", ""});
    return questions;
}

LRESULT keyUp(HWND field, WPARAM key) { return SendMessageA(field, WM_KEYUP, key, 0xC0000001); }

TEST(AnswerField, EnteringSelectsAllAndLeavingEvaluates) {
    Grid grid(numbered(3), fieldGrid());
    grid.type(1, "UN");
    grid.type(2, "DEUX");
    SetFocus(grid.field(1));
    ASSERT_EQ(GetFocus(), grid.field(1));
    EXPECT_EQ(grid.verdict(1), "?");  // typing alone is not judged

    SetFocus(grid.field(2));
    ASSERT_EQ(GetFocus(), grid.field(2));
    EXPECT_EQ(grid.verdict(1), "BRAVO");
    EXPECT_EQ(grid.verdict(2), "?");
    DWORD start = 1, end = 0;
    SendMessageA(grid.field(2), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(grid.score(), " 1 / 3");
}

TEST(AnswerField, EnterEvaluatesWithoutMovingTheFocus) {
    Grid grid(numbered(2), fieldGrid());
    SetFocus(grid.field(2));
    grid.type(2, "deus");
    EXPECT_EQ(keyUp(grid.field(2), VK_RETURN), 1);
    EXPECT_EQ(grid.verdict(2), "Quasiment");
    EXPECT_EQ(GetFocus(), grid.field(2));
    grid.type(2, "deux");
    SendMessageA(grid.field(2), WM_SYSKEYDOWN, VK_RETURN, 0x20000001);  // Alt held: on the press
    EXPECT_EQ(grid.verdict(2), "BRAVO");
}

TEST(AnswerField, CarriageReturnAndTabNeverReachTheEdit) {
    Grid grid(numbered(1), fieldGrid());
    HWND field = grid.field(1);
    grid.type(1, "ab");
    SendMessageA(field, EM_SETSEL, 2, 2);
    EXPECT_EQ(SendMessageA(field, WM_CHAR, '\r', 1), 0);
    EXPECT_EQ(SendMessageA(field, WM_CHAR, '\t', 1), 0);
    EXPECT_EQ(grid.fieldText(1), "ab");
    SendMessageA(field, WM_CHAR, 'c', 1);  // other characters are typed as usual
    EXPECT_EQ(grid.fieldText(1), "abc");
}

TEST(AnswerField, InstallingTwiceStillReachesTheEdit) {
    Grid grid(numbered(1), fieldGrid());
    installAnswerFieldProc(grid.field(1));
    SendMessageA(grid.field(1), WM_CHAR, 'x', 1);
    EXPECT_EQ(grid.fieldText(1), "x");
}

TEST(AnswerField, PageKeysPageTheGrid) {
    Grid grid(numbered(3), fieldGrid());
    struct {
        UINT message;
        WPARAM key;
        int request;
    } const cases[] = {
        {WM_KEYUP, VK_PRIOR, kRequestPageUp},       {WM_KEYUP, VK_UP, kRequestPageUp},
        {WM_KEYUP, VK_NEXT, kRequestPageDown},      {WM_KEYUP, VK_DOWN, kRequestPageDown},
        {WM_SYSKEYDOWN, VK_NEXT, kRequestPageDown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        scrollRequests().clear();
        SendMessageA(grid.field(2), c.message, c.key, 0);
        EXPECT_EQ(scrollRequests(), std::vector<int>{c.request});
    }
    scrollRequests().clear();
    keyUp(grid.field(2), VK_LEFT);
    keyUp(grid.field(2), 'A');
    EXPECT_TRUE(scrollRequests().empty());
}

TEST(AnswerField, TabShowsTopBottomOrTheFieldReached) {
    Options options = fieldGrid();
    options.gridHeight = 300;
    Grid grid(numbered(20), options);  // fields every 25 pixels: the last ones lie below the window
    struct {
        const char* name;
        int k;
        std::vector<int> requests;
    } const cases[] = {
        {"first field: top", 1, {kRequestTop}},
        {"last field: bottom", 20, {kRequestBottom}},
        {"inside the window: nothing", 5, {}},
        {"below the window: to the field", 15, {kScrollToTarget}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        scrollRequests().clear();
        keyUp(grid.field(c.k), VK_TAB);
        EXPECT_EQ(scrollRequests(), c.requests);
    }
}

TEST(AnswerField, F1FillsUnsolvedFieldsSlotBySlot) {
    const std::vector<Question> questions = {
        {"Paris", "France", ""}, {"Rome", "Italie", ""}, {"Lyon", "Rhone", ""}};
    Grid grid(questions, fieldGrid(KindPicture, 2));
    const char* typed[] = {"Paris", "Espagne", "Rome", "Italie", "", "Rhone"};
    for (int k = 1; k <= 6; ++k) {
        grid.type(k, typed[k - 1]);
        keyUp(grid.field(k), VK_RETURN);
    }
    grid.type(5, "lyon");
    SetFocus(grid.field(5));
    keyUp(grid.field(5), VK_F1);

    const char* filled[] = {"Paris", "lyon", "Rome", "Italie", "lyon", "Rhone"};
    const char* verdicts[] = {"BRAVO", "FAUX", "BRAVO", "BRAVO", "BRAVO", "BRAVO"};
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(grid.fieldText(k), filled[k - 1]);
        EXPECT_EQ(grid.verdict(k), verdicts[k - 1]);
    }
    EXPECT_EQ(GetFocus(), grid.field(5));
    EXPECT_EQ(grid.score(), " 2 / 3");  // the fill solved question 3
}

TEST(AnswerField, F1WalksEverySlotOfADamagedCount) {
    Grid grid(numbered(3), fieldGrid());  // a text quiz: one field per question
    grid.quiz()->answersPerQuestion = 3;  // whose definition asks for three
    grid.type(2, "deux");
    SetFocus(grid.field(2));
    keyUp(grid.field(2), VK_F1);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(grid.fieldText(k), "deux") << k;
    EXPECT_EQ(GetFocus(), grid.field(2));
}

TEST(AnswerField, F1WithEverythingSolvedChangesNothing) {
    Grid grid(numbered(3), fieldGrid());
    const char* answers[] = {"un", "DEUX", " trois"};
    for (int k = 1; k <= 3; ++k) {
        grid.type(k, answers[k - 1]);
        keyUp(grid.field(k), VK_RETURN);
    }
    SetFocus(grid.field(2));
    grid.type(2, "autre");  // not yet judged: its label still reads BRAVO
    keyUp(grid.field(2), VK_F1);
    EXPECT_EQ(grid.fieldText(1), "un");
    EXPECT_EQ(grid.fieldText(3), " trois");
    EXPECT_EQ(GetFocus(), grid.field(2));
}

TEST(AnswerField, F2SavesTheAnswers) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    const std::string directory = scratchFolder("f2");
    const std::string appDataFolder = scratchFolder("f2-appdata");
    ScopedVariable appData("APPDATA", appDataFolder);
    ASSERT_TRUE(SetCurrentDirectoryA(directory.c_str()));
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string name = savedAnswersFileName(module);
    DeleteFileA(name.c_str());

    {
        Grid grid(numbered(2), fieldGrid());
        grid.type(1, "un");
        keyUp(grid.field(2), VK_F2);
    }
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char bytes[64] = {};
    DWORD read = 0;
    ReadFile(file, bytes, sizeof bytes - 1, &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(std::string(bytes, read), "un\r\n\r\n");

    DeleteFileA(name.c_str());
    SetCurrentDirectoryA(previous);
    RemoveDirectoryA(directory.c_str());
    removeTree(appDataFolder);
}

}  // namespace
