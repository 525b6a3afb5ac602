#include "media/win/playback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/ids.h"
#include "quizdata/win/quiz.h"
#include "tests/win/support.h"

namespace {

std::vector<std::string> gSteps;
std::vector<std::string> gMessages;

void recordStep(const char* step) { gSteps.push_back(step); }
void recordMessage(const char* text, const char* title) {
    gMessages.push_back(std::string(title) + ": " + text);
}

std::string fileBytes(const char* name) {
    std::ifstream file(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string resourceBytes(int number) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(number), "IMG");
    if (!info) return {};
    auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, info)));
    return std::string(data, SizeofResource(nullptr, info));
}

// The steps recorded since the last call.
std::vector<std::string> takeSteps() {
    std::vector<std::string> steps;
    steps.swap(gSteps);
    return steps;
}

bool comUninitialised() {
    HRESULT result = CoInitialize(nullptr);
    if (SUCCEEDED(result)) CoUninitialize();
    return result == S_OK;
}

// A main window and a grid holding the play and stop buttons of nine questions laid out as cells
// of a one-answer quiz, in a scratch current directory.
class Playback : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        work_ = std::string(temp) + "velto_media_test";
        CreateDirectoryA(work_.c_str(), nullptr);
        GetCurrentDirectoryA(sizeof previousDir_, previousDir_);
        ASSERT_TRUE(SetCurrentDirectoryA(work_.c_str()));
        clearWorkDir();
        gSteps.clear();
        gMessages.clear();
        previousQuiz_ = currentQuiz();
        applyDefaults(&quiz_);
    }

    void TearDown() override {
        if (IsWindow(main_)) {
            shutdownMedia(main_, run_, hooks_);
            DestroyWindow(main_);
        }
        releaseQuiz(&quiz_);
        publishQuiz(previousQuiz_);
        clearWorkDir();
        SetCurrentDirectoryA(previousDir_);
        RemoveDirectoryA(work_.c_str());
    }

    // Start-up as the player does it: the quiz, initMedia, the windows, then createPlayer.
    void start(int kind, bool withMedia = true) {
        quiz_.kind = kind;
        publishQuiz(&quiz_);
        if (withMedia) initMedia(hooks_);
        main_ = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000,
                                800, nullptr, nullptr, nullptr, nullptr);
        grid_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 5, 50, 980, 700, main_,
                                nullptr, nullptr, nullptr);
        int firstAnswerTop = kind == KindVideo ? 5 + 210 : 5;
        for (int question = 1; question <= 9; ++question) {
            int x = 46 + 290 * ((question - 1) % 3);
            int answerTop = firstAnswerTop + ((question - 1) / 3) * (kind == KindVideo ? 270 : 60);
            button(kPlayButtonBase + question, x, answerTop);
            button(kStopButtonBase + question, x, answerTop + 20);
        }
        createPlayer(grid_, hooks_);
    }

    void button(int id, int x, int y) {
        CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, x, y, 20, 20, grid_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    HWND host() const { return GetDlgItem(grid_, kPlayerHostId); }

    void clearWorkDir() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA("*", &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            if (found.cFileName[0] == '.') continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryA(found.cFileName);
            } else {
                DeleteFileA(found.cFileName);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }

    Quiz quiz_{};
    HWND main_ = nullptr;
    HWND grid_ = nullptr;
    std::string work_;
    char previousDir_[MAX_PATH] = {};
    const PlayerHooks hooks_ = {recordMessage, kDefaultPlayerHooks.openAddress, recordStep,
                                kDefaultPlayerHooks.getMessage, kDefaultPlayerHooks.askMessage};
    Quiz* previousQuiz_ = nullptr;
    MediaRun run_;
};

using Steps = std::vector<std::string>;

