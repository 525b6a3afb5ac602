// Entry point of the player: no command line, no configuration, the show state is ignored.
#include <windows.h>

#include "ui/win/player_run.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return runPlayer(instance); }
