#include "quizdata/codec_bytes.h"

#include <cstdlib>

namespace {

using BlockFunction = int32_t (*)(const uint8_t*, uint32_t, uint8_t**, uint32_t*);

// `extra` is what the C function adds to the produced length (2 for unpack, 1 for pack).
CodecBytes run(BlockFunction function, const uint8_t* input, size_t length, uint32_t extra) {
    CodecBytes out;
    // A length beyond 32 bits must not wrap into a small one: the codec refuses it whole.
    const uint32_t length32 = length > kMaxBlockInput ? kMaxBlockInput + 1 : uint32_t(length);
    uint8_t* buffer = nullptr;
    uint32_t reported = 0;
    out.result = function(input, length32, &buffer, &reported);
    if (out.result == CodecOk && buffer != nullptr)
        out.bytes.assign(buffer, buffer + (reported - extra));
    std::free(buffer);
    return out;
}

}  // namespace

CodecBytes packBytes(const uint8_t* input, size_t length) {
    return run(packBlock, input, length, 1);
}
CodecBytes unpackBytes(const uint8_t* input, size_t length) {
    return run(unpackBlock, input, length, 2);
}
