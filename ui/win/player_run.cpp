// Start-up, message loop and shutdown of the player.
#include "ui/win/player_run.h"

#include <objbase.h>

#include <cstdlib>

#include "media/control_ids.h"
#include "media/win/picture_loader.h"
#include "media/win/playback.h"
#include "quizdata/codec.h"
#include "quizdata/win/loader.h"
#include "quizdata/win/message_box.h"
#include "quizdata/win/system_library.h"
#include "ui/win/grid.h"
#include "ui/win/header_panel.h"
#include "ui/win/main_window.h"

namespace {

// The record, filled from the resources; its message boxes appear before any window.
Quiz* loadRecord() {
    auto* quiz = static_cast<Quiz*>(std::calloc(1, sizeof(Quiz)));
    if (!quiz) return nullptr;
    applyDefaults(quiz);
    publishQuiz(quiz);
    setCodecAlert(showMessage);
    loadQuiz(quiz);
    return quiz;
}

// Unicode dialogs, so that the controls in them are Unicode too.
void createDialogs(HINSTANCE instance, PlayerWindows* player) {
    player->header = CreateDialogParamW(instance, MAKEINTRESOURCEW(kHeaderDialogId), player->main,
                                        headerPanelProc, 0);
    ShowWindow(player->header, SW_SHOWNORMAL);
    player->quiz->headerWindow = player->header;
    setMainChildren(player->header, nullptr);
    player->grid =
        CreateDialogParamW(instance, MAKEINTRESOURCEW(kGridDialogId), player->main, gridProc, 0);
    setMainChildren(player->header, player->grid);
}

}  // namespace

bool startPlayer(HINSTANCE instance, PlayerWindows* player) {
    *player = PlayerWindows{};
    keepDllSearchToSystemFolder();
    if (!registerMainWindowClass(instance)) return false;
    createLabelBrush();
    player->quiz = loadRecord();
    if (!player->quiz) {
        deleteLabelBrush();
        return false;
    }
    // The link opens through the shell, which wants an apartment on the thread that calls it.
    player->comInitialised =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    initMedia();
    const Quiz& quiz = *player->quiz;
    player->main = createMainWindow(instance, quiz.title);
    placeFirstScreen(player->main,
                     {quiz.kind, quiz.questionCount, quiz.answersPerQuestion, quiz.revealMode});
    createDialogs(instance, player);
    ShowWindow(player->main, SW_SHOWNORMAL);  // its WM_SIZE lays out both dialogs
    ShowWindow(player->grid, SW_SHOWNORMAL);
    SendMessageA(player->grid, WM_VSCROLL, SB_TOP, 0);
    return true;
}

int runMessageLoop(HWND grid, GetMessageFunction getMessage) {
    MSG message = {};
    BOOL got;
    // Unicode throughout: a typed character reaches the fields as UTF-16 whatever the code page.
    while ((got = getMessage(&message, nullptr, 0, 0)) > 0) {
        if (IsDialogMessageW(grid, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

void shutdownPlayer(PlayerWindows* player) {
    stopPictureLoading();  // before the grid goes: no decoding outlives the window
    EndDialog(player->grid, 0);
    DestroyWindow(player->header);
    shutdownMedia(player->main);
    deleteLabelBrush();
    setMainChildren(nullptr, nullptr);
    releaseQuiz(player->quiz);
    std::free(player->quiz);
    publishQuiz(nullptr);
    player->quiz = nullptr;
    if (player->comInitialised) CoUninitialize();
    player->comInitialised = false;
}

int runPlayer(HINSTANCE instance) {
    PlayerWindows player;
    if (!startPlayer(instance, &player)) return 0;
    const int exitCode = runMessageLoop(player.grid);
    shutdownPlayer(&player);
    return exitCode;
}
