// Whether a clip's bytes start as its kind needs, before they are handed to the media player
// (a damaged header can bring the player down with the quiz).
#pragma once

#include <cstddef>

// Video (type 2): a RIFF file of form "AVI ". Audio (type 1): an ID3 tag, an MPEG audio frame
// header within the first bytes, or a RIFF file of form "WAVE". Any other type: false.
bool clipHeaderFits(const unsigned char* bytes, std::size_t size, int type);
