// A small question grid for in-process tests: answer fields, verdict, explanation and picture
// labels at their grid identifiers, a header window with the score label and the code box, and a
// published Quiz. The grid window records the scroll requests it receives.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/ids.h"
#include "evaluation/answer_slots.h"
#include "quizdata/win/quiz.h"
#include "ui/win/answer_field.h"

namespace standin {

struct Question {
    const char* answer1;
    const char* answer2;
    const char* explanation;
};

inline std::vector<int>& scrollRequests() {
    static std::vector<int> requests;
    return requests;
}

inline LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL) {
        scrollRequests().push_back(LOWORD(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

inline const char* windowClass() {
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = recordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VeltoStandInGrid";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        atom = RegisterClassA(&wc);
    }
    return "VeltoStandInGrid";
}

inline HWND child(HWND parent, const char* cls, DWORD style, const char* text, int id, int x, int y,
                  int w, int h) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

// One visible top-level window for the whole run holds each test's grid: under a display without
// a window manager, Wine takes seconds to withdraw a destroyed top-level window.
inline HWND hostWindow() {
    static HWND host = nullptr;
    if (!host) {
        host = CreateWindowExA(0, windowClass(), "stand-in", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               950, 700, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(host);
    }
    return host;
}

struct Options {
    int kind = KindPicture;
    int answersPerQuestion = 1;
    int revealMode = RevealNone;
    bool pictures = false;        // question pictures 9901 + q, each showing its own bitmap
    bool fieldProcedure = false;  // answerFieldProc on every field
    int gridHeight = 300;
};

// The grid, its header and the Quiz it shows; everything is released by the destructor.
class Grid {
public:
    Grid(const std::vector<Question>& questions, const Options& options) {
        quiz_ = static_cast<Quiz*>(std::calloc(1, sizeof(Quiz)));
        applyDefaults(quiz_);
        quiz_->kind = options.kind;
        quiz_->questionCount = static_cast<int>(questions.size());
        quiz_->answersPerQuestion = options.answersPerQuestion;
        quiz_->revealMode = options.revealMode;
        for (std::size_t q = 0; q < questions.size(); ++q) {
            appendItem(quiz_, questions[q].answer1, questions[q].answer2, "");
            lstrcpynA(quiz_->lastItem->explanation, questions[q].explanation, kTextCapacity);
            wsprintfA(quiz_->codes[q], "CODE%d", static_cast<int>(q) + 1);
        }
        publishQuiz(quiz_);
        scrollRequests().clear();
        createHeader();
        createGrid(options);
    }

    ~Grid() {
        for (int q = 0; q < quiz_->questionCount; ++q) {
            HBITMAP shown = picture(q);
            if (shown) DeleteObject(shown);
        }
        DestroyWindow(grid_);
        DestroyWindow(header_);
        publishQuiz(nullptr);
        releaseQuiz(quiz_);
        DeleteObject(quiz_->scoreFont);
        DeleteObject(quiz_->titleFont);
        std::free(quiz_);
    }

    Grid(const Grid&) = delete;
    Grid& operator=(const Grid&) = delete;

    Quiz* quiz() const { return quiz_; }
    HWND window() const { return grid_; }
    HWND field(int k) const { return GetDlgItem(grid_, kAnswerFieldBase + k); }

    std::string text(int id) const { return textOf(GetDlgItem(grid_, id)); }
    std::string fieldText(int k) const { return text(kAnswerFieldBase + k); }
    std::string verdict(int k) const { return text(kVerdictLabelBase + k); }
    std::string explanation(int q) const { return text(explanationLabelId(q)); }
    std::string score() const { return textOf(GetDlgItem(header_, kScoreLabelId)); }
    std::string code() const { return textOf(GetDlgItem(header_, kCodeBoxId)); }

    void type(int k, const char* answer) const { SetWindowTextA(field(k), answer); }

    HBITMAP picture(int q) const {
        return reinterpret_cast<HBITMAP>(
            SendMessageA(GetDlgItem(grid_, questionPictureId(q)), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }

    static std::string textOf(HWND window) {
        char text[kTextCapacity] = "";
        if (window) GetWindowTextA(window, text, kTextCapacity);
        return text;
    }

private:
    void createHeader() {
        header_ = CreateWindowExA(0, windowClass(), "header", WS_OVERLAPPEDWINDOW, 0, 0, 400, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        quiz_->headerWindow = header_;
        child(header_, "STATIC", 0, "", kScoreLabelId, 5, 5, 100, 20);
        child(header_, "EDIT", 0, "", kCodeBoxId, 5, 30, 100, 20);
    }

    void createGrid(const Options& options) {
        grid_ = CreateWindowExA(0, windowClass(), "grid", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0,
                                900, options.gridHeight, hostWindow(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        const int perQuestion = fieldsPerQuestion(quiz_->kind, quiz_->answersPerQuestion);
        const int fields =
            answerFieldCount(quiz_->kind, quiz_->questionCount, quiz_->answersPerQuestion);
        for (int k = 1; k <= fields; ++k) {
            const int y = 5 + 25 * (k - 1);
            HWND field = child(grid_, "EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, "",
                               kAnswerFieldBase + k, 300, y, 100, 20);
            if (options.fieldProcedure) installAnswerFieldProc(field);
            child(grid_, "STATIC", WS_BORDER, "?", kVerdictLabelBase + k, 410, y, 100, 20);
        }
        for (int q = 0; q < quiz_->questionCount && perQuestion > 0; ++q) {
            const int y = 5 + 25 * q * perQuestion;
            child(grid_, "STATIC", 0, "", explanationLabelId(q), 520, y, 260, 20);
            if (!options.pictures) continue;
            HWND picture =
                child(grid_, "STATIC", SS_BITMAP, "", questionPictureId(q), 5, y, 30, 20);
            HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
            SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        }
    }

    Quiz* quiz_ = nullptr;
    HWND header_ = nullptr;
    HWND grid_ = nullptr;
};

}  // namespace standin
