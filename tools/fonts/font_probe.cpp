// Prints, as Wine or Windows renders them, the advance widths of the player's fonts over
// Windows-1252, their line heights, the code box's margins and the description's width in a
// window of the size the player opens at; scripts/make-font-tables turns the output into
// tools/fonts/font_tables.cpp. Also prints the rendered width of a few texts, for the test of
// the measure. Built and run by that script only.
#include <windows.h>

#include <cstdio>

namespace {

struct Probe {
    const char* name;
    LONG height;
    LONG weight;
    bool italic, underline, stock;
};

// As the player creates them (quizdata/win/quiz.cpp, ui/win/grid_build.cpp, header panel).
const Probe kFonts[] = {
    {"Gui", 0, 0, false, false, true},
    {"Title", -15, FW_BOLD, true, false, false},
    {"Score", 25, FW_NORMAL, false, false, false},
    {"Answer", 15, FW_THIN, false, false, false},
    {"Link", -13, FW_NORMAL, false, true, false},
};

const char* const kSamples[] = {"NAPOLEON",
                                "CODE-SECRET-2024",
                                "Capitales d'Europe",
                                "Trouvez la capitale de chaque pays.",
                                "\xC9t\xE9 \xE0 Paris",
                                "www.exemple.fr/quiz"};

HFONT makeFont(const Probe& p) {
    if (p.stock) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA f = {};
    f.lfHeight = p.height;
    f.lfWeight = p.weight;
    f.lfItalic = p.italic;
    f.lfUnderline = p.underline;
    return CreateFontIndirectA(&f);
}

int extent(HDC dc, const char* cp1252) {
    WCHAR wide[256];
    const int n = MultiByteToWideChar(1252, 0, cp1252, -1, wide, 256) - 1;
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide, n, &size);
    return size.cx;
}

void printFont(HDC dc, const Probe& p) {
    HFONT font = makeFont(p);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    std::printf("font %s %ld\n", p.name, metrics.tmHeight);
    for (int c = 0x20; c <= 0xFF; ++c) {
        const char one[2] = {static_cast<char>(c), 0};
        std::printf("%d%c", extent(dc, one), c % 16 == 15 ? '\n' : ' ');
    }
    for (const char* s : kSamples) std::printf("sample %s %d %s\n", p.name, extent(dc, s), s);
    SelectObject(dc, old);
    if (!p.stock) DeleteObject(font);
}

// How many lines a static control's word wrap gives a text at a width (DT_WORDBREAK, as the
// static control draws SS_LEFT text).
void printWraps(HDC dc) {
    const struct {
        const char* text;
        int width;
    } wraps[] = {{"Trouvez la capitale de chaque pays.", 199},
                 {"Trouvez la capitale de chaque pays.", 120},
                 {"Trouvez la capitale de chaque pays.", 80},
                 {"Anticonstitutionnellement dit", 60}};
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    for (const auto& w : wraps) {
        WCHAR wide[256];
        const int n = MultiByteToWideChar(1252, 0, w.text, -1, wide, 256) - 1;
        RECT box = {0, 0, w.width, 1000};
        DrawTextW(dc, wide, n, &box, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
        std::printf("wrap %d %ld %s\n", w.width, box.bottom / metrics.tmHeight, w.text);
    }
    SelectObject(dc, old);
}

void printWindowSizes() {
    HWND main = CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW, 0, 0, 544, 375, nullptr,
                                nullptr, nullptr, nullptr);
    RECT client = {};
    GetClientRect(main, &client);
    std::printf("mainclient %ld %ld\n", client.right, client.bottom);
    HWND edit = CreateWindowExA(0, "edit", "", WS_CHILD | WS_VISIBLE | ES_READONLY, 44, 29, 53, 16,
                                main, nullptr, nullptr, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    const LRESULT margins = SendMessageA(edit, EM_GETMARGINS, 0, 0);
    std::printf("editmargins %d %d\n", LOWORD(margins), HIWORD(margins));
    DestroyWindow(main);
}

}  // namespace

int main() {
    HDC dc = GetDC(nullptr);
    for (const Probe& p : kFonts) printFont(dc, p);
    printWraps(dc);
    ReleaseDC(nullptr, dc);
    printWindowSizes();
    return 0;
}
