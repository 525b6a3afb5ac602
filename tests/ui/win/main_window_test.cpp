// Start-up, the main window and shutdown, run in-process on the test executable, which carries the
// player's resources and no quiz: the fallback quiz (a picture quiz of 7 questions, 2 answers
// each).
#include "ui/win/main_window.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ids.h"
#include "tests/win/support.h"
#include "ui/win/player_run.h"

namespace {

int gMessageBoxes = 0;
void countMessageBox(const char*, const char*) { ++gMessageBoxes; }

// The questions asked, and the answers given to them in turn (then Cancel).
std::vector<std::string> gQuestions;
std::vector<int> gAnswers;
int answerQuestion(const char* text, const char* title, unsigned style) {
    gQuestions.push_back(std::string(title) + "|" + std::to_string(style & 0xF) + "|" + text);
    if (gAnswers.empty()) return IDCANCEL;
    const int answer = gAnswers.front();
    gAnswers.erase(gAnswers.begin());
    return answer;
}

PlayerHooks hooks() {
    PlayerHooks hooks = kDefaultPlayerHooks;
    hooks.showMessage = countMessageBox;
    hooks.askMessage = answerQuestion;
    return hooks;
}

int gGetMessageCalls = 0;
BOOL WINAPI failOnceThenQuit(LPMSG message, HWND, UINT, UINT) {
    message->message = WM_QUIT;
    message->wParam = 9;
    return ++gGetMessageCalls == 1 ? -1 : 0;
}

void expectBox(HWND child, int x, int y, int width, int height) {
    const RECT box = childBox(child);
    EXPECT_EQ(box.left, x);
    EXPECT_EQ(box.top, y);
    EXPECT_EQ(box.right - box.left, width);
    EXPECT_EQ(box.bottom - box.top, height);
}

std::string savedAnswersName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path);
    name.erase(0, name.find_last_of("\\/") + 1);
    return name.substr(0, name.size() - 3) + "txt";
}

// The exit code of a WM_QUIT waiting in the queue, or -1 when there is none.
int takeQuit() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return -1;
    return static_cast<int>(message.wParam);
}

// Every scroll request posted to the grid since the last call.
std::string takeScrollRequests(HWND grid) {
    std::string requests;
    MSG message;
    while (PeekMessageA(&message, grid, WM_VSCROLL, WM_VSCROLL, PM_REMOVE))
        requests += std::to_string(LOWORD(message.wParam)) + " ";
    return requests;
}

// Each test starts the player in a fresh current directory of its own.
class PlayerFrame : public ::testing::Test {
protected:
    void SetUp() override {
        previousQuiz_ = currentQuiz();
        gMessageBoxes = 0;
        gQuestions.clear();
        gAnswers.clear();
        GetCurrentDirectoryA(MAX_PATH, previousDirectory_);
        directory_ = scratchFolder("frame");
        appData_ = scratchFolder("frame-appdata");
        appDataVariable_ = std::make_unique<ScopedVariable>("APPDATA", appData_);
        ASSERT_TRUE(SetCurrentDirectoryA(directory_.c_str()));
        DeleteFileA(savedAnswersName().c_str());
        ASSERT_TRUE(startPlayer(GetModuleHandleA(nullptr), &player_, hooks()));
    }

    void TearDown() override {
        if (player_.quiz) shutdownPlayer(&player_);
        if (IsWindow(player_.windows.main)) DestroyWindow(player_.windows.main);
        // Posted requests and quits only: paint messages come back until a window is painted.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {}
        while (takeQuit() >= 0) {}
        UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));
        SetCurrentDirectoryA(previousDirectory_);
        removeTree(directory_);
        appDataVariable_.reset();
        removeTree(appData_);
        publishQuiz(previousQuiz_);
    }

    void expectLayout() {
        RECT client;
        GetClientRect(player_.windows.main, &client);
        const int w = client.right, h = client.bottom;
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        expectBox(player_.windows.grid, 5, 50, w - 11, h - 68);
        expectBox(player_.windows.header, 5, 2, w - 11, 49);
        expectBox(GetDlgItem(player_.windows.main, kVersionLabelId), w - 175, h - 16, 180, 15);
    }

    Player player_;
    Quiz* previousQuiz_ = nullptr;
    char previousDirectory_[MAX_PATH] = {};
    std::string directory_;
    std::string appData_;
    std::unique_ptr<ScopedVariable> appDataVariable_;
};

