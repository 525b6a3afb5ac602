// The main window procedure and the state it shares with start-up.
#include "ui/win/main_window.h"

#include <windowsx.h>

#include "core/ids.h"
#include "core/win/controls.h"
#include "media/win/playback.h"
#include "ui/main_layout.h"
#include "ui/scroll.h"
#include "ui/win/player.h"
#include "ui/win/saved_answers_file.h"

namespace {

constexpr COLORREF kLabelColour = RGB(212, 208, 200);
constexpr COLORREF kLabelTextColour = RGB(0, 0, 0);
// No part of the player writes this name; closing removes it all the same.
constexpr char kStrayClipName[] = "velto.mp3";

void place(HWND window, const WindowBox& box, UINT flags) {
    SetWindowPos(window, nullptr, box.x, box.y, box.width, box.height, flags);
}

// The Player arrives as the creation parameter; the default handling still runs.
BOOL onNcCreate(HWND window, LPCREATESTRUCT create) {
    keepPlayerOfMainWindow(window, create);
    return FORWARD_WM_NCCREATE(window, create, DefWindowProcA);
}

// The dialogs of the run, once start-up has made them (null before).
PlayerWindows childrenOf(HWND window) {
    const Player* player = playerOfMainWindow(window);
    return player ? player->windows : PlayerWindows{};
}

BOOL onCreate(HWND window, LPCREATESTRUCT) {
    RECT client;
    GetClientRect(window, &client);
    const WindowBox box = versionLabelAtCreation(client.bottom);
    createChild(window,
                {"Static", kVersionLabelText, WS_CHILD | WS_VISIBLE, box.x, box.y, box.width,
                 box.height, kVersionLabelId},
                guiFont());
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
    return TRUE;
}

void layoutMainWindow(HWND window, int clientWidth, int clientHeight) {
    const MainLayout layout = mainLayout(clientWidth, clientHeight);
    const PlayerWindows children = childrenOf(window);
    if (children.grid) place(children.grid, layout.grid, SWP_NOZORDER);
    if (children.header) place(children.header, layout.header, SWP_NOZORDER);
    place(GetDlgItem(window, kVersionLabelId), layout.versionLabel,
          SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

void onSize(HWND window, UINT state, int clientWidth, int clientHeight) {
    if (state == SIZE_MINIMIZED) return;
    layoutMainWindow(window, clientWidth, clientHeight);
}

// Closing saves; when no place takes the answers, the person chooses to try again or to quit.
void onClose(HWND window) {
    Player* player = playerOfMainWindow(window);
    if (player) saveAnswersBeforeClosing(player->windows.grid, &player->answers, player->hooks);
    DeleteFileA(kStrayClipName);
    PostQuitMessage(0);  // the window itself stays: shutdown comes after the loop
}

void onDestroy(HWND) { PostQuitMessage(0); }

// The session ends (log off, shut down, restart): save without asking anything; nobody is there to
// answer and the process may be ended right after.
BOOL onQueryEndSession(HWND window) {
    if (Player* player = playerOfMainWindow(window))
        writeSavedAnswers(player->windows.grid, &player->answers);
    return TRUE;
}

void onEndSession(HWND window, BOOL ending) {
    Player* player = playerOfMainWindow(window);
    if (!ending || !player) return;
    writeSavedAnswers(player->windows.grid, &player->answers);
    releaseClipsForSessionEnd(player->media, player->hooks);
}

// "Sauver", passed on by the header panel, saves as F2 does.
void onCommand(HWND window, int id, HWND, UINT notification) {
    Player* player = playerOfMainWindow(window);
    if (id == kSaveButtonId && notification == BN_CLICKED && player)
        saveAnswersOrTell(player->windows.grid, &player->answers, player->hooks);
}

HBRUSH onCtlColorStatic(HWND window, HDC dc, HWND control, int) {
    if (GetDlgCtrlID(control) != kVersionLabelId) return nullptr;
    SetTextColor(dc, kLabelTextColour);
    SetBkMode(dc, TRANSPARENT);  // the text sits on the label brush, not on a white box
    const Player* player = playerOfMainWindow(window);
    return player ? player->brushes.label : nullptr;
}

void onMouseWheel(HWND window, int, int, int delta, UINT) {
    const int request = wheelScrollRequest(static_cast<unsigned>(delta) & 0xFFFFu);
    HWND grid = childrenOf(window).grid;
    if (request != 0 && grid) PostMessageA(grid, WM_VSCROLL, static_cast<WPARAM>(request), 0);
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

HWND createMainWindow(HINSTANCE instance, const char* caption, Player* player) {
    return CreateWindowExA(0, kMainWindowClass, caption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, kMainWindowWidth, kMainWindowHeight, nullptr, nullptr,
                           instance, player);
}

void centreOnDesktop(HWND window) {
    RECT desktop, outer;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &outer);
    const WindowBox desktopBox = {desktop.left, desktop.top, desktop.right - desktop.left,
                                  desktop.bottom - desktop.top};
    const ScreenPoint origin =
        centredOrigin(desktopBox, outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void createLabelBrush(PlayerBrushes& brushes) { brushes.label = CreateSolidBrush(kLabelColour); }

void deleteLabelBrush(PlayerBrushes& brushes) {
    if (brushes.label) DeleteObject(brushes.label);
    brushes.label = nullptr;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_NCCREATE, onNcCreate);
        HANDLE_MSG(window, WM_CREATE, onCreate);
        HANDLE_MSG(window, WM_SIZE, onSize);
        HANDLE_MSG(window, WM_CLOSE, onClose);
        HANDLE_MSG(window, WM_DESTROY, onDestroy);
        HANDLE_MSG(window, WM_QUERYENDSESSION, onQueryEndSession);
        HANDLE_MSG(window, WM_ENDSESSION, onEndSession);
        HANDLE_MSG(window, WM_COMMAND, onCommand);
        HANDLE_MSG(window, WM_CTLCOLORSTATIC, onCtlColorStatic);
        HANDLE_MSG(window, WM_MOUSEWHEEL, onMouseWheel);
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