// Runs first: once a media test has loaded atl.dll the player's own DLLs may keep it loaded.
TEST_F(Playback, TextAndPictureQuizzesLeaveEverythingAlone) {
    for (int kind : {KindText, KindPicture}) {
        HMODULE atlBefore = GetModuleHandleA("atl.dll");
        start(kind);
        touch("velto3.mp3");
        if (!atlBefore) {
            EXPECT_EQ(GetModuleHandleA("atl.dll"), nullptr) << kind;
        }
        EXPECT_TRUE(comUninitialised()) << kind;
        EXPECT_EQ(host(), nullptr) << kind;
        EXPECT_FALSE(playerAvailable());
        handleMediaCommand(grid_, kPlayButtonBase + 3, run_, hooks_);
        handleMediaCommand(grid_, kStopButtonBase + 3, run_, hooks_);
        EXPECT_TRUE(exists("velto3.mp3")) << kind;
        shutdownMedia(main_, run_, hooks_);
        EXPECT_TRUE(IsWindow(main_)) << kind;
        EXPECT_TRUE(exists("velto3.mp3")) << kind;
        EXPECT_TRUE(takeSteps().empty()) << kind;
        DestroyWindow(main_);
        DeleteFileA("velto3.mp3");
    }
}

TEST_F(Playback, AudioQuizStartsThePlayerInAnEmptyHost) {
    start(KindAudio);
    EXPECT_EQ(takeSteps(), (Steps{"LoadLibrary atl.dll", "CoInitialize", "CoCreateInstance",
                                  "AtlAxAttachControl", "get_controls", "put_uiMode none"}));
    ASSERT_TRUE(playerAvailable());
    EXPECT_NE(GetModuleHandleA("atl.dll"), nullptr);
    ASSERT_NE(host(), nullptr);
    EXPECT_EQ(GetParent(host()), grid_);
    LONG_PTR style = GetWindowLongPtrA(host(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_BORDER), WS_CHILD | WS_VISIBLE | WS_BORDER);
    RECT place = childBox(host());
    EXPECT_EQ(place.right - place.left, 0);
    EXPECT_EQ(place.bottom - place.top, 0);
}

TEST_F(Playback, PlayingAnotherQuestionReplacesTheClipFile) {
    start(KindAudio);
    takeSteps();
    playClip(3, run_, hooks_);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "write velto3.mp3", "put_URL velto3.mp3", "play"}));
    EXPECT_EQ(fileBytes("velto3.mp3"), resourceBytes(403));

    playClip(5, run_, hooks_);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "delete velto3.mp3", "write velto5.mp3",
                                  "put_URL velto5.mp3", "play"}));
    EXPECT_FALSE(exists("velto3.mp3"));
    EXPECT_EQ(fileBytes("velto5.mp3"), resourceBytes(405));

    // The same question again: stopped, rewritten, played from the start.
    playClip(5, run_, hooks_);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "delete velto5.mp3", "write velto5.mp3",
                                  "put_URL velto5.mp3", "play"}));
    EXPECT_EQ(fileBytes("velto5.mp3"), resourceBytes(405));

    stopClip(run_, hooks_);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "delete velto5.mp3"}));
    EXPECT_FALSE(exists("velto5.mp3"));
    // An audio player is never shown.
    RECT place = childBox(host());
    EXPECT_EQ(place.right - place.left, 0);
}

TEST_F(Playback, StopBeforeAnyPlayDeletesClipZero) {
    start(KindAudio);
    touch("velto0.mp3");
    takeSteps();
    stopClip(run_, hooks_);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "delete velto0.mp3"}));
    EXPECT_FALSE(exists("velto0.mp3"));
}

TEST_F(Playback, ButtonClicksAreTheOnlyCommands) {
    start(KindAudio);
    struct Case {
        WPARAM wParam;
        const char* present;  // the clip file expected afterwards, or null for none
    } cases[] = {
        {kPlayButtonBase + 3, "velto3.mp3"},
        {MAKEWPARAM(kPlayButtonBase + 5, BN_SETFOCUS), "velto3.mp3"},
        {kPlayButtonBase + 97, "velto3.mp3"},
        {kAnswerFieldBase + 1, "velto3.mp3"},
        {kStopButtonBase + 96, nullptr},  // any stop button stops whatever plays
        {kPlayButtonBase + 5, "velto5.mp3"},
        {kStopButtonBase + 0, "velto5.mp3"},
        {kStopButtonBase + 1, nullptr},
    };
    for (const Case& c : cases) {
        handleMediaCommand(grid_, c.wParam, run_, hooks_);
        for (const char* name : {"velto3.mp3", "velto5.mp3"}) {
            bool expected = c.present && std::string(c.present) == name;
            EXPECT_EQ(exists(name), expected) << "after wParam " << c.wParam << ": " << name;
        }
    }
}

