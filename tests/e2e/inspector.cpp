// Prints the controls of a running player: one line per window, for end-to-end tests.
//   inspector [--close] [--wait SECONDS] [--place X Y WIDTH HEIGHT]
//   inspector --box TITLE [--press BUTTON] [--wait SECONDS]
// Line format (tab separated, UTF-8): depth id class x y width height visible text
// Texts are read as UTF-16, so they come out the same whatever the system's ANSI code page.
// Rectangles are screen coordinates. --close posts WM_CLOSE to the main window after printing;
// --place moves and sizes the main window before printing (a bigger window shows more of the grid).
// --box waits for a message box of that title, prints its texts (one line each) and presses the
// button of that identifier (1 OK, 2 Cancel, 4 Retry) when asked to.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kMainClass[] = "WindowsApp";

std::string utf8Of(const wchar_t* text) {
    char out[1200] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

void printWindow(HWND window, int depth) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    wchar_t text[300] = {};
    DWORD_PTR copied = 0;
    // Another process's controls answer WM_GETTEXT, not GetWindowTextW.
    SendMessageTimeoutW(window, WM_GETTEXT, 300, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &copied);
    for (wchar_t* c = text; *c; ++c)
        if (*c == L'\t' || *c == L'\n' || *c == L'\r') *c = L' ';
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%d\t%d\t%s\t%ld\t%ld\t%ld\t%ld\t%d\t%s\n", depth,
                static_cast<int>(GetWindowLongPtrW(window, GWLP_ID)), utf8Of(className).c_str(),
                r.left, r.top, r.right - r.left, r.bottom - r.top, IsWindowVisible(window) ? 1 : 0,
                utf8Of(text).c_str());
}

struct Walk {
    HWND parent;
    int depth;
};

BOOL CALLBACK printChild(HWND window, LPARAM context) {
    const Walk* walk = reinterpret_cast<const Walk*>(context);
    if (GetParent(window) != walk->parent) return TRUE;  // direct children only; recursion below
    printWindow(window, walk->depth);
    Walk inner{window, walk->depth + 1};
    EnumChildWindows(window, printChild, reinterpret_cast<LPARAM>(&inner));
    return TRUE;
}

BOOL CALLBACK printText(HWND window, LPARAM) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) printWindow(window, 1);
    return TRUE;
}

int inspectBox(const char* title, int press, int waitSeconds) {
    HWND box = FindWindowA("#32770", title);  // the dialog class of message boxes
    for (int tries = 0; !box && tries < waitSeconds * 10; ++tries) {
        Sleep(100);
        box = FindWindowA("#32770", title);
    }
    if (!box) {
        std::fprintf(stderr, "inspector: no message box %s\n", title);
        return 1;
    }
    EnumChildWindows(box, printText, 0);
    std::fflush(stdout);
    if (press) PostMessageA(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* boxTitle = nullptr;
    int press = 0;
    bool close = false;
    bool place = false;
    int waitSeconds = 0;
    int box[4] = {};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--close") == 0) close = true;
        if (std::strcmp(argv[i], "--wait") == 0 && i + 1 < argc) waitSeconds = std::atoi(argv[++i]);
        if (std::strcmp(argv[i], "--place") == 0 && i + 4 < argc) {
            place = true;
            for (int& v : box) v = std::atoi(argv[++i]);
        }
        if (std::strcmp(argv[i], "--box") == 0 && i + 1 < argc) boxTitle = argv[++i];
        if (std::strcmp(argv[i], "--press") == 0 && i + 1 < argc) press = std::atoi(argv[++i]);
    }
    if (boxTitle) return inspectBox(boxTitle, press, waitSeconds);
    HWND main = FindWindowA(kMainClass, nullptr);
    for (int tries = 0; !main && tries < waitSeconds * 10; ++tries) {
        Sleep(100);
        main = FindWindowA(kMainClass, nullptr);
    }
    if (!main) {
        std::fprintf(stderr, "inspector: no player window\n");
        return 1;
    }
    if (place)
        SetWindowPos(main, nullptr, box[0], box[1], box[2], box[3], SWP_NOZORDER | SWP_NOACTIVATE);
    printWindow(main, 0);
    Walk walk{main, 1};
    EnumChildWindows(main, printChild, reinterpret_cast<LPARAM>(&walk));
    std::fflush(stdout);
    if (close) PostMessageA(main, WM_CLOSE, 0, 0);
    return 0;
}
