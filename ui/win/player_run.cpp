// Start-up, message loop and shutdown of the player.
#include "ui/win/player_run.h"

#include <cstdlib>

#include "media/control_ids.h"
#include "media/win/picture_loader.h"
#include "media/win/playback.h"
#include "quizdata/codec.h"
#include "quizdata/win/loader.h"
#include "quizdata/win/message_box.h"
#include "ui/win/grid.h"
#include "ui/win/header_panel.h"
#include "ui/win/main_window.h"

namespace {

// The record, filled from the resources; its message boxes appear before any window.
Quiz* loadRecord(QuizSource* source) {
    auto* quiz = static_cast<Quiz*>(std::calloc(1, sizeof(Quiz)));
    if (!quiz) return nullptr;
    applyDefaults(quiz);
    publishQuiz(quiz);
    setCodecAlert(showMessage);
    *source = loadQuiz(quiz);
    return quiz;
}

void releaseRecord(PlayerWindows* player) {
    releaseQuiz(player->quiz);
    std::free(player->quiz);
    publishQuiz(nullptr);
    player->quiz = nullptr;
}

void createDialogs(HINSTANCE instance, PlayerWindows* player) {
    player->header = CreateDialogParamA(instance, MAKEINTRESOURCEA(kHeaderDialogId), player->main,
                                        headerPanelProc, 0);
    ShowWindow(player->header, SW_SHOWNORMAL);
    player->quiz->headerWindow = player->header;
    setMainChildren(player->header, nullptr);
    player->grid =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(kGridDialogId), player->main, gridProc, 0);
    setMainChildren(player->header, player->grid);
}

}  // namespace

bool startPlayer(HINSTANCE instance, PlayerWindows* player) {
    *player = PlayerWindows{};
    if (!registerMainWindowClass(instance)) return false;
    createLabelBrush();
    QuizSource source = QuizSource::Resources;
    player->quiz = loadRecord(&source);
    if (player->quiz) {
        findAnswerFiles(&player->answers, source == QuizSource::Damaged);
        if (claimAnswerFiles(&player->answers))
            publishAnswerFiles(&player->answers);
        else
            releaseRecord(player);
    }
    if (!player->quiz) {
        deleteLabelBrush();
        UnregisterClassA(kMainWindowClass, instance);
        return false;
    }
    initMedia();
    player->main = createMainWindow(instance, player->quiz->title);
    markPlayerWindow(player->answers, player->main);
    centreOnDesktop(player->main);
    createDialogs(instance, player);
    ShowWindow(player->main, SW_SHOWNORMAL);  // its WM_SIZE lays out both dialogs
    ShowWindow(player->grid, SW_SHOWNORMAL);
    SendMessageA(player->grid, WM_VSCROLL, SB_TOP, 0);
    return true;
}

int runMessageLoop(HWND grid, GetMessageFunction getMessage) {
    MSG message = {};
    BOOL got;
    while ((got = getMessage(&message, nullptr, 0, 0)) > 0) {
        if (IsDialogMessageA(grid, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

void shutdownPlayer(PlayerWindows* player) {
    stopPictureLoading();  // before the grid goes: no decoding outlives the window
    EndDialog(player->grid, 0);
    DestroyWindow(player->header);
    releaseAnswerFiles(&player->answers, player->main);
    publishAnswerFiles(nullptr);
    shutdownMedia(player->main);
    deleteLabelBrush();
    setMainChildren(nullptr, nullptr);
    releaseRecord(player);
}

int runPlayer(HINSTANCE instance) {
    PlayerWindows player;
    if (!startPlayer(instance, &player)) return 0;
    const int exitCode = runMessageLoop(player.grid);
    shutdownPlayer(&player);
    return exitCode;
}
