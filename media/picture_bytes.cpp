// JPEG completeness: the marker segments are walked, by their lengths, up to the end-of-image
// marker, so that markers inside embedded thumbnails or scan data are never mistaken for it.
#include "media/picture_bytes.h"

namespace {

constexpr unsigned char kMarkerPrefix = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kStartOfScan = 0xDA;

bool isRestart(unsigned char marker) { return marker >= 0xD0 && marker <= 0xD7; }

// Past the entropy-coded data of a scan: to the next marker that is neither a stuffed 0xFF 0x00
// nor a restart marker. Returns length when the data runs out first.
std::size_t skipScanData(const unsigned char* bytes, std::size_t length, std::size_t at) {
    while (at < length) {
        if (bytes[at] != kMarkerPrefix) {
            ++at;
            continue;
        }
        if (at + 1 >= length) return length;
        unsigned char next = bytes[at + 1];
        if (next == 0x00 || isRestart(next)) {
            at += 2;
        } else if (next == kMarkerPrefix) {
            ++at;  // fill byte before a marker
        } else {
            return at;
        }
    }
    return length;
}

}  // namespace

bool isTruncatedJpeg(const unsigned char* bytes, std::size_t length) {
    if (!bytes || length < 2 || bytes[0] != kMarkerPrefix || bytes[1] != kStartOfImage) return false;
    std::size_t at = 2;
    for (;;) {
        if (at >= length) return true;
        if (bytes[at] != kMarkerPrefix) return false;  // malformed, not short: the decoder's affair
        while (at < length && bytes[at] == kMarkerPrefix) ++at;
        if (at >= length) return true;
        unsigned char marker = bytes[at++];
        if (marker == kEndOfImage) return false;
        if (marker == 0x01 || isRestart(marker)) continue;  // markers without a segment
        if (length - at < 2) return true;
        std::size_t segment = (static_cast<std::size_t>(bytes[at]) << 8) | bytes[at + 1];
        if (segment < 2) return false;
        if (segment > length - at) return true;
        at += segment;
        if (marker == kStartOfScan) at = skipScanData(bytes, length, at);
    }
}