TEST_F(PlayerFrame, StartsCentredOnItsFirstScreenAndCaptionedWithTheQuizTitle) {
    EXPECT_EQ(gMessageBoxes, 0);
    EXPECT_EQ(currentQuiz(), player_.quiz);
    EXPECT_EQ(windowText(player_.windows.main), "Nom du velto");
    char className[64] = {};
    GetClassNameA(player_.windows.main, className, sizeof className);
    EXPECT_STREQ(className, "WindowsApp");
    EXPECT_EQ(GetClassLongPtrA(player_.windows.main, GCL_STYLE),
              static_cast<ULONG_PTR>(CS_DBLCLKS));
    EXPECT_EQ(GetClassLongPtrA(player_.windows.main, GCLP_HBRBACKGROUND),
              static_cast<ULONG_PTR>(COLOR_SCROLLBAR + 1));
    const LONG_PTR style = GetWindowLongPtrA(player_.windows.main, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(SendMessageA(player_.windows.main, WM_GETICON, ICON_BIG, 0),
              reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_QUESTION)));

    // The whole canvas width (970 with two answers) and the first row's fields and verdicts
    // (questions 1 to 3) show, on a window centred on the work area.
    RECT outer, grid;
    GetWindowRect(player_.windows.main, &outer);
    GetClientRect(player_.windows.grid, &grid);
    EXPECT_EQ(grid.right, 970);
    for (int id : {4001, 4006, 5001, 5006}) {
        const RECT box = childBox(GetDlgItem(player_.windows.grid, id));
        EXPECT_TRUE(box.right <= grid.right && box.bottom <= grid.bottom) << id;
    }
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(player_.windows.main, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    EXPECT_EQ(outer.left, work.left + (work.right - work.left - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, work.top + (work.bottom - work.top - (outer.bottom - outer.top)) / 2);

    EXPECT_TRUE(IsWindowVisible(player_.windows.main));
    EXPECT_TRUE(IsWindowVisible(player_.windows.header));
    EXPECT_TRUE(IsWindowVisible(player_.windows.grid));
    EXPECT_EQ(GetParent(player_.windows.header), player_.windows.main);
    EXPECT_EQ(GetParent(player_.windows.grid), player_.windows.main);
    EXPECT_EQ(player_.quiz->headerWindow, player_.windows.header);
    EXPECT_EQ(GetScrollPos(player_.windows.grid, SB_VERT), 0);
    // The thread is a single-threaded apartment for every kind (the link's shell call wants one).
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
}

TEST_F(PlayerFrame, VersionLabelSitsBottomRightOnItsBrush) {
    HWND label = GetDlgItem(player_.windows.main, kVersionLabelId);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(windowText(label), "(BETA) Réalisé avec la version 2.2  ");
    EXPECT_EQ(SendMessageA(label, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    expectLayout();

    HDC dc = GetDC(label);
    SetTextColor(dc, RGB(1, 2, 3));
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(player_.windows.main, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(label)));
    EXPECT_EQ(brush, player_.brushes.label);
    EXPECT_EQ(brushColour(brush), RGB(212, 208, 200));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    ReleaseDC(label, dc);

    HWND other =
        CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, player_.windows.main,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(8001)), nullptr, nullptr);
    dc = GetDC(other);
    EXPECT_EQ(SendMessageA(player_.windows.main, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(other)),
              0);
    ReleaseDC(other, dc);
    DestroyWindow(other);
}

