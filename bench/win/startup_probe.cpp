// Times a picture quiz's start-up from outside, as its user sees it.
//   startup_probe QUIZ.exe QUESTIONS [TIMEOUT_SECONDS]
// Starts the quiz, then polls every 20 ms: when its main window is visible with every
// answer field created (Edit 4001..4000+QUESTIONS), and when every question picture static
// (9901..9900+QUESTIONS) holds its bitmap (STM_GETIMAGE). Then closes the quiz and waits for it.
// Prints one line: window_ms=.. first_picture_ms=.. pictures_ms=.. exit_ms=.. (-1 = never).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/win/stopwatch.h"

namespace {

constexpr char kMainClass[] = "WindowsApp";
constexpr int kAnswerFieldBase = 4000;
constexpr int kQuestionPictureBase = 9900;
// Each poll costs the player server round trips and its GUI thread a message (STM_GETIMAGE): on
// two cores a tighter or wider poll slows what it times.
constexpr DWORD kPollMs = 20;
constexpr UINT kReplyMs = 200;  // a GUI thread busy longer is simply asked again later

struct Found {
    DWORD process;
    HWND main;
};

BOOL CALLBACK findMain(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<Found*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner != found->process || std::strcmp(className, kMainClass) != 0) return TRUE;
    found->main = window;
    return FALSE;
}

struct Controls {
    int questions;
    int fields;
    std::vector<HWND> pictures;  // by question, index 0 unused
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
    auto* c = reinterpret_cast<Controls*>(context);
    const int id = GetDlgCtrlID(window);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    const bool field = id > kAnswerFieldBase && id <= kAnswerFieldBase + c->questions;
    if (field && _stricmp(className, "Edit") == 0) ++c->fields;
    if (id > kQuestionPictureBase && id <= kQuestionPictureBase + c->questions &&
        _stricmp(className, "Static") == 0)
        c->pictures[id - kQuestionPictureBase] = window;
    return TRUE;
}

bool hasBitmap(HWND picture) {
    DWORD_PTR image = 0;
    const LRESULT answered = SendMessageTimeoutA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0,
                                                 SMTO_ABORTIFHUNG, kReplyMs, &image);
    return answered && image != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe QUIZ.exe QUESTIONS [TIMEOUT_SECONDS]\n");
        return 2;
    }
    const int questions = std::atoi(argv[2]);
    const double limitMs = (argc > 3 ? std::atof(argv[3]) : 120.0) * 1000.0;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "startup_probe: cannot start %s (%lu)\n", argv[1], GetLastError());
        return 1;
    }
    double windowMs = -1, firstPictureMs = -1, picturesMs = -1;
    Found found{process.dwProcessId, nullptr};
    std::vector<bool> shown(questions + 1, false);
    int shownCount = 0;
    Controls controls{};
    while (picturesMs < 0 && millisecondsSince(start) < limitMs) {
        Sleep(kPollMs);
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        if (!found.main) EnumWindows(findMain, reinterpret_cast<LPARAM>(&found));
        if (!found.main || !IsWindowVisible(found.main)) continue;
        if (windowMs < 0) {  // once complete, the controls stay: the pictures arrive in them
            controls = Controls{questions, 0, std::vector<HWND>(questions + 1, nullptr)};
            EnumChildWindows(found.main, collect, reinterpret_cast<LPARAM>(&controls));
            if (controls.fields != questions) continue;
            windowMs = millisecondsSince(start);
        }
        // In grid order, which is about the order they load in, up to the first still missing:
        // one question per picture and poll, not one per picture missing.
        for (int q = 1; q <= questions; ++q) {
            if (shown[q]) continue;
            if (!controls.pictures[q] || !hasBitmap(controls.pictures[q])) break;
            shown[q] = true;
            if (++shownCount == 1) firstPictureMs = millisecondsSince(start);
        }
        if (shownCount == questions) picturesMs = millisecondsSince(start);
    }
    double exitMs = -1;
    if (found.main) {
        LARGE_INTEGER closing;
        QueryPerformanceCounter(&closing);
        PostMessageA(found.main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0)
            exitMs = millisecondsSince(closing);
    }
    if (exitMs < 0) TerminateProcess(process.hProcess, 3);
    std::printf("window_ms=%.0f first_picture_ms=%.0f pictures_ms=%.0f exit_ms=%.0f\n", windowMs,
                firstPictureMs, picturesMs, exitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return picturesMs >= 0 && exitMs >= 0 ? 0 : 1;
}