TEST_F(Playback, AClipThatCannotBeHadPlaysNothing) {
    start(KindAudio);
    playClip(3, run_, hooks_);
    takeSteps();
    // Question 20 has no clip; IMG 411 is empty.
    playClip(20, run_, hooks_);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "delete velto3.mp3"}));
    EXPECT_FALSE(exists("velto3.mp3"));
    playClip(11, run_, hooks_);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "delete velto20.mp3"}));
    EXPECT_FALSE(exists("velto11.mp3"));
    EXPECT_TRUE(gMessages.empty());
    // Still usable.
    playClip(5, run_, hooks_);
    EXPECT_EQ(takeSteps().back(), "play");
    // IMG 401 is a JPEG, not a sound: the player is never handed it.
    playClip(1, run_, hooks_);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "delete velto5.mp3"}));
    EXPECT_FALSE(exists("velto1.mp3"));
    EXPECT_EQ(gMessages,
              (std::vector<std::string>{"Information: Impossible de charger le fichier audio."}));
}

TEST_F(Playback, AFolderThatRefusesClipsSendsThemToATemporaryFolderOfTheirOwn) {
    start(KindAudio);
    takeSteps();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder =
        std::string(temp) + "velto-" + std::to_string(GetCurrentProcessId()) + "\\";
    // Another program holds the clip's name without sharing, as a read-only folder refuses it.
    std::ofstream("velto5.mp3", std::ios::binary) << "held";
    HANDLE held = CreateFileA("velto5.mp3", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    playClip(5, run_, hooks_);
    CloseHandle(held);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "write velto5.mp3", "put_URL velto5.mp3", "play"}));
    EXPECT_EQ(fileBytes("velto5.mp3"), "held");
    EXPECT_EQ(fileBytes((folder + "velto5.mp3").c_str()), resourceBytes(405));

    playClip(3, run_, hooks_);  // the rest of the run stays there
    EXPECT_FALSE(exists(folder + "velto5.mp3"));
    EXPECT_EQ(fileBytes((folder + "velto3.mp3").c_str()), resourceBytes(403));
    EXPECT_FALSE(exists("velto3.mp3"));
    EXPECT_TRUE(gMessages.empty());
    shutdownMedia(main_, run_, hooks_);
    EXPECT_FALSE(exists(folder)) << "nothing is left behind";
}

TEST_F(Playback, VideoPlaysInTheBandAboveItsAnswerArea) {
    start(KindVideo);
    takeSteps();
    playClip(7, run_, hooks_);  // column 0, third row: answer area at (46, 215 + 2 * 270)
    EXPECT_EQ(takeSteps(), (Steps{"stop", "write velto7.avi", "put_URL velto7.avi", "play"}));
    EXPECT_EQ(fileBytes("velto7.avi"), resourceBytes(407));
    RECT place = childBox(host());
    EXPECT_EQ(place.left, 46);
    EXPECT_EQ(place.top, 5 + 2 * 270);
    EXPECT_EQ(place.right - place.left, 260);
    EXPECT_EQ(place.bottom - place.top, 210);
    EXPECT_TRUE(IsWindowVisible(host()));

    // Scrolled by 100 pixels: the band follows the button's current place.
    ScrollWindowEx(grid_, 0, -100, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN);
    playClip(8, run_, hooks_);  // column 1, third row
    EXPECT_EQ(takeSteps(), (Steps{"stop", "delete velto7.avi", "write velto8.avi",
                                  "put_URL velto8.avi", "play"}));
    EXPECT_FALSE(exists("velto7.avi"));
    place = childBox(host());
    EXPECT_EQ(place.left, 336);
    EXPECT_EQ(place.top, 5 + 2 * 270 - 100);
    EXPECT_EQ(place.bottom - place.top, 210);

    stopClip(run_, hooks_);
    EXPECT_EQ(takeSteps(), (Steps{"stop", "delete velto8.avi"}));
    EXPECT_FALSE(exists("velto8.avi"));
    EXPECT_FALSE(IsWindowVisible(host()));
    place = childBox(host());
    EXPECT_EQ(place.right - place.left, 0);
}

