// Whether an executable is a Velto player that a quiz can be put into.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pe/pe_resources.h"

// The named resource only the player carries (type RCDATA), as resources/player.rc writes it.
constexpr char kPlayerMarkerName[] = "VELTOPLAYER";

// A 32- or 64-bit PE executable (not a DLL) with the player's marker and its two dialog
// templates; a quiz built from a player is one too. Otherwise false with `error` saying, in
// French, what is missing. On success `resources` holds the image's resources, as read.
bool checkPlayer(const std::vector<uint8_t>& image, std::vector<PeResource>& resources,
                 std::string& error);
