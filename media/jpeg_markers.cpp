#include "media/jpeg_markers.h"

#include <cstring>

namespace {

constexpr unsigned char kMarkerPrefix = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kTemporary = 0x01;  // TEM: no segment follows
constexpr unsigned char kBaseline = 0xC0;
constexpr unsigned char kExtendedSequential = 0xC1;
constexpr unsigned char kProgressive = 0xC2;
constexpr std::size_t kFrameHeaderLength = 8;  // length, precision, height, width, components
constexpr unsigned char kCommonPrecision = 8;

bool isRestart(unsigned char marker) { return marker >= 0xD0 && marker <= 0xD7; }

// SOF0 .. SOF15 but DHT (C4), JPG (C8) and DAC (CC).
bool isFrameMarker(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool startsWith(const unsigned char* bytes, std::size_t size, const char* text,
                std::size_t length) {
    return size >= length && std::memcmp(bytes, text, length) == 0;
}

unsigned readBigEndian16(const unsigned char* at) {
    return (static_cast<unsigned>(at[0]) << 8) | at[1];
}

// Past the entropy-coded data of a scan: to the next marker that is neither a stuffed FF 00 nor
// a restart marker. Returns size when the data runs out first.
std::size_t skipScanData(const unsigned char* bytes, std::size_t size, std::size_t at) {
    while (at < size) {
        if (bytes[at] != kMarkerPrefix) {
            ++at;
            continue;
        }
        if (at + 1 >= size) return size;
        const unsigned char next = bytes[at + 1];
        if (next == 0x00 || isRestart(next))
            at += 2;
        else if (next == kMarkerPrefix)
            ++at;  // fill byte before a marker
        else
            return at;
    }
    return size;
}

void readFrameHeader(const unsigned char* segment, std::size_t length, unsigned char marker,
                     JpegFrame& frame, unsigned char& precision) {
    frame.frameMarker = marker;
    frame.progressive = marker == kProgressive;
    if (length < kFrameHeaderLength) return;
    precision = segment[2];
    frame.precision = precision;
    frame.components = segment[7];
    frame.height = static_cast<int>(readBigEndian16(segment + 3));
    frame.width = static_cast<int>(readBigEndian16(segment + 5));
}

bool supportedFrame(unsigned char marker, unsigned char precision) {
    if (marker == kBaseline || marker == kProgressive) return true;
    return marker == kExtendedSequential && precision == kCommonPrecision;
}

// The walk itself; fills the frame fields it meets and returns how the data ends.
// Stops after the first frame header when `frameOnly`.
JpegProblem walkSegments(const unsigned char* bytes, std::size_t size, JpegFrame& frame,
                         unsigned char& precision, bool frameOnly) {
    std::size_t at = 2;
    bool scanned = false;
    for (;;) {
        if (at >= size) return scanned ? JpegProblem::NoEndMarker : JpegProblem::Truncated;
        if (bytes[at] != kMarkerPrefix) return JpegProblem::Malformed;
        while (at < size && bytes[at] == kMarkerPrefix) ++at;
        if (at >= size) return JpegProblem::Truncated;
        const unsigned char marker = bytes[at++];
        if (marker == kEndOfImage) return scanned ? JpegProblem::None : JpegProblem::Malformed;
        if (marker == kTemporary || isRestart(marker)) continue;
        if (marker == kStartOfImage || marker == 0x00) return JpegProblem::Malformed;
        if (size - at < 2) return JpegProblem::Truncated;
        const std::size_t length = readBigEndian16(bytes + at);
        if (length < 2) return JpegProblem::Malformed;
        if (length > size - at) return JpegProblem::Truncated;
        if (isFrameMarker(marker) && frame.frameMarker == 0) {
            readFrameHeader(bytes + at, length, marker, frame, precision);
            if (frameOnly) return JpegProblem::None;
        }
        at += length;
        if (marker != kStartOfScan) continue;
        if (frame.frameMarker == 0) return JpegProblem::Malformed;
        scanned = true;
        at = skipScanData(bytes, size, at);
        if (at >= size) return JpegProblem::Truncated;
    }
}

}  // namespace

PictureFormat pictureFormat(const unsigned char* bytes, std::size_t size) {
    if (!bytes) return PictureFormat::Unknown;
    if (startsWith(bytes, size, "\xFF\xD8\xFF", 3)) return PictureFormat::Jpeg;
    if (startsWith(bytes, size, "\x89PNG\r\n\x1A\n", 8)) return PictureFormat::Png;
    if (startsWith(bytes, size, "GIF87a", 6) || startsWith(bytes, size, "GIF89a", 6))
        return PictureFormat::Gif;
    if (startsWith(bytes, size, "BM", 2) && size >= 14) return PictureFormat::Bmp;
    return PictureFormat::Unknown;
}

JpegFrame readJpegFrame(const unsigned char* bytes, std::size_t size) {
    JpegFrame frame;
    frame.format = pictureFormat(bytes, size);
    if (frame.format != PictureFormat::Jpeg) return frame;
    unsigned char precision = 0;
    frame.problem = walkSegments(bytes, size, frame, precision, false);
    const bool framed = frame.frameMarker != 0;
    // A header too short for its sizes, or a frame without width, shows nothing.
    if (framed && frame.width == 0 && frame.problem != JpegProblem::Truncated)
        frame.problem = JpegProblem::Malformed;
    // The coding matters more than the ending: such a file fails whole or not.
    if (framed && frame.problem != JpegProblem::Malformed &&
        !supportedFrame(frame.frameMarker, precision))
        frame.problem = JpegProblem::UnsupportedFrame;
    // Height 0 announces the height after the first scan (DNL), which common decoders refuse.
    if (frame.problem == JpegProblem::None && frame.height == 0)
        frame.problem = JpegProblem::UnsupportedFrame;
    frame.ok = frame.problem == JpegProblem::None;
    return frame;
}

bool readJpegSize(const unsigned char* bytes, std::size_t size, int* width, int* height) {
    if (pictureFormat(bytes, size) != PictureFormat::Jpeg) return false;
    JpegFrame frame;
    unsigned char precision = 0;
    walkSegments(bytes, size, frame, precision, true);
    if (frame.width <= 0 || frame.height <= 0) return false;
    *width = frame.width;
    *height = frame.height;
    return true;
}
