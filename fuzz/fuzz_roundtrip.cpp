// Pack then unpack gives back the input. Inputs starting with 0xFF are expanded first (a body
// repeated with a drift, up to 65535 bytes) so that long blocks, resets and wide codes are reached.
#include "quizdata/codec.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

std::vector<uint8_t> expand(const uint8_t* data, size_t size) {
    if (size < 5 || data[0] != 0xFF) return std::vector<uint8_t>(data, data + size);
    const size_t length = (size_t(data[1]) << 8 | data[2]) + 1;  // 1 .. 65536
    const uint8_t drift = data[3];
    const uint8_t* body = data + 4;
    const size_t bodySize = size - 4;
    std::vector<uint8_t> out(length);
    for (size_t i = 0; i < length; ++i)
        out[i] = uint8_t(body[i % bodySize] + drift * (i / bodySize));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> input = expand(data, size);
    const uint32_t length = uint32_t(input.size());
    uint8_t* packed = nullptr;
    uint32_t packedLength = 0;
    const int32_t result = packBlock(input.data(), length, &packed, &packedLength);
    if (result != CodecOk) {
        require(packed == nullptr);
        require((length == 0 && result == CodecInputExhausted) ||
                (length > kMaxBlockInput && result == CodecInputTooLarge) ||
                (length > 0 && length <= kMaxBlockInput && result == CodecOutputTooLarge));
        return 0;
    }
    require(packedLength >= 2 && packedLength - 1 <= kPackCapacity &&
            packedBytes() == packedLength - 1);
    require(packInputBytes() == length);
    uint8_t* unpacked = nullptr;
    uint32_t unpackedLength = 0;
    require(unpackBlock(packed, packedLength - 1, &unpacked, &unpackedLength) == CodecOk);
    require(unpackedLength == length + 2 && std::memcmp(unpacked, input.data(), length) == 0);
    require(inputBytesRead() == packedLength - 1);
    std::free(unpacked);
    std::free(packed);
    return 0;
}
