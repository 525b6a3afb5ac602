// Packed block codec: the variable-width dictionary code stream of the PATCH resources.
// One block is packed or unpacked whole in memory; failures are negative results.
#pragma once

#include <cstddef>
#include <cstdint>

enum CodecResult : int32_t {
    CodecOk = 0,
    CodecNoMemory = -4,
    CodecInputExhausted = -5,
    CodecWidthTooLarge = -6,
    CodecBadCode = -7,
    CodecOutputTooLarge =
        -8,  // result would exceed the output buffer (120000 unpacked / 32768 packed)
    CodecInputTooLarge = -9,  // input over 65535 bytes
};

// In-band codes of the stream; dictionary strings start at FirstFreeCode.
enum CodecControlCode : uint32_t {
    CodeEnd = 256,
    CodeWiden = 257,
    CodeReset = 258,
    FirstFreeCode = 259,
};

constexpr uint32_t kUnpackCapacity = 120000, kPackCapacity = 32768, kMaxBlockInput = 65535;
constexpr uint32_t kDictionarySize = 4096;  // codes 0-4095
constexpr uint32_t kFirstWidth = 9;         // of the first code, and after CodeReset

// On CodecOk *output is a malloc'ed buffer (caller frees with free()) and *outputLength is
// produced+2 (unpack) / produced+1 (pack). On failure *output is null and *outputLength 0.
// A null input counts as empty.
// The unpack buffer is kUnpackCapacity bytes, zero after the data; the pack buffer kPackCapacity.
// Both halves keep their working storage module-level (packing's 128 KiB table would cost more
// to allocate per block than to reuse). That and the counters below make the codec one
// operation at a time.
int32_t unpackBlock(const uint8_t* input, uint32_t length, uint8_t** output,
                    uint32_t* outputLength);
int32_t packBlock(const uint8_t* input, uint32_t length, uint8_t** output, uint32_t* outputLength);

// Counters of the running or last operation.
uint32_t totalInputBytes();  // input length of the last operation
uint32_t inputBytesRead();   // bytes the last unpacking fetched (packing sets it to 0)
uint32_t packInputBytes();   // input length of the last packing
uint32_t packedBytes();      // exact packed length of the last packing that succeeded

const char* codecResultName(int32_t result);  // "CodecBadCode" etc.; "CodecUnknown" otherwise

using CodecAlert = void (*)(const char* text, const char* caption);
// Shown when the output buffer cannot be allocated ("Impossible d'allouer la memoire" /
// "information"); the player installs a message box. Default: none.
void setCodecAlert(CodecAlert alert);