// Deactivated and activated again (Alt+Tab, a click on the title bar), the window gives the
// keyboard back to the field that had it; activated while minimised, it leaves the focus alone.
TEST_F(PlayerFrame, ActivationGivesTheKeyboardBackToTheFieldThatHadIt) {
    HWND main = player_.windows.main;
    HWND field = GetDlgItem(player_.windows.grid, 4003);
    ASSERT_NE(field, nullptr);
    SetFocus(field);
    SendMessageW(main, WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(main);  // where the keyboard is while another window is active
    SendMessageW(main, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, TRUE), 0);
    EXPECT_EQ(GetFocus(), main);
    SendMessageW(main, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(GetFocus(), field);
}

TEST_F(PlayerFrame, ResizingLaysOutAndMinimisingLeavesTheLayout) {
    for (const SIZE size : {SIZE{700, 500}, SIZE{400, 300}, SIZE{544, 375}}) {
        SetWindowPos(player_.windows.main, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER);
        expectLayout();
    }
    const RECT grid = childBox(player_.windows.grid);
    // A minimised window's WM_SIZE carries a zero client area; it must not reach the layout.
    SendMessageA(player_.windows.main, WM_SIZE, SIZE_MINIMIZED, 0);
    ShowWindow(player_.windows.main, SW_MINIMIZE);
    RECT after = childBox(player_.windows.grid);
    EXPECT_EQ(after.right - after.left, grid.right - grid.left);
    EXPECT_EQ(after.bottom - after.top, grid.bottom - grid.top);
    ShowWindow(player_.windows.main, SW_RESTORE);
    expectLayout();
}

TEST_F(PlayerFrame, OnlyWholeWheelNotchesScrollTheGrid) {
    takeScrollRequests(player_.windows.grid);
    struct Case {
        int delta;
        const char* requests;
    };
    const Case cases[] = {{120, "501 "}, {-120, "500 "}, {240, ""}, {-240, ""},
                          {60, ""},      {-60, ""},      {0, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delta);
        SendMessageA(player_.windows.main, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)),
                     MAKELPARAM(10, 10));
        EXPECT_EQ(takeScrollRequests(player_.windows.grid), c.requests);
    }
}

