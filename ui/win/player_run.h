// The player's life: start-up, the message loop and shutdown, in their fixed order.
#pragma once

#include <windows.h>

#include "ui/win/player.h"

// Everything up to the message loop: the record is loaded, the windows are shown and the grid is
// scrolled to its top; hooks stay in player for the whole run. False (and nothing made) when the
// main window class cannot be registered, or when another player already runs on the same answers
// file (brought to the front instead). player must stay where it is until shutdownPlayer.
bool startPlayer(HINSTANCE instance, Player* player,
                 const PlayerHooks& hooks = kDefaultPlayerHooks);
// Runs until WM_QUIT and returns the exit code it carries; a failed get (-1) ends the loop with 0
// rather than spinning on it. Messages come from player.hooks.getMessage.
int runMessageLoop(const Player& player);
// Ends the grid, destroys the header panel, shuts the media down, releases the brush and record.
void shutdownPlayer(Player* player);

// The whole program. Returns the process exit code.
int runPlayer(HINSTANCE instance);
