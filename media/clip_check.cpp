#include "media/clip_check.h"

#include <cstring>

#include "media/clip_names.h"

namespace {

constexpr std::size_t kRiffHeader = 12;
// Encoders may put a little padding before the first frame; a frame header this far in counts.
constexpr std::size_t kFrameSearch = 4096;

bool isRiffOfForm(const unsigned char* bytes, std::size_t size, const char* form) {
    return size >= kRiffHeader && std::memcmp(bytes, "RIFF", 4) == 0 &&
           std::memcmp(bytes + 8, form, 4) == 0;
}

// Sync bits, then no reserved version, layer, bit rate or sampling rate.
bool isFrameHeader(const unsigned char* at) {
    if (at[0] != 0xFF || (at[1] & 0xE0) != 0xE0) return false;
    const int version = (at[1] >> 3) & 3, layer = (at[1] >> 1) & 3;
    const int bitRate = at[2] >> 4, samplingRate = (at[2] >> 2) & 3;
    return version != 1 && layer != 0 && bitRate != 15 && samplingRate != 3;
}

bool isMpegAudio(const unsigned char* bytes, std::size_t size) {
    if (size >= 3 && std::memcmp(bytes, "ID3", 3) == 0) return true;
    for (std::size_t at = 0; at + 4 <= size && at < kFrameSearch; ++at)
        if (isFrameHeader(bytes + at)) return true;
    return false;
}

}  // namespace

bool clipHeaderFits(const unsigned char* bytes, std::size_t size, int type) {
    if (!bytes) return false;
    if (type == kVideoClipType) return isRiffOfForm(bytes, size, "AVI ");
    if (type == kAudioClipType)
        return isMpegAudio(bytes, size) || isRiffOfForm(bytes, size, "WAVE");
    return false;
}