TEST_F(PlayerFrame, ClosingSavesDeletesTheStrayClipAndQuits) {
    touch("velto.mp3");
    EXPECT_EQ(SendMessageA(player_.windows.main, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(takeQuit(), 0);
    EXPECT_TRUE(IsWindow(player_.windows.main)) << "closing does not destroy the window";
    EXPECT_FALSE(exists("velto.mp3"));
    // One empty line per answer field: 7 questions of 2 answers.
    std::string expected;
    for (int i = 0; i < 14; ++i) expected += "\r\n";
    EXPECT_EQ(readFile(savedAnswersName()), expected);
}

TEST_F(PlayerFrame, SessionEndAndSauverSaveWithoutAsking) {
    const std::string name = savedAnswersName();
    struct {
        UINT message;
        WPARAM wParam;
        LRESULT result;
        bool saves;
    } const cases[] = {
        {WM_QUERYENDSESSION, 0, TRUE, true},
        {WM_ENDSESSION, FALSE, 0, false},  // the session goes on after all
        {WM_ENDSESSION, TRUE, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        DeleteFileA(name.c_str());
        EXPECT_EQ(SendMessageA(player_.windows.main, c.message, c.wParam, ENDSESSION_LOGOFF),
                  c.result);
        EXPECT_EQ(exists(name), c.saves);
    }
    DeleteFileA(name.c_str());
    SendDlgItemMessageA(player_.windows.header, kSaveButtonId, BM_CLICK, 0, 0);
    EXPECT_EQ(readFile(name).size(), 14u * 2);
    EXPECT_TRUE(gQuestions.empty());
    EXPECT_EQ(takeQuit(), -1) << "saving is not closing";
}

TEST_F(PlayerFrame, AnswersThatCannotBeSavedAreNeverLostSilently) {
    const std::string name = savedAnswersName();
    ASSERT_TRUE(CreateDirectoryA(name.c_str(), nullptr));  // the file cannot be replaced
    touch("bloque");
    const std::string blocked = directory_ + "\\bloque\\x.txt";  // nor the per-user one made
    player_.answers.fallbackPath.assign(blocked.begin(), blocked.end());
    SendDlgItemMessageA(player_.windows.header, kSaveButtonId, BM_CLICK, 0, 0);
    ASSERT_EQ(gQuestions.size(), 1u);
    EXPECT_EQ(gQuestions[0].substr(0, 8), "Velto|0|") << "an OK box";
    EXPECT_NE(gQuestions[0].find("Fichier : " + directory_ + "\\" + name), std::string::npos);

    gQuestions.clear();
    gAnswers = {IDRETRY};  // tried again, then quit without saving
    SendMessageA(player_.windows.main, WM_CLOSE, 0, 0);
    ASSERT_EQ(gQuestions.size(), 2u);
    EXPECT_EQ(gQuestions[1].substr(0, 8), "Velto|" + std::to_string(MB_RETRYCANCEL) + "|");
    EXPECT_NE(gQuestions[1].find("Annuler : quitter sans enregistrer."), std::string::npos);
    EXPECT_EQ(takeQuit(), 0);
}

TEST_F(PlayerFrame, ASecondStartOnTheSameFileBringsTheFirstForward) {
    ShowWindow(player_.windows.main, SW_MINIMIZE);
    AnswerFiles second;
    findAnswerFiles(&second, false);
    EXPECT_FALSE(claimAnswerFiles(&second));
    EXPECT_FALSE(IsIconic(player_.windows.main));
    EXPECT_EQ(second.instanceLock, nullptr);
}

TEST_F(PlayerFrame, DestroyingWithoutClosingQuitsWithoutSaving) {
    DestroyWindow(player_.windows.main);
    EXPECT_EQ(takeQuit(), 0);
    EXPECT_FALSE(exists(savedAnswersName().c_str()));
}

TEST_F(PlayerFrame, MessageLoopEndsWithTheQuitCode) {
    PostMessageA(player_.windows.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(runMessageLoop(player_), 0);
    EXPECT_TRUE(exists(savedAnswersName().c_str()));
    PostQuitMessage(3);
    EXPECT_EQ(runMessageLoop(player_), 3);

    // A failing GetMessageA ends the loop at once: asked again, this one would quit with 9.
    gGetMessageCalls = 0;
    player_.hooks.getMessage = failOnceThenQuit;
    EXPECT_EQ(runMessageLoop(player_), 0);
    EXPECT_EQ(gGetMessageCalls, 1);
}

TEST_F(PlayerFrame, ShutdownEndsTheDialogsAndReleasesEverything) {
    const HBRUSH brush = player_.brushes.label;
    const HWND header = player_.windows.header;
    shutdownPlayer(&player_);
    EXPECT_FALSE(IsWindowVisible(player_.windows.grid)) << "the grid is ended";
    EXPECT_FALSE(IsWindow(header));
    EXPECT_TRUE(IsWindow(player_.windows.main))
        << "only a media quiz's shutdown destroys the main window";
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(player_.brushes.label, nullptr);
    EXPECT_EQ(currentQuiz(), nullptr);
    EXPECT_EQ(player_.quiz, nullptr);
}

TEST_F(PlayerFrame, UnregisteredClassEndsStartUpAtOnce) {
    // The class is still registered by SetUp's start-up, so a second start cannot register it.
    Quiz* published = currentQuiz();
    Player second;
    EXPECT_FALSE(startPlayer(GetModuleHandleA(nullptr), &second, hooks()));
    EXPECT_EQ(second.windows.main, nullptr);
    EXPECT_EQ(second.quiz, nullptr);
    EXPECT_EQ(currentQuiz(), published);
}

}  // namespace
