// Clip playback through the media player control, hosted by ATL inside the grid.
#include "media/win/playback.h"

#include <ole2.h>
#include <wmp.h>

#include "core/ids.h"
#include "core/win/controls.h"
#include "core/win/system_library.h"
#include "media/clip_names.h"
#include "media/win/clip_files.h"
#include "media/win/video_window.h"
#include "quizdata/quiz_types.h"
#include "quizdata/win/quiz.h"

namespace {

// WindowsMediaPlayer {6BF52A52-394A-11D3-B153-00C04F79FAA6} and IWMPPlayer {6BF52A4F-...}.
constexpr CLSID kClsidWindowsMediaPlayer = {
    0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
constexpr IID kIidWmpPlayer = {
    0x6BF52A4F, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
constexpr DWORD kPlayerContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

using AttachControl = HRESULT(WINAPI*)(IUnknown* control, HWND host, IUnknown** container);

struct MediaState {
    HMODULE atlModule = nullptr;
    AttachControl attachControl = nullptr;
    bool comInitialised = false;  // so that shutdown uninitialises only what start-up initialised
    HWND playerHost = nullptr;
    IWMPPlayer* player = nullptr;
    IWMPControls* playerControls = nullptr;
    int playerUnavailable = 1;
    int currentClip = 0;
};

constexpr char kMediaTitle[] = "Information";
constexpr char kMissingPlayer[] =
    "Les clips de ce quiz ne peuvent pas \xEAtre lus : le Lecteur Windows Media est absent "
    "ou d\xE9sactiv\xE9 sur cet ordinateur.\n\n"
    "Pour l'obtenir : sur une \xE9"
    "dition N de Windows, installez le Media Feature Pack ; "
    "sinon, activez la fonctionnalit\xE9 facultative \xAB Lecteur Windows Media (h\xE9rit\xE9) "
    "\xBB (Param\xE8tres > Applications > Fonctionnalit\xE9s facultatives).";

MediaState gMedia;

int quizKind() {
    const Quiz* quiz = currentQuiz();
    return quiz ? quiz->kind : KindText;
}

void stopPlayer(const PlayerHooks& hooks) {
    gMedia.playerControls->stop();
    traceMedia(hooks, "stop");
}

// The player is promised full paths and URLs only: it gets the clip file's full path.
bool pointPlayerAt(const std::wstring& path, const char* name, const PlayerHooks& hooks) {
    BSTR url = SysAllocStringLen(path.data(), static_cast<UINT>(path.size()));
    if (!url) return false;
    HRESULT result = gMedia.player->put_URL(url);
    SysFreeString(url);
    traceMedia(hooks, "put_URL", name);
    return SUCCEEDED(result);
}

// A video plays in the empty band above its question's answer area, found from the play button
// where it stands now, so the band is right whatever the grid's scroll position.
void showVideoBand(int question) {
    HWND grid = GetParent(gMedia.playerHost);
    HWND button = GetDlgItem(grid, kPlayButtonBase + question);
    if (!button) return;
    RECT place;
    GetWindowRect(button, &place);
    MapWindowPoints(HWND_DESKTOP, grid, reinterpret_cast<POINT*>(&place), 2);
    BandRect band = videoBandRect(place.left, place.top);
    SetWindowPos(gMedia.playerHost, nullptr, band.x, band.y, band.width, band.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void hideVideoBand() {
    if (quizKind() != KindVideo || !gMedia.playerHost) return;
    SetWindowPos(gMedia.playerHost, nullptr, 0, 0, 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void attachPlayer(const PlayerHooks& hooks) {
    gMedia.attachControl(gMedia.player, gMedia.playerHost, nullptr);
    traceMedia(hooks, "AtlAxAttachControl");
    gMedia.player->get_controls(&gMedia.playerControls);
    traceMedia(hooks, "get_controls");
    BSTR none = SysAllocString(L"none");
    gMedia.player->put_uiMode(none);
    SysFreeString(none);
    traceMedia(hooks, "put_uiMode none");
}

}  // namespace

void initMedia(const PlayerHooks& hooks) {
    if (!isMediaKind(quizKind())) return;
    gMedia.atlModule = loadSystemLibrary("atl.dll");
    traceMedia(hooks, "LoadLibrary atl.dll");
    if (!gMedia.atlModule) return;
    FARPROC attach = GetProcAddress(gMedia.atlModule, "AtlAxAttachControl");
    gMedia.attachControl = reinterpret_cast<AttachControl>(reinterpret_cast<void (*)()>(attach));
    gMedia.comInitialised = SUCCEEDED(CoInitialize(nullptr));
    traceMedia(hooks, "CoInitialize");
}

void createPlayer(HWND grid, const PlayerHooks& hooks) {
    if (!isMediaKind(quizKind())) return;
    gMedia.playerHost = createChild(
        grid, {"STATIC", nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, kPlayerHostId});
    IWMPPlayer* player = nullptr;
    HRESULT result = CoCreateInstance(kClsidWindowsMediaPlayer, nullptr, kPlayerContext,
                                      kIidWmpPlayer, reinterpret_cast<void**>(&player));
    traceMedia(hooks, "CoCreateInstance");
    gMedia.playerUnavailable = 1;
    if (FAILED(result) || !player) return;
    if (!gMedia.attachControl) {
        player->Release();
        return;
    }
    gMedia.player = player;
    gMedia.playerUnavailable = 0;
    attachPlayer(hooks);
}

void playClip(int question, MediaRun& run, const PlayerHooks& hooks) {
    if (question < 1 || question > kMaxQuestions || !gMedia.playerControls) return;
    int type = clipTypeOfKind(quizKind());
    stopPlayer(hooks);
    hideVideoBand();
    if (gMedia.currentClip > 0) deleteClipFile(gMedia.currentClip, type, run.clips, hooks);
    gMedia.currentClip = question;
    if (!extractClip(kQuestionMediaBase + question, type, run.clips, hooks)) return;
    char name[kClipNameCapacity];
    if (!clipFileName(name, question, type)) return;
    if (type == kVideoClipType) showVideoBand(question);
    if (!pointPlayerAt(clipFilePath(question, type, run.clips), name, hooks)) {
        hideVideoBand();
        return;
    }
    gMedia.playerControls->play();
    traceMedia(hooks, "play");
    // The platform's media control may render into a window of its own rather than the host.
    if (type == kVideoClipType) overlayVideoWindows(gMedia.playerHost);
}

void stopClip(MediaRun& run, const PlayerHooks& hooks) {
    if (!gMedia.playerControls) return;
    stopPlayer(hooks);
    hideVideoBand();
    deleteClipFile(gMedia.currentClip, clipTypeOfKind(quizKind()), run.clips, hooks);
}

void handleMediaCommand(HWND, WPARAM wParam, MediaRun& run, const PlayerHooks& hooks) {
    if (!isMediaKind(quizKind())) return;
    MediaCommand command = mediaCommandFor(wParam);
    if (gMedia.playerUnavailable) {
        if (command.action == MediaPlay && !run.missingPlayerShown) {
            run.missingPlayerShown = true;
            hooks.showMessage(kMissingPlayer, kMediaTitle);
        }
        return;
    }
    if (command.action == MediaPlay) playClip(command.question, run, hooks);
    if (command.action == MediaStop) stopClip(run, hooks);
}

bool playerAvailable() { return !gMedia.playerUnavailable; }

void releaseClipsForSessionEnd(MediaRun& run, const PlayerHooks& hooks) {
    const int type = clipTypeOfKind(quizKind());
    if (!type) return;
    if (gMedia.playerControls) stopPlayer(hooks);
    if (gMedia.player) gMedia.player->close();
    deleteAllClipFiles(type, run.clips, hooks);
}

// The player is stopped and closed (letting go of its file) and released while its apartment and
// host live; the host goes with the windows; only then are the files deleted and COM ended.
// atl.dll stays loaded until the process ends: what it registered and created for the host may
// still be called while the last windows go, and unloading it saves nothing at exit.
void shutdownMedia(HWND mainWindow, MediaRun& run, const PlayerHooks& hooks) {
    int type = clipTypeOfKind(quizKind());
    if (!type) return;
    if (gMedia.playerControls) {
        stopPlayer(hooks);
        gMedia.playerControls->Release();
    }
    if (gMedia.player) {
        gMedia.player->close();
        traceMedia(hooks, "close");
        gMedia.player->Release();
    }
    DestroyWindow(mainWindow);
    traceMedia(hooks, "DestroyWindow");
    deleteAllClipFiles(type, run.clips, hooks);
    if (gMedia.comInitialised) {
        CoUninitialize();
        traceMedia(hooks, "CoUninitialize");
    }
    gMedia = MediaState{};
}
