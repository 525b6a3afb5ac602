// isTruncatedJpeg on any bytes, as they are and behind a start-of-image marker. It must stay inside
// the data, call nothing a JPEG that does not start as one, and answer consistently for prefixes:
// the walk only ever looks forward, so along the prefixes of one input the answer is "truncated"
// up to some length and "not truncated" from there on (cutting a complete file makes it short;
// adding bytes to a short one can make it complete or malformed, never the reverse).
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "media/picture_bytes.h"

namespace {

constexpr size_t kEveryPrefixUpTo = 256;  // longer inputs: a sample of prefixes, to stay fast
constexpr size_t kSampledPrefixes = 128;

bool truncatedPrefix(const std::vector<uint8_t>& bytes, size_t length) {
    // A copy of exactly `length` bytes, so that AddressSanitizer sees any read past the prefix.
    std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + length);
    return isTruncatedJpeg(prefix.data(), prefix.size());
}

void checkPrefixes(const std::vector<uint8_t>& bytes) {
    const size_t size = bytes.size();
    const size_t step = size <= kEveryPrefixUpTo ? 1 : size / kSampledPrefixes;
    bool seenComplete = false;
    for (size_t length = 0; length <= size; length += step) {
        const bool truncated = truncatedPrefix(bytes, length);
        if (length < 2 && truncated) std::abort();  // too short to start as a JPEG
        if (length >= 2 && truncated && seenComplete) std::abort();
        seenComplete = seenComplete || (length >= 2 && !truncated);
    }
    if (isTruncatedJpeg(bytes.data(), size) && seenComplete) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> raw(data, data + size);
    const bool looksLikeJpeg = size >= 2 && data[0] == 0xFF && data[1] == 0xD8;
    if (!looksLikeJpeg && isTruncatedJpeg(raw.data(), raw.size())) std::abort();

    std::vector<uint8_t> jpeg{0xFF, 0xD8};  // most inputs then get past the first check
    jpeg.insert(jpeg.end(), data, data + size);
    checkPrefixes(looksLikeJpeg ? raw : jpeg);
    return 0;
}
