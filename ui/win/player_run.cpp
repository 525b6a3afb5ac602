// Start-up, message loop and shutdown of the player.
#include "ui/win/player_run.h"

#include <objbase.h>

#include <cstdlib>

#include "core/ids.h"
#include "core/win/system_library.h"
#include "media/win/picture_loader.h"
#include "media/win/playback.h"
#include "quizdata/codec.h"
#include "quizdata/win/loader.h"
#include "ui/win/grid.h"
#include "ui/win/header_panel.h"
#include "ui/win/main_window.h"

namespace {

// The record, filled from the resources; its message boxes appear before any window.
Quiz* loadRecord(const PlayerHooks& hooks, QuizSource* source) {
    auto* quiz = static_cast<Quiz*>(std::calloc(1, sizeof(Quiz)));
    if (!quiz) return nullptr;
    applyDefaults(quiz);
    publishQuiz(quiz);
    setCodecAlert(hooks.showMessage);
    *source = loadQuiz(quiz, hooks);
    return quiz;
}

void releaseRecord(Player* player) {
    releaseQuiz(player->quiz);
    std::free(player->quiz);
    publishQuiz(nullptr);
    player->quiz = nullptr;
}

// The record, and the answers files of this run; none when another player already has them.
bool loadAndClaim(Player* player) {
    QuizSource source = QuizSource::Resources;
    player->quiz = loadRecord(player->hooks, &source);
    if (!player->quiz) return false;
    findAnswerFiles(&player->answers, source == QuizSource::Damaged);
    if (claimAnswerFiles(&player->answers)) return true;
    releaseRecord(player);
    return false;
}

// Each dialog receives the Player as its creation parameter. Unicode dialogs, so that the
// controls in them are Unicode too.
void createDialogs(HINSTANCE instance, Player* player) {
    PlayerWindows& windows = player->windows;
    const auto param = reinterpret_cast<LPARAM>(player);
    windows.header = CreateDialogParamW(instance, MAKEINTRESOURCEW(kHeaderDialogId), windows.main,
                                        headerPanelProc, param);
    ShowWindow(windows.header, SW_SHOWNORMAL);
    player->quiz->headerWindow = windows.header;
    windows.grid = CreateDialogParamW(instance, MAKEINTRESOURCEW(kGridDialogId), windows.main,
                                      gridProc, param);
}

}  // namespace

bool startPlayer(HINSTANCE instance, Player* player, const PlayerHooks& hooks) {
    *player = Player{};
    player->hooks = hooks;
    keepDllSearchToSystemFolder();
    if (!registerMainWindowClass(instance)) return false;
    createLabelBrush(player->brushes);
    if (!loadAndClaim(player)) {
        deleteLabelBrush(player->brushes);
        UnregisterClassA(kMainWindowClass, instance);
        return false;
    }
    // The link opens through the shell, which wants an apartment on the thread that calls it.
    player->comInitialised =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    initMedia(player->hooks);
    PlayerWindows& windows = player->windows;
    const Quiz& quiz = *player->quiz;
    windows.main = createMainWindow(instance, quiz.title, player);
    markPlayerWindow(player->answers, windows.main);
    placeFirstScreen(windows.main,
                     {quiz.kind, quiz.questionCount, quiz.answersPerQuestion, quiz.revealMode});
    createDialogs(instance, player);
    // The window took its size before the dialogs existed: lay them out now rather than count on
    // the first show sending another WM_SIZE.
    RECT client;
    GetClientRect(windows.main, &client);
    SendMessageW(windows.main, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    ShowWindow(windows.main, SW_SHOWNORMAL);
    ShowWindow(windows.grid, SW_SHOWNORMAL);
    SendMessageA(windows.grid, WM_VSCROLL, SB_TOP, 0);
    return true;
}

int runMessageLoop(const Player& player) {
    MSG message = {};
    BOOL got;
    // Unicode throughout: a typed character reaches the fields as UTF-16 whatever the code page.
    while ((got = player.hooks.getMessage(&message, nullptr, 0, 0)) > 0) {
        if (IsDialogMessageW(player.windows.grid, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

void shutdownPlayer(Player* player) {
    stopPictureLoading(player->pictures);  // before the grid goes: no decoding outlives the window
    EndDialog(player->windows.grid, 0);
    DestroyWindow(player->windows.header);
    releaseAnswerFiles(&player->answers, player->windows.main);
    shutdownMedia(player->windows.main, player->media, player->hooks);
    deleteLabelBrush(player->brushes);
    // Windows that outlive the run (the main window is destroyed by the media only) forget it.
    if (IsWindow(player->windows.main)) SetWindowLongPtrA(player->windows.main, GWLP_USERDATA, 0);
    if (IsWindow(player->windows.grid)) SetWindowLongPtrA(player->windows.grid, DWLP_USER, 0);
    releaseRecord(player);
    if (player->comInitialised) CoUninitialize();
    player->comInitialised = false;
}

int runPlayer(HINSTANCE instance) {
    Player player;
    if (!startPlayer(instance, &player)) return 0;
    const int exitCode = runMessageLoop(player);
    shutdownPlayer(&player);
    return exitCode;
}
