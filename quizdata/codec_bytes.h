// The codec for C++ callers: whole vectors in and out, no length conventions and no free().
// The C-style packBlock/unpackBlock stay for callers that need their exact buffer contract.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "quizdata/codec.h"

struct CodecBytes {
    int32_t result = CodecOk;    // CodecOk or a negative CodecResult
    std::vector<uint8_t> bytes;  // exactly the produced bytes; empty on failure
};

CodecBytes packBytes(const uint8_t* input, size_t length);
CodecBytes unpackBytes(const uint8_t* input, size_t length);

inline CodecBytes packBytes(const std::vector<uint8_t>& input) {
    return packBytes(input.data(), input.size());
}
inline CodecBytes unpackBytes(const std::vector<uint8_t>& input) {
    return unpackBytes(input.data(), input.size());
}
