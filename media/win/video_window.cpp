// Video windows of the media control's own, laid over the player host.
#include "media/win/video_window.h"

#include <cstring>

namespace {

// Wine's media control does not draw video inside its host: Wine's DirectShow video renderer
// (quartz) opens a top-level window of this class for the picture, which would float apart from
// the player (and shows nothing once reparented, so it stays top-level and is laid over the band).
// On Windows the control draws inside its host and no window of this class exists, so the
// search below finds nothing and leaves every window alone.
constexpr char kOwnVideoWindowClass[] = "wine_quartz_window";
constexpr LONG_PTR kFrameStyles =
    WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

struct Overlay {
    HWND owner;
    RECT place;
};

void laidOver(HWND video, const Overlay& overlay) {
    LONG_PTR style = GetWindowLongPtrA(video, GWL_STYLE);
    SetWindowLongPtrA(video, GWL_STYLE, (style & ~kFrameStyles) | WS_POPUP | WS_VISIBLE);
    LONG_PTR exStyle = GetWindowLongPtrA(video, GWL_EXSTYLE);
    SetWindowLongPtrA(video, GWL_EXSTYLE, exStyle & ~(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE));
    SetWindowLongPtrA(video, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(overlay.owner));
    const RECT& r = overlay.place;
    SetWindowPos(video, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

BOOL CALLBACK overlayIfOwnVideo(HWND window, LPARAM overlay) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    char name[sizeof kOwnVideoWindowClass + 1];
    if (!GetClassNameA(window, name, sizeof name) || std::strcmp(name, kOwnVideoWindowClass) != 0)
        return TRUE;
    laidOver(window, *reinterpret_cast<const Overlay*>(overlay));
    return TRUE;
}

}  // namespace

void overlayVideoWindows(HWND host) {
    if (!host || !IsWindowVisible(host)) return;
    Overlay overlay{GetAncestor(host, GA_ROOT), {}};
    GetWindowRect(host, &overlay.place);
    EnumWindows(overlayIfOwnVideo, reinterpret_cast<LPARAM>(&overlay));
}
