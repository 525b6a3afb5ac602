// readJpegFrame (and readJpegSize beside it) on any bytes, as they are and behind a JPEG start. It
// must stay inside the data, call nothing a JPEG that does not start as one, and answer
// consistently for prefixes: the walk stops at the end-of-image marker, so along the prefixes of
// one input the file is short (truncated or without its end) up to some length and whole, with the
// same frame, from there on.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "media/jpeg_markers.h"

namespace {

constexpr size_t kEveryPrefixUpTo = 256;  // longer inputs: a sample of prefixes, to stay fast
constexpr size_t kSampledPrefixes = 128;

JpegFrame framePrefix(const std::vector<uint8_t>& bytes, size_t length) {
    // A copy of exactly `length` bytes, so that AddressSanitizer sees any read past the prefix.
    std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + length);
    const JpegFrame frame = readJpegFrame(prefix.data(), prefix.size());
    // The header-only read sizes exactly what the whole walk would.
    int width = 0, height = 0;
    const bool sized = readJpegSize(prefix.data(), prefix.size(), &width, &height);
    const bool framed = frame.format == PictureFormat::Jpeg && frame.width > 0 && frame.height > 0;
    if (sized != framed || (sized && (width != frame.width || height != frame.height)))
        std::abort();
    return frame;
}

void checkOne(const JpegFrame& frame) {
    if (frame.ok != (frame.problem == JpegProblem::None)) std::abort();
    const bool notJpeg = frame.problem == JpegProblem::NotJpeg;
    if ((frame.format != PictureFormat::Jpeg) != notJpeg) std::abort();
    if (frame.ok && (frame.width <= 0 || frame.height <= 0)) std::abort();
    const unsigned char marker = frame.frameMarker;
    if (frame.ok && marker != 0xC0 && marker != 0xC1 && marker != 0xC2) std::abort();
    if (frame.width < 0 || frame.width > 0xFFFF || frame.height < 0 || frame.height > 0xFFFF)
        std::abort();
}

void checkPrefixes(const std::vector<uint8_t>& bytes) {
    const size_t size = bytes.size();
    const size_t step = size <= kEveryPrefixUpTo ? 1 : size / kSampledPrefixes;
    bool seenWhole = false;
    JpegFrame whole;
    for (size_t length = 3; length <= size; length += step) {
        const JpegFrame frame = framePrefix(bytes, length);
        checkOne(frame);
        if (seenWhole) {
            if (!frame.ok || frame.width != whole.width || frame.height != whole.height)
                std::abort();
        } else if (frame.ok) {
            seenWhole = true;
            whole = frame;
        }
    }
    const JpegFrame all = framePrefix(bytes, size);
    if (seenWhole && !all.ok) std::abort();
    if (!all.ok) return;
    // Every shorter prefix lacks the end marker at least.
    for (size_t length = 3; length < size && length < kEveryPrefixUpTo; ++length) {
        const JpegFrame frame = framePrefix(bytes, length);
        const bool short_ =
            frame.problem == JpegProblem::Truncated || frame.problem == JpegProblem::NoEndMarker;
        if (!frame.ok && !short_) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> raw(data, data + size);
    const JpegFrame asGiven = readJpegFrame(raw.data(), raw.size());
    checkOne(asGiven);
    const bool looksLikeJpeg = size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
    if (looksLikeJpeg != (asGiven.format == PictureFormat::Jpeg)) std::abort();

    std::vector<uint8_t> jpeg{0xFF, 0xD8, 0xFF};  // most inputs then get past the first check
    jpeg.insert(jpeg.end(), data, data + size);
    checkPrefixes(looksLikeJpeg ? raw : jpeg);
    return 0;
}
