// Any bytes as a packed block: no crash, a known result, output within its buffer; a block that
// unpacks must pack again into a block that unpacks to the same bytes.
#include "quizdata/codec.h"

#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

void repackAndCompare(const uint8_t* data, uint32_t length) {
    uint8_t* packed = nullptr;
    uint32_t packedLength = 0;
    const int32_t result = packBlock(data, length, &packed, &packedLength);
    if (result != CodecOk) {
        require(packed == nullptr);
        require(result == CodecOutputTooLarge || (length == 0 && result == CodecInputExhausted));
        return;
    }
    uint8_t* again = nullptr;
    uint32_t againLength = 0;
    require(unpackBlock(packed, packedLength - 1, &again, &againLength) == CodecOk);
    require(againLength == length + 2 && std::memcmp(again, data, length) == 0);
    std::free(again);
    std::free(packed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint32_t length = size > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(size);
    uint8_t* out = nullptr;
    uint32_t outLength = 0;
    const int32_t result = unpackBlock(data, length, &out, &outLength);
    require(std::strcmp(codecResultName(result), "CodecUnknown") != 0);
    require(totalInputBytes() == length);
    if (result != CodecOk) {
        require(out == nullptr && outLength == 0);
        require(inputBytesRead() <= length);
        return 0;
    }
    require(out != nullptr && outLength >= 2 && outLength - 2 <= kUnpackCapacity);
    require(inputBytesRead() >= 2 && inputBytesRead() <= length);
    const uint32_t produced = outLength - 2;
    if (produced <= kMaxBlockInput) repackAndCompare(out, produced);
    std::free(out);
    return 0;
}
