// Entry point of the player.
#include <windows.h>

#include "ui/win/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return runPlayer(instance);
}
