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
    return FORWARD_WM_NCCREATE(window, create, DefWindowProcW);
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

// As a dialog box does: the control that had the keyboard gets it back when the window is active
// again (the default handling would give it to the main window itself, where keys go nowhere).
void onActivate(HWND window, UINT state, HWND other, BOOL minimized) {
    Player* player = playerOfMainWindow(window);
    HWND focus = GetFocus();
    HWND kept = player ? player->windows.focusKept : nullptr;
    if (state == WA_INACTIVE) {
        if (player && focus && IsChild(window, focus)) player->windows.focusKept = focus;
        return;
    }
    if (minimized) return;
    if (kept && IsWindow(kept) && IsChild(window, kept)) {
        SetFocus(kept);
        return;
    }
    if (focus && IsChild(window, focus)) return;  // a control has it already
    FORWARD_WM_ACTIVATE(window, state, other, minimized, DefWindowProcW);
}

}  // namespace

// A Unicode window class: the caption, and the characters typed into the grid, are UTF-16.
bool registerMainWindowClass(HINSTANCE instance) {
    const std::wstring className = wideText(kMainWindowClass);
    WNDCLASSW windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
    windowClass.lpszClassName = className.c_str();
    return RegisterClassW(&windowClass) != 0;
}

HWND createMainWindow(HINSTANCE instance, const char* caption, Player* player) {
    return CreateWindowExW(0, wideText(kMainWindowClass).c_str(), wideText(caption).c_str(),
                           WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, kMainWindowWidth,
                           kMainWindowHeight, nullptr, nullptr, instance, player);
}

void placeFirstScreen(HWND window, const GridSpec& grid) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    // The grid dialog: a one-pixel border and both scroll bars, always shown.
    const WindowChrome chrome = {
        (outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom,
        2 * GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXVSCROLL),
        2 * GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYHSCROLL)};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const WindowBox box = firstScreen(
        grid, chrome, {work.left, work.top, work.right - work.left, work.bottom - work.top});
    SetWindowPos(window, nullptr, box.x, box.y, box.width, box.height, SWP_NOZORDER);
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
        HANDLE_MSG(window, WM_ACTIVATE, onActivate);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}
