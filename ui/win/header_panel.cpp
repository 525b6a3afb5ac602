// The header panel's dialog procedure: it creates every control, follows the panel's width and
// paints the texts on the panel's own brush.
#include "ui/win/header_panel.h"

#include <array>
#include <string>

#include "core/ids.h"
#include "core/win/controls.h"
#include "evaluation/answer_slots.h"
#include "quizdata/web_link.h"
#include "quizdata/win/quiz.h"
#include "ui/header_layout.h"
#include "ui/win/player.h"

namespace {

constexpr COLORREF kPanelColour = RGB(128, 128, 255);
constexpr COLORREF kLinkTextColour = RGB(50, 50, 255);
constexpr int kPaintedIdFirst = 20;  // texts and the code box drawn on the panel brush
constexpr int kPaintedIdLast = 32;

enum class ControlFont { None, Gui, Link, Title, Score };

struct ControlSpec {
    int id;
    const char* className;
    DWORD style;
    const char* text;
    ControlFont font;
};

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;

// In the order of kHeaderPlaces, which places them.
std::array<ControlSpec, 12> controlSpecs(const Quiz* quiz, const char* scoreText,
                                         const char* linkText) {
    const char* author = quiz ? quiz->author : "";
    const char* description = quiz ? quiz->description : "";
    const char* title = quiz ? quiz->title : "";
    return {{
        {kLinkId, "Static", kShown | SS_NOTIFY, linkText, ControlFont::Link},
        {kByLabelId, "Static", kShown, "Par :", ControlFont::Gui},
        {kAuthorLabelId, "Static", kShown, author, ControlFont::Gui},
        {kSaveButtonId, "button", kShown, "Sauver", ControlFont::Gui},
        {kDescriptionLabelId, "Static", kShown, description, ControlFont::Gui},
        {kTitleLabelId, "Static", kShown, title, ControlFont::Title},
        {kCodeLabelId, "Static", kShown, " Code :", ControlFont::Gui},
        {kScoreLabelId, "Static", kShown | SS_CENTER, scoreText, ControlFont::Score},
        {kCodeBoxId, "edit", kShown | ES_READONLY, "", ControlFont::Gui},
        {kRuleLeftId, "Static", kShown | WS_BORDER, "", ControlFont::None},
        {kRuleMiddleId, "Static", kShown | WS_BORDER, "", ControlFont::None},
        {kRuleRightId, "Static", kShown | WS_BORDER, "", ControlFont::None},
    }};
}

HBRUSH panelBrush(HWND panel) {
    const Player* player = playerOfDialog(panel);
    return player ? player->brushes.panel : nullptr;
}

// Underlined, three quarters of the link's height; the link is the only static with SS_NOTIFY,
// so making the hand the static class's cursor shows it over the link alone.
void dressLink(HWND link) {
    RECT client;
    GetClientRect(link, &client);
    HFONT font = createFont({linkFontHeight(client.bottom), FW_NORMAL, false, true});
    SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kLinkCursorId));
    SetClassLongPtrA(link, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
}

// The font sent at creation; the link gets one of its own from dressLink.
HFONT fontOf(ControlFont font, const Quiz* quiz) {
    switch (font) {
    case ControlFont::Gui: return guiFont();
    case ControlFont::Title: return quiz ? quiz->titleFont : nullptr;
    case ControlFont::Score: return quiz ? quiz->scoreFont : nullptr;
    case ControlFont::Link:
    case ControlFont::None: break;
    }
    return nullptr;
}

// The quiz's web address, only ever an http(s) one; null when there is none.
const char* makerAddress(const Quiz* quiz) {
    return quiz && isWebAddress(quiz->link) ? quiz->link : nullptr;
}

BOOL onInitDialog(HWND panel, LPARAM player) {
    keepPlayerOfDialog(panel, player);
    const Quiz* quiz = currentQuiz();
    const std::string score = scoreText(0, quiz ? quiz->questionCount : 0);
    const std::string link = makerAddress(quiz) ? webLinkLabel(quiz->link) : "";
    for (const ControlSpec& shape : controlSpecs(quiz, score.c_str(), link.c_str())) {
        if (shape.id == kLinkId && link.empty()) continue;  // a quiz without a link shows none
        const WindowBox place = headerPlace(shape.id);
        HWND control = createChild(panel,
                                   {shape.className, shape.text, shape.style, place.x, place.y,
                                    place.width, place.height, shape.id},
                                   fontOf(shape.font, quiz));
        if (control && shape.font == ControlFont::Link) dressLink(control);
    }
    Player* owner = playerOfDialog(panel);
    if (owner) owner->brushes.panel = CreateSolidBrush(kPanelColour);
    return TRUE;
}

void onSize(HWND panel, int clientWidth) {
    for (const HeaderMove& move : headerLayout(clientWidth)) {
        HWND control = GetDlgItem(panel, move.id);
        SetWindowPos(control, nullptr, move.box.x, move.box.y, move.box.width, move.box.height,
                     SWP_NOOWNERZORDER | SWP_NOACTIVATE);
        if (move.repaint) InvalidateRect(control, nullptr, FALSE);
    }
}

// Only the link's click (notification 0 in the high word) opens the page; a double click sends
// another notification. "Sauver" goes to the main window, which saves as F2 does.
void onCommand(HWND panel, WPARAM wParam, LPARAM lParam) {
    const Player* player = playerOfDialog(panel);
    const char* address = makerAddress(currentQuiz());
    if (wParam == static_cast<WPARAM>(kLinkId) && player && address)
        player->hooks.openAddress(address);
    if (wParam == MAKEWPARAM(kSaveButtonId, BN_CLICKED))
        SendMessageA(GetParent(panel), WM_COMMAND, wParam, lParam);
}

INT_PTR onCtlColorStatic(HWND panel, HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id == kLinkId) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kLinkTextColour);
        return reinterpret_cast<INT_PTR>(panelBrush(panel));
    }
    if (id >= kPaintedIdFirst && id <= kPaintedIdLast) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(panelBrush(panel));
    }
    return FALSE;  // the rules keep the system's colours
}

void onDestroy(HWND panel) {
    Player* player = playerOfDialog(panel);
    if (player && player->brushes.panel) DeleteObject(player->brushes.panel);
    if (player) player->brushes.panel = nullptr;
    SetWindowLongPtrA(panel, DWLP_USER, 0);
    // The link font was made for this panel alone; its control is about to go too.
    HGDIOBJ linkFont =
        reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(panel, kLinkId, WM_GETFONT, 0, 0));
    if (linkFont) DeleteObject(linkFont);
}

}  // namespace

INT_PTR CALLBACK headerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return onInitDialog(panel, lParam);
    case WM_SIZE: onSize(panel, LOWORD(lParam)); return 0;
    case WM_COMMAND: onCommand(panel, wParam, lParam); return 0;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(panelBrush(panel));
    case WM_CTLCOLORSTATIC:
        return onCtlColorStatic(panel, reinterpret_cast<HDC>(wParam),
                                reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: onDestroy(panel); return 0;
    default: return FALSE;
    }
}
