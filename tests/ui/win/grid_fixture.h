// A question grid built in-process for a quiz of the test's making, with a log of every
// control created on this thread (CBT hook) and of the fonts, images and focus sent to them.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/ids.h"
#include "quizdata/win/quiz.h"
#include "ui/win/grid.h"
#include "ui/win/player.h"

struct GridEvent {
    enum Type { Created, Font, Focus, Image } type = Created;
    HWND hwnd = nullptr;
    // Created
    HWND parent = nullptr;
    std::string className, text;
    bool nullText = false;
    DWORD style = 0, exStyle = 0;
    int id = 0, x = 0, y = 0, width = 0, height = 0;
    HINSTANCE instance = nullptr;
    // Font and Image: the message's arguments
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

inline std::vector<GridEvent>& gridEvents() {
    static std::vector<GridEvent> events;
    return events;
}

inline LRESULT CALLBACK gridCbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        GridEvent e;
        e.hwnd = reinterpret_cast<HWND>(wParam);
        e.parent = cs->hwndParent;
        e.className = IS_INTRESOURCE(cs->lpszClass) ? "#" : cs->lpszClass;
        e.nullText = cs->lpszName == nullptr;
        if (cs->lpszName) e.text = cs->lpszName;
        e.style = static_cast<DWORD>(cs->style);
        e.exStyle = cs->dwExStyle;
        e.id = static_cast<int>(reinterpret_cast<INT_PTR>(cs->hMenu));
        e.x = cs->x;
        e.y = cs->y;
        e.width = cs->cx;
        e.height = cs->cy;
        e.instance = cs->hInstance;
        gridEvents().push_back(e);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

inline LRESULT CALLBACK gridSendHook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* m = reinterpret_cast<CWPSTRUCT*>(lParam);
    GridEvent::Type type = GridEvent::Font;
    bool keep = true;
    switch (m->message) {
    case WM_SETFONT: type = GridEvent::Font; break;
    case WM_SETFOCUS: type = GridEvent::Focus; break;
    case STM_SETIMAGE:
    case BM_SETIMAGE: type = GridEvent::Image; break;
    default: keep = false;
    }
    if (keep) {
        GridEvent e;
        e.type = type;
        e.hwnd = m->hwnd;
        e.message = m->message;
        e.wParam = m->wParam;
        e.lParam = m->lParam;
        gridEvents().push_back(e);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The saved answers file of this executable: its name with "txt" for its last three characters.
inline std::string savedAnswersName() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name = path;
    const size_t slash = name.find_last_of('\\');
    if (slash != std::string::npos) name = name.substr(slash + 1);
    return name.substr(0, name.size() - 3) + "txt";
}

inline void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A control as the grid holds it, at its canvas position (client position plus scroll position).
struct GridChild {
    HWND hwnd;
    int id;
    std::string className;
    RECT canvas;
};

class GridFixture : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(savedAnswersName().c_str());
        quiz_ = std::make_unique<Quiz>();
        applyDefaults(quiz_.get());
        previous_ = currentQuiz();
        publishQuiz(quiz_.get());
        gridEvents().clear();
    }

    void TearDown() override {
        if (grid_) DestroyWindow(grid_);
        pumpMessages();
        publishQuiz(previous_);
        releaseQuiz(quiz_.get());
        DeleteFileA(savedAnswersName().c_str());
    }

    Quiz& quiz() { return *quiz_; }

    // questions texts: "q<i>" prompts, "A<i>"/"B<i>" answers, "expl <i>" explanations.
    void describe(int kind, int count, int answers, int reveal = RevealNone) {
        quiz_->kind = kind;
        quiz_->questionCount = count;
        quiz_->answersPerQuestion = answers;
        quiz_->revealMode = reveal;
        std::snprintf(quiz_->caption1, sizeof quiz_->caption1, "Artiste");
        std::snprintf(quiz_->caption2, sizeof quiz_->caption2, "Titre");
        for (int i = 1; i <= count; ++i) {
            const std::string n = std::to_string(i);
            appendItem(quiz_.get(), ("A" + n).c_str(), ("B" + n).c_str(), ("q" + n).c_str());
            std::snprintf(quiz_->lastItem->explanation, kTextCapacity, "expl %d", i);
        }
    }

    // Builds the grid (logging every creation), shows it and sizes it to width x height.
    HWND open(int width = 500, int height = 400) {
        HHOOK cbt = SetWindowsHookExA(WH_CBT, gridCbtHook, nullptr, GetCurrentThreadId());
        HHOOK sent = SetWindowsHookExA(WH_CALLWNDPROC, gridSendHook, nullptr, GetCurrentThreadId());
        findAnswerFiles(&player_.answers, false);  // as start-up finds them
        grid_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kGridDialogId),
                                   sharedParent(), gridProc, reinterpret_cast<LPARAM>(&player_));
        UnhookWindowsHookEx(sent);
        UnhookWindowsHookEx(cbt);
        if (!grid_) return nullptr;
        ShowWindow(grid_, SW_SHOW);
        MoveWindow(grid_, 0, 0, width, height, TRUE);
        return grid_;
    }

    // Events concerning the grid's own controls (the dialog window itself left out).
    std::vector<GridEvent> controlEvents() const {
        std::vector<GridEvent> out;
        for (const GridEvent& e : gridEvents())
            if (e.hwnd != grid_ && (e.type != GridEvent::Created || e.parent == grid_))
                out.push_back(e);
        return out;
    }

    std::vector<GridEvent> created() const {
        std::vector<GridEvent> out;
        for (const GridEvent& e : controlEvents())
            if (e.type == GridEvent::Created) out.push_back(e);
        return out;
    }

    // The grid's children in Z order, which is the dialog's tab order.
    std::vector<GridChild> children() const {
        std::vector<GridChild> out;
        const int dx = GetScrollPos(grid_, SB_HORZ), dy = GetScrollPos(grid_, SB_VERT);
        for (HWND c = GetWindow(grid_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            GridChild child{c, GetDlgCtrlID(c), "", clientRect(c)};
            OffsetRect(&child.canvas, dx, dy);
            char name[64] = "";
            GetClassNameA(c, name, sizeof name);
            child.className = name;
            out.push_back(child);
        }
        return out;
    }

    // A control's rectangle in the grid's client coordinates.
    RECT clientRect(HWND control) const {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, grid_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    int clientTop(int id) const { return clientRect(GetDlgItem(grid_, id)).top; }

    SCROLLINFO scrollInfo(int bar) const {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(grid_, bar, &info);
        return info;
    }

    RECT gridClient() const {
        RECT r{};
        GetClientRect(grid_, &r);
        return r;
    }

    std::string text(int id) const {
        char buffer[kTextCapacity] = "";
        GetWindowTextA(GetDlgItem(grid_, id), buffer, sizeof buffer);
        return buffer;
    }

    HWND grid_ = nullptr;
    Player player_;  // the grid's, as a run gives it

private:
    // One visible main window for every grid of the run (hidden windows do not scroll their
    // children, and showing a top-level window under Xvfb is slow).
    static HWND sharedParent() {
        static HWND parent = nullptr;
        if (parent) return parent;
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VeltoGridTestParent";
        RegisterClassA(&wc);
        parent = CreateWindowExA(0, wc.lpszClassName, "grid test", WS_OVERLAPPEDWINDOW, 0, 0, 1100,
                                 1500, nullptr, nullptr, wc.hInstance, nullptr);
        ShowWindow(parent, SW_SHOWNOACTIVATE);
        return parent;
    }

    std::unique_ptr<Quiz> quiz_;
    Quiz* previous_ = nullptr;
};