TEST_F(Playback, VideoWithoutAClipHidesTheBand) {
    start(KindVideo);
    playClip(7, run_, hooks_);
    ASSERT_TRUE(IsWindowVisible(host()));
    playClip(20, run_, hooks_);
    EXPECT_FALSE(IsWindowVisible(host()));
    EXPECT_FALSE(exists("velto7.avi"));
    playClip(3, run_, hooks_);  // a sound where a video should be
    EXPECT_FALSE(IsWindowVisible(host()));
    EXPECT_FALSE(exists("velto3.avi"));
    EXPECT_EQ(gMessages,
              (std::vector<std::string>{"Information: Impossible de charger le fichier vidéo."}));
}

TEST_F(Playback, ShutdownLetsGoOfTheClipThenDeletesEveryClipName) {
    start(KindAudio);
    for (const char* name :
         {"velto1.mp3", "velto50.mp3", "velto96.mp3", "velto97.mp3", "velto2.avi", "velto.mp3"}) {
        touch(name);
    }
    playClip(3, run_, hooks_);
    takeSteps();
    shutdownMedia(main_, run_, hooks_);
    Steps steps = takeSteps();
    // Stopped and closed while its host lives; the files once the windows are gone; COM last.
    ASSERT_EQ(steps.size(), 3u + 96u + 1u);
    EXPECT_EQ(Steps(steps.begin(), steps.begin() + 3), (Steps{"stop", "close", "DestroyWindow"}));
    for (int question = 1; question <= 96; ++question) {
        EXPECT_EQ(steps[2 + question], "delete velto" + std::to_string(question) + ".mp3");
    }
    EXPECT_EQ(steps.back(), "CoUninitialize");

    for (const char* name : {"velto1.mp3", "velto3.mp3", "velto50.mp3", "velto96.mp3"})
        EXPECT_FALSE(exists(name));
    for (const char* name : {"velto97.mp3", "velto2.avi", "velto.mp3"}) EXPECT_TRUE(exists(name));
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_FALSE(IsWindow(grid_));
    EXPECT_TRUE(comUninitialised());
    EXPECT_FALSE(playerAvailable());
}

TEST_F(Playback, VideoShutdownDeletesTheAviNames) {
    start(KindVideo);
    touch("velto12.avi");
    touch("velto12.mp3");
    playClip(8, run_, hooks_);
    shutdownMedia(main_, run_, hooks_);
    EXPECT_FALSE(exists("velto8.avi"));
    EXPECT_FALSE(exists("velto12.avi"));
    EXPECT_TRUE(exists("velto12.mp3"));
}

TEST_F(Playback, TheSessionsEndTakesEveryClipFileAlong) {
    start(KindAudio);
    touch("velto12.mp3");
    playClip(3, run_, hooks_);
    releaseClipsForSessionEnd(run_, hooks_);
    EXPECT_FALSE(exists("velto3.mp3"));
    EXPECT_FALSE(exists("velto12.mp3"));
}

TEST_F(Playback, AnUnavailablePlayerIgnoresTheButtons) {
    // Without initMedia the thread has no apartment, so the player cannot be created.
    start(KindAudio, false);
    EXPECT_NE(host(), nullptr);
    EXPECT_FALSE(playerAvailable());
    takeSteps();
    handleMediaCommand(grid_, kPlayButtonBase + 3, run_, hooks_);
    handleMediaCommand(grid_, kPlayButtonBase + 4, run_, hooks_);
    playClip(3, run_, hooks_);
    stopClip(run_, hooks_);
    EXPECT_FALSE(exists("velto3.mp3"));
    EXPECT_TRUE(takeSteps().empty());
    EXPECT_EQ(gMessages.size(), 1u) << "the first play says once what is missing";

    // Shutdown must not undo an initialisation that start-up did not make.
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    shutdownMedia(main_, run_, hooks_);
    HRESULT again = CoInitialize(nullptr);
    EXPECT_EQ(again, S_FALSE);
    if (SUCCEEDED(again)) CoUninitialize();
    CoUninitialize();
}

}  // namespace
